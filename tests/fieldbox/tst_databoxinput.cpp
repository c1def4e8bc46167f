// The field box's events: keys, mouse, clicks, editing and list selection.
#include "boxtest.h"
#include "databox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

using namespace BoxTest;

namespace {

// Everything a box raises, in order, as short readable lines.
class EventLog : public QObject {
public:
    explicit EventLog(DataBox& box) {
        auto mouse = [](const char* what) {
            return [what](QStringList* log, int b, int s, double x, double y) {
                log->append(QStringLiteral("%1 %2 %3 %4 %5").arg(what).arg(b).arg(s).arg(x).arg(y));
            };
        };
        const auto down = mouse("down");
        const auto up = mouse("up");
        const auto move = mouse("move");
        connect(&box, &DataBox::MouseDown, this,
                [this, down](int b, int s, double x, double y) { down(&lines, b, s, x, y); });
        connect(&box, &DataBox::MouseUp, this,
                [this, up](int b, int s, double x, double y) { up(&lines, b, s, x, y); });
        connect(&box, &DataBox::MouseMove, this,
                [this, move](int b, int s, double x, double y) { move(&lines, b, s, x, y); });
        connect(&box, &DataBox::Click, this, [this] { lines << QStringLiteral("click"); });
        connect(&box, &DataBox::DblClick, this, [this] { lines << QStringLiteral("dblclick"); });
        connect(&box, &DataBox::Change, this,
                [this, &box] { lines << QStringLiteral("change ") + box.Data(); });
        connect(&box, &DataBox::KeyDown, this,
                [this](int k, int s) { lines << QStringLiteral("keydown %1 %2").arg(k).arg(s); });
        connect(&box, &DataBox::KeyUp, this,
                [this](int k, int s) { lines << QStringLiteral("keyup %1 %2").arg(k).arg(s); });
        connect(&box, &DataBox::GotFocus, this, [this] { lines << QStringLiteral("focus"); });
    }
    QStringList take() { return std::exchange(lines, {}); }
    QStringList starting(const QString& prefix) const {
        QStringList found;
        for (const QString& line : lines)
            if (line.startsWith(prefix))
                found << line;
        return found;
    }
    QStringList lines;
};

// A shown, active window holding one box, so that focus behaves as on a desktop.
struct Window {
    QWidget window;
    DataBox* box;
    Window() : box(new DataBox(&window)) {
        window.resize(800, 600);
        box->moveTwips(300, 300);
        window.show();
        window.activateWindow();
    }
    bool active() { return QTest::qWaitForWindowActive(&window); }
};

QString keyLine(const char* what, int key, int shift = 0) {
    return QStringLiteral("%1 %2 %3").arg(QLatin1String(what)).arg(key).arg(shift);
}

// Where a point of a part lies in the box, in twips, adding up the parts' own places.
QPoint inBoxTwips(const DataBox& box, const QWidget* part, QPoint local) {
    QPoint at = local;
    for (const QWidget* w = part; w != &box; w = w->parentWidget())
        at += w->pos();
    return at * 15;
}

QWidget* partNamed(const DataBox& box, const QString& name) {
    const Parts p = parts(box);
    if (name == QLatin1String("Tex"))
        return p.tex->viewport();
    if (name == QLatin1String("Lis"))
        return p.lis->viewport();
    return box.findChild<QWidget*>(name);
}

} // namespace

class TestDataBoxInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void typingInPhraseRaisesKeyDownChangeKeyUp();
    void upDownInTheItemEditor_data();
    void upDownInTheItemEditor();
    void editingTheItemEditorChangesTheItem();
    void selectingAnItem_data();
    void selectingAnItem();
    void refillLeavesFocusAlone();
    void placeComesBackExactly();
    void mouseTranslation_data();
    void mouseTranslation();
    void pictureDragUsesOneTranslation();
    void buttonAndShiftCodes_data();
    void buttonAndShiftCodes();
    void moveWithoutButton();
    void keysInTextRaiseNothingButEditsChange();
    void focusSelectsAll();
    void clickInTextSelectsAllAgain();
    void gotFocusFromEachEditor_data();
    void gotFocusFromEachEditor();
    void lockedBox();
    void tabWalksBoxesInTheirOrder();

