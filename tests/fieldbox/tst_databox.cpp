// The field box widget: its members, its layout on screen and the events it raises.
#include "databox.h"
#include "editorstyle.h"
#include "fieldboxlayout.h"
#include "rowdelegate.h"
#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QChar Sep(11);

QString list(const QStringList& items) {
    QString v;
    for (const QString& s : items)
        v += Sep + s;
    return v;
}

// The box's children, by their object names.
struct Parts {
    explicit Parts(const DataBox& box) : box(box) {}
    const DataBox& box;
    QLabel* hed = box.findChild<QLabel*>(QStringLiteral("Hed"));
    QLineEdit* fras = box.findChild<QLineEdit*>(QStringLiteral("Fras"));
    // Made when the box first shows a text or a list.
    QPlainTextEdit* tex() const { return box.findChild<QPlainTextEdit*>(QStringLiteral("Tex")); }
    QListWidget* lis() const { return box.findChild<QListWidget*>(QStringLiteral("Lis")); }
    QWidget* border = box.findChild<QWidget*>(QStringLiteral("Border"));
    QLabel* pic = box.findChild<QLabel*>(QStringLiteral("Pic"));
};

// Everything a box raises, in order, as short lines.
struct Log : QObject {
    QStringList lines;
    explicit Log(DataBox* box) {
        const auto mouse = [this](const char* what) {
            return [this, what](int b, int s, double x, double y) {
                lines << QStringLiteral("%1 %2 %3 %4 %5").arg(what).arg(b).arg(s).arg(x).arg(y);
            };
        };
        connect(box, &DataBox::MouseDown, this, mouse("down"));
        connect(box, &DataBox::MouseMove, this, mouse("move"));
        connect(box, &DataBox::MouseUp, this, mouse("up"));
        connect(box, &DataBox::KeyDown, this, [this](int k) { lines << key("keydown", k); });
        connect(box, &DataBox::KeyUp, this, [this](int k) { lines << key("keyup", k); });
        connect(box, &DataBox::Change, this, [this, box] { lines << "change " + box->Data(); });
    }
    static QString key(const char* what, int k) { return QStringLiteral("%1 %2").arg(what).arg(k); }
};

// A shown, active window holding a box and a line edit, so that focus behaves as on a desktop.
struct Window {
    QWidget window;
    DataBox* box = new DataBox(&window);
    QLineEdit* other = new QLineEdit(&window);
    Parts p{*box};
    Window() {
        window.resize(800, 600);
        box->moveTwips(300, 300);
        other->move(0, 500);
        window.show();
        window.activateWindow();
    }
    bool active() { return QTest::qWaitForWindowActive(&window); }
};

} // namespace

class TestDataBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void changeAll_data();
    void changeAll();
    void listMembers();
    void changeOnFill_data();
    void changeOnFill();
    void keepingTheLayout();
    void placeComesBackExactly();
    void keys();
    void picture();
    void focusAndTabOrder();
    void partsMadeLate_data();
    void partsMadeLate();
    void textFillAsSetPlainText_data();
    void textFillAsSetPlainText();
    void drawnAsTheStyleDraws_data();
    void drawnAsTheStyleDraws();
    void rowTexts();

private:
    QTemporaryDir pictures;
};

void TestDataBox::initTestCase() {
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(pictures.filePath(QStringLiteral("p.png"))));
}

void TestDataBox::changeAll_data() {
    QTest::addColumn<QList<int>>("given"); // type, header position, length, tall
    QTest::addColumn<QList<int>>("taken"); // length, tall, header position; before: 777 x 888
    const auto row = [](const char* name, const QList<int>& given, const QList<int>& taken) {
        QTest::newRow(name) << given << taken;
    };
    row("word", {0, 1, 0, 0}, {100, 100, 1});
    row("phrase, number size", {1, 5, 500, 0}, {500, 0, 5});
    row("text, pose 0 becomes 1", {2, 0, 0, 0}, {3000, 1300, 1});
    row("text 11, tall given", {2, 11, 0, 900}, {3000, 900, 11});
    row("picture 11", {3, 11, 0, 0}, {0, 0, 11});
    row("list 3, length given", {4, 3, 900, 0}, {900, 2200, 3});
    row("list 12", {4, 12, 0, 0}, {1500, 2200, 12});
    row("type 5 keeps sizes", {5, 2, 0, 0}, {777, 888, 2});
    row("type 5 takes a size", {5, 2, 600, 0}, {600, 888, 2});
}

