// The field box widget: its members, its layout on screen and the events it raises.
#include "databox.h"
#include "fieldboxlayout.h"
#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
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
    QPlainTextEdit* tex = box.findChild<QPlainTextEdit*>(QStringLiteral("Tex"));
    QListWidget* lis = box.findChild<QListWidget*>(QStringLiteral("Lis"));
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
    void changeAllDefaults_data();
    void changeAllDefaults();
    void listNormalisation_data();
    void listNormalisation();
    void listMembers();
    void layoutOnScreen_data();
    void layoutOnScreen();
    void keepingTheLayout();
    void badPictureKeepsTheOldOne();
    void placeComesBackExactly();
    void typingAndLocking();
    void upDownInTheItemEditor();
    void pictureDragTranslatesOnce();
    void focus();
    void tabWalksBoxesInTheirOrder();

private:
    QTemporaryDir pictures;
};

void TestDataBox::initTestCase() {
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(pictures.filePath(QStringLiteral("p.png"))));
}

void TestDataBox::changeAllDefaults_data() {
    QTest::addColumn<QList<int>>("given");  // type, position, length, tall
    QTest::addColumn<QList<int>>("wanted"); // length, tall, position
    // The box had Length 777 and Tall 888 before.
    QTest::newRow("word") << QList<int>{0, 1, 0, 0} << QList<int>{100, 100, 1};
    QTest::newRow("phrase, number size") << QList<int>{1, 5, 500, 0} << QList<int>{500, 0, 5};
    QTest::newRow("text, position 0 becomes 1")
        << QList<int>{2, 0, 0, 0} << QList<int>{3000, 1300, 1};
    QTest::newRow("list, length given") << QList<int>{4, 3, 900, 0} << QList<int>{900, 2200, 3};
    QTest::newRow("type 5 keeps sizes") << QList<int>{5, 2, 0, 0} << QList<int>{777, 888, 2};
    QTest::newRow("type 5 takes a size given")
        << QList<int>{5, 2, 600, 0} << QList<int>{600, 888, 2};
}

void TestDataBox::changeAllDefaults() {
    QFETCH(QList<int>, given);
    QFETCH(QList<int>, wanted);
    DataBox box;
    box.setLength(777);
    box.setTall(888);
    int changes = 0;
    connect(&box, &DataBox::Change, &box, [&] { ++changes; });
    box.ChangeAll(qint16(given[0]), QStringLiteral("Поле"), QString(), qint16(given[1]),
                  qint16(given[2]), qint16(given[3]));
    QCOMPARE((QList<int>{box.BoxType(), box.Length(), box.Tall(), box.HeadPose(), changes}),
             QList<int>{given[0]} + wanted + QList<int>{1});
}

void TestDataBox::listNormalisation_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("empty: one empty item") << QString() << QString(Sep) << QStringList{""};
    QTest::newRow("no leading separator: one item")
        << QStringLiteral("abc") << list({"abc"}) << QStringList{"abc"};
    const QString spaced = list({QStringLiteral("one"), QStringLiteral("  two ")});
    QTest::newRow("spaces trimmed in the list, kept in Data")
        << spaced << spaced << QStringList{"one", "two"};
}

void TestDataBox::listNormalisation() {
    QFETCH(QString, value);
    QFETCH(QString, data);
    QFETCH(QStringList, items);
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), QStringLiteral("old"), 1);
    box.setData(value);
    QCOMPARE(box.Data(), data);
    QCOMPARE(box.ItemCount(), items.size());
    QStringList listed;
    for (int i = 1; i <= box.ListCount(); ++i)
        listed << box.Listing(qint16(i));
    QCOMPARE(listed, items);
    QCOMPARE(Parts(box).fras->text(), items.first()); // the first item is selected
}

// Each member that changes the list rebuilds Data and raises Change once, after storing it.
void TestDataBox::listMembers() {
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), list({"a", "  b ", "c"}), 1);
    QListWidget* lis = Parts(box).lis;
    QStringList seen;
    connect(&box, &DataBox::Change, &box, [&] { seen << box.Data(); });
    box.AddItem(QStringLiteral("new"));
    box.AddItem(QStringLiteral("first"), 0);
    box.AddItem(QStringLiteral("far"), 6);              // past the end: nothing
    box.DelItem(1);                                     // the current item
    Parts(box).fras->setText(QStringLiteral("edited")); // the editor now belongs to no item
    box.DelItem(4);                                     // past the end: nothing
    lis->clearSelection();
    lis->item(0)->setSelected(true);
    lis->item(2)->setSelected(true);
    box.DelSelected();
    box.AddItem(QStringLiteral("x") + Sep + QStringLiteral("y")); // stays one item
    lis->selectAll();
    box.DelSelected();
    QCOMPARE(seen, (QStringList{list({"a", "b", "c", "new"}), list({"first", "a", "b", "c", "new"}),
                                list({"first", "b", "c", "new"}), list({"b", "new"}),
                                list({"b", "new", "x y"}), QString()}));
    QCOMPARE(box.ListCount(), 0);
}