private:
    QTemporaryDir pictures;
};

void TestDataBoxInput::initTestCase() {
    QVERIFY(pictures.isValid());
    QVERIFY(writePicture(pictures.filePath(QStringLiteral("p.png")), QSize(60, 40), Qt::red));
}

void TestDataBoxInput::typingInPhraseRaisesKeyDownChangeKeyUp() {
    Window w;
    QVERIFY(w.active());
    w.box->ChangeAll(1, QStringLiteral("Имя"), QString(), 1);
    const Parts p = parts(*w.box);
    p.fras->setFocus();
    EventLog log(*w.box);
    QTest::keyClick(p.fras, Qt::Key_X);
    QCOMPARE(log.take(), (QStringList{keyLine("keydown", Qt::Key_X), QStringLiteral("change x"),
                                      keyLine("keyup", Qt::Key_X)}));
    log.take();
    QTest::keyClick(p.fras, Qt::Key_Backspace, Qt::ControlModifier);
    // The Ctrl key itself is a key as well.
    QCOMPARE(log.starting(QStringLiteral("key")),
             (QStringList{
                 keyLine("keydown", Qt::Key_Control, 2), keyLine("keydown", Qt::Key_Backspace, 2),
                 keyLine("keyup", Qt::Key_Backspace, 2), keyLine("keyup", Qt::Key_Control)}));
}

void TestDataBoxInput::upDownInTheItemEditor_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("keyUp");
    QTest::newRow("down from the second") << 4 << 1 << int(Qt::Key_Down) << 2 << false;
    QTest::newRow("down at the last") << 4 << 2 << int(Qt::Key_Down) << 2 << true;
    QTest::newRow("up from the second") << 4 << 1 << int(Qt::Key_Up) << 0 << false;
    QTest::newRow("up at the first") << 4 << 0 << int(Qt::Key_Up) << 0 << true;
    QTest::newRow("down with none selected") << 4 << -1 << int(Qt::Key_Down) << 0 << false;
    QTest::newRow("up with none selected") << 4 << -1 << int(Qt::Key_Up) << -1 << true;
    QTest::newRow("other keys pass") << 4 << 1 << int(Qt::Key_Left) << 1 << true;
    QTest::newRow("phrase box: down passes") << 1 << -1 << int(Qt::Key_Down) << -1 << true;
}

void TestDataBoxInput::upDownInTheItemEditor() {
    QFETCH(int, type);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, row);
    QFETCH(bool, keyUp);

    Window w;
    QVERIFY(w.active());
    const QStringList items{"first", "second", "third"};
    w.box->ChangeAll(qint16(type), QStringLiteral("Список"), list(items), 1);
    const Parts p = parts(*w.box);
    if (type == 4)
        p.lis->setCurrentRow(start);
    p.fras->setFocus();
    const QString before = w.box->Data();
    EventLog log(*w.box);

    QTest::keyClick(p.fras, Qt::Key(key));
    QCOMPARE(log.starting(QStringLiteral("keydown")), QStringList{keyLine("keydown", key)});
    QCOMPARE(log.starting(QStringLiteral("keyup")).size(), keyUp ? 1 : 0);
    if (type != 4)
        return;
    QCOMPARE(w.box->ListIndex(), std::optional<int>(row));
    if (!keyUp) {
        // The new item is in the editor, all of it selected, the value unchanged.
        QCOMPARE(p.fras->text(), items.at(row));
        QCOMPARE(p.fras->selectedText(), items.at(row));
        QVERIFY(p.fras->hasFocus());
        QCOMPARE(w.box->Data(), before);
    }
}