// ChangeAll gives the box the sizes given, else its type's usual ones, and raises Change once;
// the widget then shows what the calculation gives for its own header (a list's one wider than
// the list), in whole pixels.
void TestDataBox::changeAll() {
    QFETCH(QList<int>, given);
    QFETCH(QList<int>, taken);
    const int type = given[0];
    DataBox box;
    box.setPictureBase(pictures.path());
    box.setLength(777);
    box.setTall(888);
    int changes = 0;
    connect(&box, &DataBox::Change, &box, [&] { ++changes; });
    box.ChangeAll(qint16(type),
                  type == 4 ? QStringLiteral("Очень длинный заголовок этого поля")
                            : QStringLiteral("Имя"),
                  type == 3 ? QStringLiteral("p.png") : QString(), qint16(given[1]),
                  qint16(given[2]), qint16(given[3]));
    QCOMPARE((QList<int>{box.BoxType(), box.Length(), box.Tall(), box.HeadPose(), changes}),
             QList<int>{type} + taken + QList<int>{1});
    const Parts p(box);
    const FieldBoxLayout::Result r =
        FieldBoxLayout::layOut({box.BoxType(), box.HeadPose(), true, p.hed->width() * 15,
                                p.hed->height() * 15, box.Length(), box.Tall(), QSize(1500, 900),
                                285, QPointF(), QPointF(), QPointF(), QSizeF()});
    if (!r.applies)
        return; // a number box keeps its layout: keepingTheLayout
    const auto px = [](const QRectF& t) {
        return QRect(Twips::toPixels(t.x()), Twips::toPixels(t.y()), Twips::toPixels(t.width()),
                     Twips::toPixels(t.height()));
    };
    const QList<QWidget*> content{nullptr, p.fras, p.tex(), p.border, p.lis()};
    QCOMPARE((QList<QRect>{p.hed->geometry(), content[type] ? content[type]->geometry() : QRect(),
                           type == 4 ? p.fras->geometry() : QRect(), box.rect()}),
             (QList<QRect>{px(r.header), px(r.content), px(r.editor), px({{}, r.box})}));
}

// A list value gets its leading separator and shows its items trimmed, keeping Data as given.
// Each member that changes the list rebuilds Data and raises Change once, after storing it.
void TestDataBox::listMembers() {
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), QString(), 1);
    QCOMPARE((QList<int>{box.ItemCount(), box.ListCount()}), (QList<int>{1, 1}));
    const Parts p(box);
    box.setData(list({"a", "  b ", "c"}));
    QCOMPARE(
        (QStringList{box.Data(), box.Listing(1), box.Listing(2), box.Listing(3), p.fras->text()}),
        (QStringList{list({"a", "  b ", "c"}), "a", "b", "c", "a"}));
    QStringList seen;
    connect(&box, &DataBox::Change, &box, [&] { seen << box.Data(); });
    box.AddItem(QStringLiteral("new"));
    box.AddItem(QStringLiteral("first"), 0);
    box.AddItem(QStringLiteral("far"), 6);     // past the end: nothing
    box.DelItem(1);                            // the current item
    p.fras->setText(QStringLiteral("edited")); // the editor now belongs to no item
    box.DelItem(4);                            // past the end: nothing
    p.lis()->clearSelection();
    p.lis()->item(0)->setSelected(true);
    p.lis()->item(2)->setSelected(true);
    box.DelSelected();
    box.AddItem(QStringLiteral("x") + Sep + QStringLiteral("y")); // stays one item
    p.lis()->selectAll();
    box.DelSelected();
    QCOMPARE(seen, (QStringList{list({"a", "b", "c", "new"}), list({"first", "a", "b", "c", "new"}),
                                list({"first", "b", "c", "new"}), list({"b", "new"}),
                                list({"b", "new", "x y"}), QString()}));
    QCOMPARE(box.ListCount(), 0);
}