void TestDataBox::layoutOnScreen_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("pose");
    QTest::addColumn<QString>("header");
    QTest::newRow("phrase 2") << 1 << 2 << QStringLiteral("Имя");
    QTest::newRow("text 11") << 2 << 11 << QStringLiteral("Имя");
    QTest::newRow("picture 11") << 3 << 11 << QStringLiteral("Имя");
    QTest::newRow("list 5") << 4 << 5 << QStringLiteral("Имя");
    QTest::newRow("wide list 12") << 4 << 12
                                  << QStringLiteral("Очень длинный заголовок этого поля");
}

// The widget shows what the calculation gives for its own header, in whole pixels.
void TestDataBox::layoutOnScreen() {
    QFETCH(int, type);
    QFETCH(int, pose);
    QFETCH(QString, header);
    DataBox box;
    box.setPictureBase(pictures.path());
    box.ChangeAll(qint16(type), header, type == 3 ? QStringLiteral("p.png") : list({"a"}),
                  qint16(pose));
    const Parts p(box);
    const FieldBoxLayout::Result r =
        FieldBoxLayout::layOut({box.BoxType(), box.HeadPose(), true, p.hed->width() * 15,
                                p.hed->height() * 15, box.Length(), box.Tall(), QSize(1500, 900),
                                285, QPointF(), QPointF(), QPointF(), QSizeF()});
    const auto px = [](const QRectF& t) {
        return QRect(Twips::toPixels(t.x()), Twips::toPixels(t.y()), Twips::toPixels(t.width()),
                     Twips::toPixels(t.height()));
    };
    const QList<QWidget*> content{nullptr, p.fras, p.tex, p.border, p.lis};
    QCOMPARE((QList<QRect>{p.hed->geometry(), content[type] ? content[type]->geometry() : QRect(),
                           type == 4 ? p.fras->geometry() : QRect(), box.rect()}),
             (QList<QRect>{px(r.header), px(r.content), px(r.editor), px({{}, r.box})}));
}

// A header position outside 1..12 and a number box both leave everything where it was.
void TestDataBox::keepingTheLayout() {
    DataBox box;
    box.ChangeAll(2, QStringLiteral("Текст"), QStringLiteral("abc"), 8);
    const Parts p(box);
    const auto places = [&] {
        return QList<QRect>{box.rect(), QRect(p.hed->pos(), QSize()), p.tex->geometry()};
    };
    const QList<QRect> before = places();
    box.setHeadPose(0);
    QCOMPARE(places(), before);
    box.ChangeAll(5, QStringLiteral("Число"), QStringLiteral("42"), 3);
    QCOMPARE(places(), before);

    // Another type then shows its own editor where the content was.
    const QPoint frasAt = p.fras->pos();
    box.setHeadPose(0);
    box.setBoxType(1);
    QVERIFY(!p.fras->isHidden() && p.tex->isHidden());
    QCOMPARE(p.fras->pos(), frasAt);
    QCOMPARE(places().mid(0, 2), before.mid(0, 2));
}

void TestDataBox::badPictureKeepsTheOldOne() {
    DataBox box;
    box.setPictureBase(pictures.path());
    box.ChangeAll(3, QStringLiteral("Фото"), QStringLiteral(".\\p.png"), 1);
    const Parts p(box);
    const QImage before = p.pic->pixmap().toImage();
    // A missing file and a file that is no picture (this program).
    for (const QString& bad :
         {QStringLiteral(".\\missing.png"), QCoreApplication::applicationFilePath()}) {
        box.setData(bad);
        QCOMPARE(box.Data(), bad);
        QCOMPARE(p.pic->pixmap().toImage(), before);
        QCOMPARE(p.border->size() * 15, QSize(1560, 960));
    }
}

// moveTwips keeps the exact twips while the box stays put, whatever the pixel rounding.
void TestDataBox::placeComesBackExactly() {
    QWidget parent;
    DataBox box(&parent);
    for (const QPoint at : {QPoint(2201, 907), QPoint(0, 14), QPoint(2250, 915)}) {
        box.moveTwips(at.x(), at.y());
        QCOMPARE(QPoint(box.leftTwips(), box.topTwips()), at);
    }
    QCOMPARE(box.pos(), QPoint(150, 61));
    box.move(box.pos() + QPoint(1, 0)); // moved by other means: its pixels count
    QCOMPARE(box.leftTwips(), 151 * 15);
}