void TestDataBoxInput::editingTheItemEditorChangesTheItem() {
    Window w;
    QVERIFY(w.active());
    w.box->ChangeAll(4, QStringLiteral("Список"), list({"a", "b", "c"}), 1);
    const Parts p = parts(*w.box);
    p.lis->setCurrentRow(1);
    p.fras->setFocus();
    p.fras->end(false);
    EventLog log(*w.box);
    QTest::keyClicks(p.fras, QStringLiteral("x"));
    QCOMPARE(p.lis->item(1)->text(), QStringLiteral("bx"));
    QCOMPARE(w.box->Data(), list({"a", "bx", "c"}));
    QCOMPARE(log.starting(QStringLiteral("change")),
             QStringList{QStringLiteral("change ") + list({"a", "bx", "c"})});
    QCOMPARE(w.box->ListCount(), 3);
}

void TestDataBoxInput::selectingAnItem_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("changes");
    const QString plain = list({"a", "b"});
    QTest::newRow("another text: Change, value as it was")
        << plain << 1 << QStringList{QStringLiteral("change ") + plain};
    QTest::newRow("stored spaces are dropped")
        << list({"a", " b "}) << 1 << QStringList{QStringLiteral("change ") + plain};
    QTest::newRow("same text: no Change") << list({"a", "a"}) << 1 << QStringList{};
}

void TestDataBoxInput::selectingAnItem() {
    QFETCH(QString, value);
    QFETCH(int, row);
    QFETCH(QStringList, changes);
    Window w;
    QVERIFY(w.active());
    w.box->ChangeAll(4, QStringLiteral("Список"), value, 1);
    const Parts p = parts(*w.box);
    EventLog log(*w.box);
    const QRect itemRect = p.lis->visualItemRect(p.lis->item(row));
    QTest::mouseClick(p.lis->viewport(), Qt::LeftButton, {}, itemRect.center());
    QCOMPARE(w.box->ListIndex(), std::optional<int>(row));
    QCOMPARE(log.starting(QStringLiteral("change")), changes);
    QCOMPARE(p.fras->text(), p.lis->item(row)->text());
    QCOMPARE(p.fras->selectedText(), p.lis->item(row)->text());
    QVERIFY(p.fras->hasFocus());
}

// Showing another value (the main window does this on every entry) must not pull the
// keyboard focus out of, say, the entry list the user is walking with the arrow keys.
void TestDataBoxInput::refillLeavesFocusAlone() {
    Window w;
    auto* elsewhere = new QLineEdit(&w.window);
    elsewhere->show();
    QVERIFY(w.active());
    elsewhere->setFocus();
    QVERIFY(elsewhere->hasFocus());
    const QChar sep(11);
    w.box->ChangeAll(4, QStringLiteral("Список"), sep + QStringLiteral("a") + sep + "b", 1);
    w.box->setData(sep + QStringLiteral("c") + sep + "d");
    QVERIFY(elsewhere->hasFocus());
    QCOMPARE(parts(*w.box).fras->text(), QStringLiteral("c"));
}

// moveTwips keeps the exact twips while the box stays put, whatever the pixel rounding.
void TestDataBoxInput::placeComesBackExactly() {
    Window w;
    for (const QPoint at : {QPoint(2201, 907), QPoint(2214, 3333), QPoint(0, 14)}) {
        w.box->moveTwips(at.x(), at.y());
        QCOMPARE(QPoint(w.box->leftTwips(), w.box->topTwips()), at);
    }
    w.box->move(w.box->pos() + QPoint(1, 0)); // moved by other means: its pixels count
    QCOMPARE(w.box->leftTwips(), w.box->x() * 15);
}

void TestDataBoxInput::mouseTranslation_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("part");
    QTest::addColumn<bool>("click");
    QTest::newRow("header") << 1 << "Hed" << true;
    QTest::newRow("phrase editor") << 1 << "Fras" << false;
    QTest::newRow("text editor") << 2 << "Tex" << false;
    QTest::newRow("list") << 4 << "Lis" << false;
    QTest::newRow("item editor") << 4 << "Fras" << false;
    QTest::newRow("picture frame") << 3 << "Border" << false;
    QTest::newRow("picture") << 3 << "Pic" << false;
    QTest::newRow("surface") << 1 << "" << true;
}