void TestDataBox::changeOnFill_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("changeAll"); // set through ChangeAll rather than Data
    QTest::addColumn<int>("changes");
    const auto row = [](const char* name, int type, const QString& before, const QString& after,
                        bool changeAll, int changes) {
        QTest::newRow(name) << type << before << after << changeAll << changes;
    };
    row("phrase, new text", 1, "кот", "пёс", false, 2);
    row("phrase, the same text", 1, "кот", "кот", false, 1);
    row("phrase, ChangeAll with a new text", 1, "кот", "пёс", true, 2);
    row("text, new text", 2, "a", "a\r\nb", false, 2);
    row("text, CR LF shows as the same text", 2, "a\nb", "a\r\nb", false, 1);
    row("list: the copy into the editor is quiet", 4, list({"a"}), list({"b", "c"}), false, 1);
    row("word", 0, "a", "b", false, 1);
}

// Filling an editor with a new text is reported like the user's edit, before the member's
// own Change; every Change sees the new Data already stored.
void TestDataBox::changeOnFill() {
    QFETCH(int, type);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, changeAll);
    QFETCH(int, changes);
    DataBox box;
    box.ChangeAll(qint16(type), QStringLiteral("Поле"), before, 1);
    QStringList seen;
    connect(&box, &DataBox::Change, &box, [&] { seen << box.Data(); });
    if (changeAll)
        box.ChangeAll(qint16(type), QStringLiteral("Поле"), after, 1);
    else
        box.setData(after);
    QCOMPARE(seen, QStringList(changes, box.Data()));
}

// Header position 0 and a number box both leave everything where it was.
void TestDataBox::keepingTheLayout() {
    DataBox box;
    box.ChangeAll(2, QStringLiteral("Текст"), QStringLiteral("abc"), 8);
    const Parts p(box);
    const auto places = [&] {
        return QList<QRect>{box.rect(), p.hed->geometry(), p.tex()->geometry()};
    };
    const QList<QRect> before = places();
    box.setHeadPose(0);
    QCOMPARE(places(), before);
    box.ChangeAll(5, QStringLiteral("Текст"), QStringLiteral("42"), 3);
    QCOMPARE(places(), before);
}

// moveTwips keeps the exact twips while the box stays put, whatever the pixel rounding; moved by
// other means, its pixels count.
void TestDataBox::placeComesBackExactly() {
    QWidget parent;
    DataBox box(&parent);
    box.moveTwips(2201, 14);
    QCOMPARE((QList<QPoint>{box.pos(), {box.leftTwips(), box.topTwips()}}),
             (QList<QPoint>{{147, 1}, {2201, 14}}));
    box.move(box.pos() + QPoint(1, 0));
    QCOMPARE(box.leftTwips(), 148 * 15);
}