void TestDataBox::typingAndLocking() {
    Window w;
    QVERIFY(w.active());
    w.box->ChangeAll(1, QStringLiteral("Имя"), QString(), 1);
    w.p.fras->setFocus();
    Log log(w.box);
    QTest::keyClick(w.p.fras, Qt::Key_X);
    const QString down = Log::key("keydown", Qt::Key_X), up = Log::key("keyup", Qt::Key_X);
    QCOMPARE(log.lines, (QStringList{down, "change x", up}));

    // The item editor writes its item back; locked, it takes no keys but the list still
    // selects, copies the item into the editor and reports it.
    w.box->ChangeAll(4, QStringLiteral("Список"), list({"a", "b", "c"}), 1);
    w.p.lis->setCurrentRow(1);
    w.p.fras->end(false);
    log.lines.clear();
    QTest::keyClick(w.p.fras, Qt::Key_X);
    w.box->setLocked(true);
    QVERIFY(w.p.fras->isReadOnly() && w.p.tex->isReadOnly());
    QTest::keyClick(w.p.fras, Qt::Key_X);
    w.p.lis->setCurrentRow(2);
    const QString bx = list({"a", "bx", "c"});
    QCOMPARE(log.lines, (QStringList{down, "change " + bx, up, down, up, "change " + bx}));
    QCOMPARE(w.p.fras->text(), QStringLiteral("c"));
}

// Up and Down in the item editor walk the list; only a key that walks nowhere reaches KeyUp.
void TestDataBox::upDownInTheItemEditor() {
    Window w;
    QVERIFY(w.active());
    const QStringList items{"first", "second", "third"};
    w.box->ChangeAll(4, QStringLiteral("Список"), list(items), 1);
    w.p.lis->setCurrentRow(-1);
    w.p.fras->setFocus();
    Log log(w.box);
    QStringList walk; // the current row and the editor's selected text after each key
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,
                        Qt::Key_Up, Qt::Key_Up}) {
        QTest::keyClick(w.p.fras, key);
        walk << QStringLiteral("%1 %2").arg(*w.box->ListIndex()).arg(w.p.fras->selectedText());
    }
    QCOMPARE(walk, (QStringList{"0 first", "1 second", "2 third", "2 third", "1 second", "0 first",
                                "0 first"}));
    const QString down = Log::key("keydown", Qt::Key_Down), up = Log::key("keydown", Qt::Key_Up);
    QCOMPARE(log.lines.filter(QStringLiteral("key")), // KeyUp only at the ends
             (QStringList{down, down, down, down, Log::key("keyup", Qt::Key_Down), up, up, up,
                          Log::key("keyup", Qt::Key_Up)}));
    QVERIFY(w.p.fras->hasFocus());
    QCOMPARE(w.box->Data(), list(items));
}

// Down, move and up on the picture inside its frame come out in the box's twips, all with
// the same offset, so a drag does not jump.
void TestDataBox::pictureDragTranslatesOnce() {
    Window w;
    w.box->setPictureBase(pictures.path());
    w.box->ChangeAll(3, QStringLiteral("Картинка"), QStringLiteral("p.png"), 5);
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
}

void TestDataBox::focus() {
    Window w;
    QVERIFY(w.active());
    // Showing another value (the main window does so on every entry) leaves the focus where
    // the user has it, say in the entry list walked with the arrow keys.
    w.other->setFocus();
    w.box->ChangeAll(4, QStringLiteral("Список"), list({"a", "b"}), 1);
    w.box->setData(list({"Петров", "b"}));
    QVERIFY(w.other->hasFocus());
    // Coming in by Tab or from the program selects all the text.
    QWidget::setTabOrder(w.other, w.p.fras);
    QTest::keyClick(w.other, Qt::Key_Tab);
    QCOMPARE(w.p.fras->selectedText(), QStringLiteral("Петров"));
    w.box->ChangeAll(2, QStringLiteral("Текст"), QStringLiteral("строка"), 1);
    w.p.tex->setFocus(Qt::OtherFocusReason);
    QCOMPARE(w.p.tex->textCursor().selectedText(), QStringLiteral("строка"));
}

void TestDataBox::tabWalksBoxesInTheirOrder() {
    Window w;
    const auto add = [&](int type, const QString& name) {
        auto* box = new DataBox(&w.window);
        box->ChangeAll(qint16(type), name, list({"a"}), 1);
        box->show();
        return box->focusWidgetForTab();
    };
    QWidget* first = add(4, QStringLiteral("first"));
    QCOMPARE(add(0, QStringLiteral("word")), nullptr); // nothing to chain
    QWidget* second = add(2, QStringLiteral("second"));
    QWidget* third = add(4, QStringLiteral("third"));
    // Chained against the order of creation, as an output order may ask.
    QWidget::setTabOrder(w.other, third);
    QWidget::setTabOrder(third, second);
    QWidget::setTabOrder(second, first);
    QVERIFY(w.active());
    w.other->setFocus();
    QStringList walk;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        walk << qobject_cast<DataBox*>(f->parentWidget())->Header() + '.' + f->objectName();
    }
    QCOMPARE(walk,
             (QStringList{"third.Fras", "third.Lis", "second.Tex", "first.Fras", "first.Lis"}));
}

QTEST_MAIN(TestDataBox)
#include "tst_databox.moc"