void TestDataBoxInput::mouseTranslation() {
    QFETCH(int, type);
    QFETCH(QString, part);
    QFETCH(bool, click);

    Window w;
    w.box->setPictureBase(pictures.path());
    // The header on the left, 100 twips before the content: the gap is bare surface.
    w.box->ChangeAll(qint16(type), QStringLiteral("Поле"), QStringLiteral("p.png"), 5);
    const Parts p = parts(*w.box);
    QWidget* target = part.isEmpty() ? w.box : partNamed(*w.box, part);
    QVERIFY(target);
    const QPoint local = part.isEmpty()                    ? QPoint(p.hed->width() + 3, 1)
                         : part == QLatin1String("Border") ? QPoint(1, 1)
                                                           : QPoint(3, 2);
    if (part.isEmpty())
        QVERIFY(!w.box->childAt(local));
    const QPoint expected = inBoxTwips(*w.box, target, local);
    const QString at = QStringLiteral("%1 %2").arg(expected.x()).arg(expected.y());

    EventLog log(*w.box);
    QTest::mousePress(target, Qt::LeftButton, {}, local);
    QTest::mouseRelease(target, Qt::LeftButton, {}, local);
    QStringList wanted{QStringLiteral("down 1 0 ") + at, QStringLiteral("up 1 0 ") + at};
    if (click)
        wanted << QStringLiteral("click");
    QCOMPARE(log.starting(QStringLiteral("down")) + log.starting(QStringLiteral("up")) +
                 log.starting(QStringLiteral("click")),
             wanted);

    log.take();
    QTest::mouseDClick(target, Qt::LeftButton, {}, local);
    QCOMPARE(log.starting(QStringLiteral("dblclick")), QStringList{QStringLiteral("dblclick")});
}

void TestDataBoxInput::pictureDragUsesOneTranslation() {
    Window w;
    w.box->setPictureBase(pictures.path());
    w.box->ChangeAll(3, QStringLiteral("Картинка"), QStringLiteral("p.png"), 5);
    const Parts p = parts(*w.box);
    // The frame lies 100 right of the header; the picture inside its border.
    QVERIFY(qAbs(p.border->x() * 15 - (p.hed->width() * 15 + 100)) <= 8);
    const int offX = (p.border->x() + p.pic->x()) * 15;
    const int offY = (p.border->y() + p.pic->y()) * 15;

    EventLog log(*w.box);
    QTest::mousePress(p.pic, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseMove(p.pic, QPoint(20, 8));
    QTest::mouseRelease(p.pic, Qt::LeftButton, {}, QPoint(20, 8));
    QCOMPARE(log.lines,
             (QStringList{QStringLiteral("down 1 0 %1 %2").arg(offX + 150).arg(offY + 75),
                          QStringLiteral("move 1 0 %1 %2").arg(offX + 300).arg(offY + 120),
                          QStringLiteral("up 1 0 %1 %2").arg(offX + 300).arg(offY + 120)}));
}

void TestDataBoxInput::buttonAndShiftCodes_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("buttonCode");
    QTest::addColumn<int>("shiftCode");
    QTest::newRow("left") << int(Qt::LeftButton) << 0 << 1 << 0;
    QTest::newRow("right, shift") << int(Qt::RightButton) << int(Qt::ShiftModifier) << 2 << 1;
    QTest::newRow("middle, ctrl") << int(Qt::MiddleButton) << int(Qt::ControlModifier) << 4 << 2;
    QTest::newRow("right, alt") << int(Qt::RightButton) << int(Qt::AltModifier) << 2 << 4;
    QTest::newRow("left, all three")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)
        << 1 << 7;
}