// KeyDown, Change, KeyUp in that order. Up and Down in the item editor walk the list; only a
// key that walks nowhere reaches KeyUp. The item editor writes its item back; locked, it takes
// no keys but the list still selects, copies the item into the editor and reports it.
void TestDataBox::keys() {
    Window w;
    QVERIFY(w.active());
    w.box->ChangeAll(1, QStringLiteral("Имя"), QString(), 1);
    w.p.fras->setFocus();
    Log log(w.box);
    QTest::keyClick(w.p.fras, Qt::Key_X);
    const QString down = Log::key("keydown", Qt::Key_X), up = Log::key("keyup", Qt::Key_X);
    QCOMPARE(log.lines, (QStringList{down, "change x", up}));

    w.box->ChangeAll(4, QStringLiteral("Список"), list({"a", "b", "c"}), 1);
    w.p.lis()->setCurrentRow(-1);
    log.lines.clear();
    QStringList walk; // the current row and the editor's selected text after each key
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,
                        Qt::Key_Up, Qt::Key_Up}) {
        QTest::keyClick(w.p.fras, key);
        walk << QStringLiteral("%1 %2").arg(*w.box->ListIndex()).arg(w.p.fras->selectedText());
    }
    QCOMPARE(walk, (QStringList{"0 a", "1 b", "2 c", "2 c", "1 b", "0 a", "0 a"}));
    const QString kd = Log::key("keydown", Qt::Key_Down), ku = Log::key("keydown", Qt::Key_Up);
    QCOMPARE(log.lines.filter(QStringLiteral("key")),
             (QStringList{kd, kd, kd, kd, Log::key("keyup", Qt::Key_Down), ku, ku, ku,
                          Log::key("keyup", Qt::Key_Up)}));

    w.p.lis()->setCurrentRow(1);
    w.p.fras->end(false);
    log.lines.clear();
    QTest::keyClick(w.p.fras, Qt::Key_X);
    w.box->setLocked(true);
    QTest::keyClick(w.p.fras, Qt::Key_X);
    w.p.lis()->setCurrentRow(2);
    const QString bx = list({"a", "bx", "c"});
    QCOMPARE(log.lines, (QStringList{down, "change " + bx, up, down, up, "change " + bx}));
    QCOMPARE(w.p.fras->text(), QStringLiteral("c"));
}

// Down, move and up on the picture inside its frame come out in the box's twips, all with
// the same offset, so a drag does not jump. A file that cannot be shown keeps the old picture.
void TestDataBox::picture() {
    Window w;
    w.box->setPictureBase(pictures.path());
    w.box->ChangeAll(3, QStringLiteral("Картинка"), QStringLiteral(".\\p.png"), 5);
    const QPoint off = (w.p.border->pos() + w.p.pic->pos()) * 15;
    const auto at = [&](const char* what, int x, int y) {
        return QStringLiteral("%1 %2 %3").arg(what).arg(off.x() + x).arg(off.y() + y);
    };
    Log log(w.box);
    QTest::mousePress(w.p.pic, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 5));
    QTest::mouseMove(w.p.pic, QPoint(20, 8));
    QTest::mouseRelease(w.p.pic, Qt::RightButton, Qt::ShiftModifier, QPoint(20, 8));
    QCOMPARE(log.lines, (QStringList{at("down 2 1", 150, 75), at("move 2 0", 300, 120),
                                     at("up 2 1", 300, 120)}));
    const QImage before = w.p.pic->pixmap().toImage();
    // A missing file and a file that is no picture (this program).
    for (const QString& bad :
         {QStringLiteral(".\\missing.png"), QCoreApplication::applicationFilePath()}) {
        w.box->setData(bad);
        QCOMPARE(w.box->Data(), bad);
        QCOMPARE(w.p.pic->pixmap().toImage(), before);
        QCOMPARE(w.p.border->size() * 15, QSize(1560, 960));
    }
}

// Refilling a box (the main window does so on every entry) leaves the focus where the user has
// it. Tab walks the boxes as chained, here against the order of creation, and coming in by
// Tab selects all the text.
void TestDataBox::focusAndTabOrder() {
    Window w;
    const auto add = [&](int type, const QString& name) {
        auto* box = new DataBox(&w.window);
        box->ChangeAll(qint16(type), name, list({"a"}), 1);
        box->show();
        return box;
    };
    DataBox* first = add(4, QStringLiteral("first"));
    QCOMPARE(add(0, QStringLiteral("word"))->focusWidgetForTab(), nullptr); // nothing to chain
    DataBox* second = add(2, QStringLiteral("second"));
    DataBox* third = add(4, QStringLiteral("third"));
    QWidget::setTabOrder(w.other, third->focusWidgetForTab());
    QWidget::setTabOrder(third->focusWidgetForTab(), second->focusWidgetForTab());
    QWidget::setTabOrder(second->focusWidgetForTab(), first->focusWidgetForTab());
    QVERIFY(w.active());
    w.other->setFocus();
    third->setData(list({"Петров", "b"}));
    QVERIFY(w.other->hasFocus());
    QStringList walk;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        const auto* edit = qobject_cast<QLineEdit*>(f);
        walk << qobject_cast<DataBox*>(f->parentWidget())->Header() + '.' + f->objectName() +
                    (edit ? ' ' + edit->selectedText() : QString());
    }
    QCOMPARE(walk, (QStringList{"third.Fras Петров", "third.Lis", "second.Tex", "first.Fras a",
                                "first.Lis"}));
}

void TestDataBox::partsMadeLate_data() {
    QTest::addColumn<QList<int>>("kinds"); // shown one after the other
    QTest::addColumn<QString>("made");     // the parts then, in the order of the box's children
    QTest::newRow("phrase") << QList<int>{1} << "Hed Border Fras";
    QTest::newRow("text") << QList<int>{2} << "Hed Border Fras Tex";
    QTest::newRow("list") << QList<int>{4} << "Hed Border Fras Lis";
    QTest::newRow("list, then text") << QList<int>{4, 2} << "Hed Border Fras Tex Lis";
    QTest::newRow("text, list, phrase") << QList<int>{2, 4, 1} << "Hed Border Fras Tex Lis";
}

// The text editor and the list are made when first shown, in whatever order: the box's
// children, their stacking and the focus chain are then those of a box that made both at
// once, and each new part carries the box's font, caption, focus policy and lock, and
// reports its edits.
void TestDataBox::partsMadeLate() {
    QFETCH(QList<int>, kinds);
    QFETCH(QString, made);
    const auto parts = [](const DataBox& box) {
        QStringList children, chain;
        for (const QObject* c : box.children())
            if (c->isWidgetType())
                children << c->objectName();
        for (QWidget* w = box.nextInFocusChain(); box.isAncestorOf(w); w = w->nextInFocusChain())
            if (!w->parentWidget()->inherits("QAbstractScrollArea"))
                chain << w->objectName();
        return children.join(u' ') + " | " + chain.join(u' ');
    };
    QWidget window;
    QFont font = window.font();
    font.setPointSize(font.pointSize() + 3);
    DataBox all(&window);
    all.makeAllParts();
    auto* late = new DataBox(&window);
    late->setHeaderFont(font);
    late->setTabStop(false);
    late->setLocked(true);
    late->setHeader(QStringLiteral("Поле"));
    for (const int kind : kinds)
        late->ChangeAll(qint16(kind), QStringLiteral("Поле"), QStringLiteral("a"), 1);
    QCOMPARE(parts(*late).section(u'|', 0, 0).trimmed(), made);
    late->makeAllParts();
    QCOMPARE(parts(*late), parts(all));
    const Parts p(*late);
    for (QWidget* editor : QList<QWidget*>{p.fras, p.tex(), p.lis()}) {
        QCOMPARE(editor->font(), font);
        QCOMPARE(editor->accessibleName(), QStringLiteral("Поле"));
        QCOMPARE(editor->focusPolicy(), Qt::ClickFocus);
    }
    QVERIFY(p.tex()->isReadOnly());
    late->setLocked(false);
    Log log(late);
    late->ChangeAll(2, QStringLiteral("Поле"), QStringLiteral("a"), 1);
    p.tex()->appendPlainText(QStringLiteral("b"));
    QCOMPARE(log.lines.last(), QStringLiteral("change a\nb"));
}