void TestDataBoxInput::buttonAndShiftCodes() {
    QFETCH(int, button);
    QFETCH(int, modifiers);
    QFETCH(int, buttonCode);
    QFETCH(int, shiftCode);
    Window w;
    w.box->ChangeAll(1, QStringLiteral("Поле"), QString(), 1);
    const Parts p = parts(*w.box);
    EventLog log(*w.box);
    const auto b = Qt::MouseButton(button);
    const auto m = Qt::KeyboardModifiers(modifiers);
    QTest::mousePress(p.hed, b, m, QPoint(2, 2));
    QTest::mouseRelease(p.hed, b, m, QPoint(2, 2));
    const QString codes = QStringLiteral(" %1 %2 30 30").arg(buttonCode).arg(shiftCode);
    QCOMPARE(log.starting(QStringLiteral("down")), QStringList{QStringLiteral("down") + codes});
    QCOMPARE(log.starting(QStringLiteral("up")), QStringList{QStringLiteral("up") + codes});
    // Only the left button clicks.
    QCOMPARE(log.starting(QStringLiteral("click")).size(), button == Qt::LeftButton ? 1 : 0);
}

void TestDataBoxInput::moveWithoutButton() {
    Window w;
    w.box->ChangeAll(2, QStringLiteral("Поле"), QString(), 1);
    EventLog log(*w.box);
    const Parts p = parts(*w.box);
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), p.hed->mapToGlobal(QPointF(4, 4)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(p.hed, &move);
    QCOMPARE(log.starting(QStringLiteral("move")), QStringList{QStringLiteral("move 0 0 60 60")});
}

void TestDataBoxInput::keysInTextRaiseNothingButEditsChange() {
    Window w;
    QVERIFY(w.active());
    w.box->ChangeAll(2, QStringLiteral("Текст"), QString(), 1);
    const Parts p = parts(*w.box);
    p.tex->setFocus();
    EventLog log(*w.box);
    QTest::keyClicks(p.tex, QStringLiteral("ab"));
    QTest::keyClick(p.tex, Qt::Key_Return);
    QCOMPARE(log.lines, (QStringList{QStringLiteral("change a"), QStringLiteral("change ab"),
                                     QStringLiteral("change ab\n")}));
    QCOMPARE(w.box->Data(), QStringLiteral("ab\n"));
}

void TestDataBoxInput::focusSelectsAll() {
    Window w;
    auto* before = new QLineEdit(&w.window);
    before->move(0, 300);
    before->show();
    w.box->ChangeAll(1, QStringLiteral("Имя"), QStringLiteral("Иванов"), 1);
    const Parts p = parts(*w.box);
    QWidget::setTabOrder(before, p.fras);
    before->setFocus();
    QVERIFY(w.active());
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(p.fras->hasFocus());
    QCOMPARE(p.fras->selectedText(), QStringLiteral("Иванов"));

    p.fras->deselect();
    before->setFocus();
    p.fras->setFocus(Qt::OtherFocusReason); // focus from the program selects all as well
    QCOMPARE(p.fras->selectedText(), QStringLiteral("Иванов"));

    w.box->ChangeAll(2, QStringLiteral("Текст"), QStringLiteral("строка"), 1);
    before->setFocus();
    p.tex->setFocus(Qt::OtherFocusReason);
    QCOMPARE(p.tex->textCursor().selectedText(), QStringLiteral("строка"));
}

void TestDataBoxInput::clickInTextSelectsAllAgain() {
    Window w;
    w.box->ChangeAll(2, QStringLiteral("Текст"), QStringLiteral("одно два три"), 1);
    const Parts p = parts(*w.box);
    QVERIFY(w.active());
    EventLog log(*w.box);
    QTest::mouseClick(p.tex->viewport(), Qt::LeftButton, {}, QPoint(12, 6));
    QVERIFY(p.tex->hasFocus());
    QCOMPARE(p.tex->textCursor().selectedText(), QStringLiteral("одно два три"));
    QCOMPARE(log.starting(QStringLiteral("click")), QStringList{}); // not the box's Click
    QTest::mouseClick(p.tex->viewport(), Qt::LeftButton, {}, QPoint(30, 6));
    QCOMPARE(p.tex->textCursor().selectedText(), QStringLiteral("одно два три"));
}

void TestDataBoxInput::gotFocusFromEachEditor_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("editor");
    QTest::newRow("phrase") << 1 << "Fras";
    QTest::newRow("text") << 2 << "Tex";
    QTest::newRow("list") << 4 << "Lis";
}

void TestDataBoxInput::gotFocusFromEachEditor() {
    QFETCH(int, type);
    QFETCH(QString, editor);
    Window w;
    auto* outside = new QLineEdit(&w.window);
    outside->move(0, 400);
    outside->show();
    w.box->ChangeAll(qint16(type), QStringLiteral("Поле"), QString(), 1);
    outside->setFocus();
    QVERIFY(w.active());
    EventLog log(*w.box);
    w.box->findChild<QWidget*>(editor)->setFocus(Qt::TabFocusReason);
    QCOMPARE(log.starting(QStringLiteral("focus")), QStringList{QStringLiteral("focus")});
}

void TestDataBoxInput::lockedBox() {
    Window w;
    QVERIFY(w.active());
    w.box->ChangeAll(1, QStringLiteral("Имя"), QStringLiteral("v"), 1);
    w.box->setLocked(true);
    const Parts p = parts(*w.box);
    p.fras->setFocus();
    EventLog log(*w.box);
    QTest::keyClicks(p.fras, QStringLiteral("zz"));
    QCOMPARE(w.box->Data(), QStringLiteral("v"));
    QCOMPARE(log.starting(QStringLiteral("change")), QStringList{});
    QCOMPARE(log.starting(QStringLiteral("keydown")).size(), 2); // keys are still reported

    // A locked list still selects, copies the item into the editor and reports the change.
    w.box->ChangeAll(4, QStringLiteral("Список"), list({"a", "b"}), 1);
    log.take();
    p.lis->setCurrentRow(1);
    QCOMPARE(p.fras->text(), QStringLiteral("b"));
    QCOMPARE(log.starting(QStringLiteral("change")),
             QStringList{QStringLiteral("change ") + list({"a", "b"})});
    QVERIFY(p.fras->isReadOnly());
}

void TestDataBoxInput::tabWalksBoxesInTheirOrder() {
    QWidget window;
    auto* start = new QLineEdit(&window);
    start->setObjectName(QStringLiteral("start"));
    auto* first = new DataBox(&window);
    auto* word = new DataBox(&window);
    auto* second = new DataBox(&window);
    auto* third = new DataBox(&window);
    first->ChangeAll(4, QStringLiteral("first"), list({"a"}), 1);
    word->ChangeAll(0, QStringLiteral("word"), QString(), 1);
    second->ChangeAll(2, QStringLiteral("second"), QString(), 1);
    third->ChangeAll(4, QStringLiteral("third"), list({"b"}), 1);
    // Chained against the order of creation, as an output order may ask; the word box has
    // nothing to chain.
    QCOMPARE(word->focusWidgetForTab(), nullptr);
    QWidget::setTabOrder(start, third->focusWidgetForTab());
    QWidget::setTabOrder(third->focusWidgetForTab(), second->focusWidgetForTab());
    QWidget::setTabOrder(second->focusWidgetForTab(), first->focusWidgetForTab());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    start->setFocus();

    QStringList walk;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        const auto* box = qobject_cast<DataBox*>(f->parentWidget());
        walk << (box ? box->Header() + QLatin1Char('.') : QString()) + f->objectName();
    }
    QCOMPARE(walk,
             (QStringList{"third.Fras", "third.Lis", "second.Tex", "first.Fras", "first.Lis"}));
}

QTEST_MAIN(TestDataBoxInput)
#include "tst_databoxinput.moc"