void TestDataBox::textFillAsSetPlainText_data() {
    QTest::addColumn<QStringList>("texts"); // shown one after the other
    QTest::addColumn<bool>("scrolled");     // the user scrolled down and moved the cursor first
    const QString longLine = QStringLiteral("Зелёный кот сидит на окне у реки ").repeated(6);
    QStringList many;
    for (int i = 0; i < 30; ++i)
        many << QStringLiteral("строка %1").arg(i);
    QTest::newRow("one line") << QStringList{"кот"} << false;
    QTest::newRow("lines, then fewer") << QStringList{many.join(u'\n'), "a\nb"} << true;
    QTest::newRow("wrapped, then empty") << QStringList{longLine, QString()} << true;
    QTest::newRow("empty, then lines") << QStringList{QString(), many.join(u'\n')} << false;
    QTest::newRow("long, then longer") << QStringList{longLine, longLine + '\n' + longLine} << true;
}

// A text box fills its editor without setPlainText, which lays the text out once more; what
// the editor then holds and shows is what setPlainText gives: text, cursor, scroll bars,
// undo, the modified flag and every pixel.
void TestDataBox::textFillAsSetPlainText() {
    QFETCH(QStringList, texts);
    QFETCH(bool, scrolled);
    Window w;
    w.box->ChangeAll(2, QStringLiteral("Текст"), QString(), 1, 3000, 1500);
    w.box->show();
    QPlainTextEdit* tex = w.p.tex();
    auto* reference = new QPlainTextEdit(&w.window);
    reference->setLineWrapMode(tex->lineWrapMode());
    reference->setVerticalScrollBarPolicy(tex->verticalScrollBarPolicy());
    reference->setHorizontalScrollBarPolicy(tex->horizontalScrollBarPolicy());
    reference->setGeometry(QRect(QPoint(0, 0), tex->size()));
    reference->show();
    QVERIFY(w.active());
    w.other->setFocus(); // no cursor blinking in either
    const auto state = [](QPlainTextEdit* e) {
        const QScrollBar* v = e->verticalScrollBar();
        const QTextCursor c = e->textCursor();
        const QTextDocument* d = e->document();
        return QList<int>{c.anchor(),           c.position(),    v->minimum(),
                          v->maximum(),         v->value(),      v->pageStep(),
                          d->isUndoAvailable(), d->isModified(), d->blockCount()};
    };
    for (const QString& text : texts) {
        if (scrolled) {
            for (QPlainTextEdit* e : {tex, reference}) {
                e->moveCursor(QTextCursor::End);
                e->verticalScrollBar()->setValue(e->verticalScrollBar()->maximum());
            }
        }
        w.box->setData(text);
        reference->setPlainText(text);
        QCOMPARE(tex->toPlainText(), reference->toPlainText());
        QCOMPARE(state(tex), state(reference));
        QCOMPARE(tex->grab().toImage(), reference->grab().toImage());
    }
}

void TestDataBox::drawnAsTheStyleDraws_data() {
    QTest::addColumn<QString>("kind");  // "edit": a line edit, "bar": a scroll bar, "list": rows
    QTest::addColumn<QString>("state"); // also "inactive": another window is active
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("copied"); // 1 from a picture, 0 drawn by the style, -1 either
    QTest::addColumn<QColor>("base");
    QTest::addColumn<bool>("plainGround"); // else a ground of stripes
    QTest::addColumn<QList<int>>("rows");  // a list's current row, then its selected ones
    const auto row = [](const char* name, const char* kind, const char* state, QSize size,
                        int copied, const QColor& base = {}, bool plainGround = true,
                        const QList<int>& rows = {}) {
        QTest::newRow(name) << kind << state << size << copied << base << plainGround << rows;
    };
    const QColor translucent(0, 128, 255, 90);
    row("phrase box", "edit", "", {120, 22}, 1);
    row("narrow and tall", "edit", "", {9, 40}, 1);
    row("disabled", "edit", "disabled", {200, 19}, 1);
    row("read-only", "edit", "read-only", {200, 19}, 1);
    row("focused", "edit", "focused", {200, 19}, 1);
    row("coloured base", "edit", "", {80, 25}, 1, QColor(250, 240, 200));
    row("translucent base", "edit", "", {80, 25}, 1, translucent);
    row("on stripes", "edit", "", {120, 22}, 0, {}, false);
    row("on stripes, translucent base", "edit", "", {80, 25}, 0, translucent, false);
    row("scroll bar", "bar", "", {14, 85}, 1);
    row("scroll bar, disabled", "bar", "disabled", {14, 85}, 1);
    row("scroll bar on stripes", "bar", "", {14, 120}, -1, {}, false);
    row("long scroll bar", "bar", "", {14, 400}, 1);
    row("long scroll bar, disabled", "bar", "disabled", {14, 400}, 1);
    row("long scroll bar on stripes", "bar", "", {14, 400}, -1, {}, false);
    row("long scroll bar across", "bar", "across", {400, 14}, 1);
    row("long scroll bar, nothing to scroll", "bar", "still", {14, 400}, 1);
    row("long scroll bar at its start", "bar", "start", {14, 400}, 1);
    const QSize list(160, 220); // every row in view
    row("rows: current, list without focus", "list", "", list, -1, {}, true, {0, 0});
    row("rows: current, list focused", "list", "focused", list, -1, {}, true, {1, 1});
    row("rows: several selected", "list", "focused", list, -1, {}, true, {2, 0, 2, 3});
    row("rows: none current", "list", "", list, -1, {}, true, {-1});
    row("rows: disabled", "list", "disabled", list, -1, {}, true, {3, 3, 4});
    row("rows: window inactive", "list", "inactive", list, -1, {}, true, {4, 1, 4});
}

// Two widgets made alike, the second drawn through EditorStyle (a line edit's panel or a scroll
// bar copied from a picture) or RowDelegate (a list's rows), look pixel for pixel the same, in
// every state and on a second paint too. On a ground of several colours a panel, which shows
// its ground at its corners, is drawn by the style.
void TestDataBox::drawnAsTheStyleDraws() {
    QFETCH(QString, kind);
    QFETCH(QString, state);
    QFETCH(QSize, size);
    QFETCH(int, copied);
    QFETCH(QColor, base);
    QFETCH(bool, plainGround);
    QFETCH(QList<int>, rows);
    EditorStyle* style = EditorStyle::instance();
    QVERIFY(style);
    QWidget window, other;
    window.resize(2 * size.width() + 40, size.height() + 40);
    QPalette ground = window.palette();
    QLinearGradient stripes(0, 0, 0, 5); // the same under both widgets
    stripes.setSpread(QGradient::RepeatSpread);
    stripes.setColorAt(0, Qt::darkRed);
    stripes.setColorAt(1, Qt::yellow);
    ground.setBrush(QPalette::Window, plainGround ? QBrush(QColor(230, 225, 215)) : stripes);
    window.setPalette(ground);
    window.setAutoFillBackground(true);
    auto* elsewhere = new QLineEdit(&window); // holds the focus unless a widget is to have it
    elsewhere->setGeometry(0, size.height() + 25, 10, 10);
    QList<QWidget*> shown;
    for (int i = 0; i < 2; ++i) {
        QWidget* w = nullptr;
        if (kind == "bar") {
            auto* bar = new QScrollBar(state == "across" ? Qt::Horizontal : Qt::Vertical, &window);
            bar->setRange(0, state == "still" ? 0 : 40);
            bar->setPageStep(10);
            bar->setValue(state == "start" ? 0 : 13);
            w = bar;
        } else if (kind == "list") {
            auto* list = new QListWidget(&window);
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
            list->addItems({QStringLiteral("кот0"),
                            QStringLiteral("Зелёный текст, что не помещается в строку списка"),
                            QString(), QStringLiteral("river 3"), QStringLiteral("Ёж"),
                            QStringLiteral("две\nстроки")});
            list->setUniformItemSizes(true); // as the program's lists: rows as high as the first
            list->setCurrentRow(rows[0], QItemSelectionModel::NoUpdate);
            for (int row : rows.mid(1))
                list->item(row)->setSelected(true);
            if (i == 1)
                list->setItemDelegate(new RowDelegate(list));
            w = list;
        } else {
            auto* edit = new QLineEdit(QStringLiteral("Ладога"), &window);
            edit->setReadOnly(state == "read-only");
            // Its own palette throughout, so that a new ground leaves it as it is.
            QPalette own = edit->palette();
            own.setResolveMask(~QPalette::ResolveMask(0));
            edit->setPalette(own);
            w = edit;
        }
        w->setGeometry(QRect(QPoint(10 + i * (size.width() + 20), 10), size));
        if (base.isValid()) {
            QPalette palette = w->palette();
            palette.setColor(QPalette::Base, base);
            w->setPalette(palette);
        }
        w->setEnabled(state != "disabled");
        shown << w;
    }
    if (kind != "list")
        EditorStyle::apply(shown[1]);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    elsewhere->setFocus();
    if (state == "inactive") {
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    // Rendered onto an image, as a window is onto its backing store.
    const auto look = [&](int i) {
        if (state == "focused")
            shown[i]->setFocus();
        QImage shot(window.size(), QImage::Format_RGB32);
        window.render(&shot);
        return shot.copy(shown[i]->geometry().adjusted(-2, -2, 2, 2));
    };
    const int copiesBefore = style->copies();
    for (int pass = 0; pass < 2; ++pass) // the first paint makes the picture, the second uses it
        QCOMPARE(look(1), look(0));
    if (copied >= 0)
        QCOMPARE(style->copies() > copiesBefore, copied == 1);
    if (kind == "bar") { // scrolled, on the same picture or a new one
        for (QWidget* w : shown)
            static_cast<QScrollBar*>(w)->setValue(state == "start" ? 40 : 37); // or its end
        QCOMPARE(look(1), look(0));
    }
    if (plainGround) { // on another ground, another picture
        ground.setColor(QPalette::Window, QColor(40, 90, 160));
        window.setPalette(ground);
        QCOMPARE(look(1), look(0));
    }
}

// Rows of every sort of text (tabs, right-to-left, a line break, marks and spaces of every
// kind, too long for the row) drawn by RowDelegate are those the style draws.
void TestDataBox::rowTexts() {
    const QStringList texts = {
        QStringLiteral("a\tb\tc"),
        QStringLiteral("line1\nline2"),
        QStringLiteral("a\u2028b"),
        QStringLiteral("c\rd"),
        QStringLiteral("שלום abc עולם"),
        QStringLiteral("مرحبا بالعالم 123"),
        QStringLiteral("&File && more"),
        QStringLiteral("   lead and trail   "),
        QStringLiteral("x\u00adsoft\u200bzw"),
        QStringLiteral("combining e\u0301\u0301"),
        QStringLiteral("\tstarts with a tab and is long enough to be cut short in its row")};
    QWidget window;
    window.resize(420, 420);
    QListWidget styled(&window), ours(&window);
    for (QListWidget* list : {&styled, &ours}) {
        list->addItems(texts);
        list->setUniformItemSizes(true);
        list->item(4)->setSelected(true);
    }
    styled.setGeometry(5, 5, 200, 400);
    ours.setGeometry(210, 5, 200, 400);
    ours.setItemDelegate(new RowDelegate(&ours));
    auto* elsewhere = new QLineEdit(&window);
    elsewhere->setGeometry(0, 405, 50, 14);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    elsewhere->setFocus();
    const auto shot = [](QListWidget& list) {
        QImage image(list.viewport()->size(), QImage::Format_RGB32);
        list.viewport()->render(&image);
        return image;
    };
    const QImage a = shot(styled), b = shot(ours);
    for (int i = 0; i < texts.size(); ++i) {
        const QRect row = styled.visualItemRect(styled.item(i));
        QVERIFY2(a.copy(row) == b.copy(ours.visualItemRect(ours.item(i))), qPrintable(texts[i]));
    }
}

QTEST_MAIN(TestDataBox)
#include "tst_databox.moc"
