// The card designer and the list item commands, driven through the window's buttons, its
// box popups and mouse events on the boxes.
#include "databox.h"
#include "support/samplevorn.h"
#include "support/scriptedprompts.h"
#include "support/sequencerandom.h"
#include "view.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <optional>

using Kind = ScriptedPrompts::Kind;

namespace {

const QChar Sep(11);
const QString HeadNamText = QStringLiteral("Новое поле");

// A list value from its items.
QString listOf(const QStringList& items) {
    QString value;
    for (const QString& item : items)
        value += Sep + item;
    return value;
}

struct Fixture {
    ScriptedPrompts prompts;
    SequenceRandom random;
    View view{prompts, random};

    explicit Fixture(std::initializer_list<double> numbers = {}) : random(numbers) {}

    QListWidget* list() const { return view.findChild<QListWidget*>(QStringLiteral("VornList")); }
    QLineEdit* headNam() const { return view.findChild<QLineEdit*>(QStringLiteral("HeadNam")); }
    QWidget* card() const { return view.findChild<QWidget*>(QStringLiteral("Card")); }
    void click(const QString& name) const {
        auto* b = view.findChild<QPushButton*>(name);
        QVERIFY2(b, qPrintable(name));
        b->click();
    }
    QAction* action(const QString& name) const { return view.findChild<QAction*>(name); }
    // Chooses an item of box k's popup as the user would: the popup names the box first.
    void choose(int k, const QString& name) {
        QVERIFY(view.prepareBoxPopup(k));
        QAction* a = action(name);
        QVERIFY2(a, qPrintable(name));
        a->trigger();
    }
    QListWidget* lis(int k) const {
        return view.Box(k)->findChild<QListWidget*>(QStringLiteral("Lis"));
    }
    QStringList listTexts() const {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    // Shows v unlocked with the card item selected and Modified cleared.
    void open(Vorn v) {
        view.adoptVorn(std::move(v));
        view.TurnEdit(false);
        view.vorn().Modified = false;
    }
    // Drops need the window laid out: a box is kept inside its client area.
    void show() {
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    void select(int index) {
        list()->setCurrentRow(index);
        view.vorn().Modified = false;
    }
    bool bold(int k) const {
        return view.Box(k)->findChild<QLabel*>(QStringLiteral("Hed"))->font().bold();
    }
};

// A card of one box of the given kind (5: number) with default value value.
Vorn oneBox(qint16 kind, const QString& value = {}, qint16 headPose = 1) {
    return SampleVorn::make(
        {SampleVorn::box(kind, QStringLiteral("Поле"), value, 3000, 2000, headPose)}, {});
}

// A list box "Список" (default: a, b, c) and two entries with lists of their own.
Vorn listCard() {
    return SampleVorn::make(
        {SampleVorn::box(BoxKind::Phrase, QStringLiteral("Имя"), QStringLiteral("имя?"), 2400,
                         1000),
         SampleVorn::box(BoxKind::List, QStringLiteral("Список"), listOf({"a", "b", "c"}), 5000,
                         1000)},
        {{QStringLiteral("e1"), listOf({"x", "y"})}, {QStringLiteral("e2"), listOf({"z"})}}, 1);
}

void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint at) {
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Sends a whole drag-and-drop of mime onto the card at a point (pixels); whether the card
// took it.
bool dropOnCard(QWidget* card, const QMimeData* mime, QPoint at) {
    QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(card, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(card, &drop);
    return drop.isAccepted();
}

} // namespace

class TestDesigner : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addButtons_data();
    void addButtons();
    void titleBoxOnlyForTheFirstBox_data();
    void titleBoxOnlyForTheFirstBox();
    void addOnlyWhileDesigning_data();
    void addOnlyWhileDesigning();
    void addStopsAt49Boxes_data();
    void addStopsAt49Boxes();
    void placementFormula_data();
    void placementFormula();
    void placementOfAddedBoxes_data();
    void placementOfAddedBoxes();

    void grabPointOnEveryPress_data();
    void grabPointOnEveryPress();
    void dragStarts_data();
    void dragStarts();
    void dragMoveNeverReachesTheEditor_data();
    void dragMoveNeverReachesTheEditor();
    void dragCarriesTheBoxPicture();
    void dropPlacesTheBox_data();
    void dropPlacesTheBox();
    void dropKeepsTheBoxReachable_data();
    void dropKeepsTheBoxReachable();
    void dropOnAnotherBox_data();
    void dropOnAnotherBox();
    void dropEventsOnTheCard_data();
    void dropEventsOnTheCard();

    void popupMenusStructure();
    void popupMarks_data();
    void popupMarks();
    void whichPopupOpens_data();
    void whichPopupOpens();

    void retyping_data();
    void retyping();
    void retypingTheTitleBox_data();
    void retypingTheTitleBox();
    void headerPositionAndRenew();
    void removeBox_data();
    void removeBox();
    void removedSlotIsReused();
    void choosePicture_data();
    void choosePicture();

    void insertItem_data();
    void insertItem();
    void itemCountFrom_data();
    void itemCountFrom();
    void addNumberedItems_data();
    void addNumberedItems();
    void addNumberedItemsUpToTheListLimit_data();
    void addNumberedItemsUpToTheListLimit();
    void deleteSelectedItems();
    void copyAndPasteAcrossEntries();
    void listBufferOutlivesTheVorn();
    void designModeChangesTheDefaultList();
    void listCommandsNeedAnUnlockedListBox_data();
    void listCommandsNeedAnUnlockedListBox();
};

// --- adding ------------------------------------------------------------------------------

void TestDesigner::addButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("headPose");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("tall");
    QTest::addColumn<bool>("tabStop");
    QTest::newRow("phrase") << "AddFrase" << 1 << "Цвет" << 1 << 1700 << 0 << true;
    QTest::newRow("text") << "AddText" << 2 << "Цвет" << 1 << 3000 << 1300 << true;
    QTest::newRow("number") << "AddNum" << 1 << "Цвет" << 5 << 500 << 0 << true;
    QTest::newRow("list") << "AddList" << 4 << "Цвет" << 1 << 1500 << 2200 << true;
    QTest::newRow("picture") << "AddPic" << 3 << ".\\Кошки\\Цвет" << 11 << 0 << 0 << false;
}

void TestDesigner::addButtons() {
    QFETCH(QString, button);
    QFETCH(int, type);
    QFETCH(QString, header);
    QFETCH(int, headPose);
    QFETCH(int, length);
    QFETCH(int, tall);
    QFETCH(bool, tabStop);
    Fixture f;
    f.open(oneBox(BoxKind::Text, QStringLiteral("старое")));
    f.view.vorn().VornName = QStringLiteral("Кошки");
    f.headNam()->setText(QStringLiteral("Цвет"));

    f.click(button);

    const Vorn& v = f.view.vorn();
    QCOMPARE(v.BoxCount, qint16(2));
    DataBox* box = f.view.Box(1);
    QVERIFY(box->isVisibleTo(&f.view));
    QCOMPARE(int(box->BoxType()), type);
    QCOMPARE(box->Header(), header);
    QCOMPARE(int(box->HeadPose()), headPose);
    QCOMPARE(int(box->Length()), length);
    QCOMPARE(int(box->Tall()), tall);
    QCOMPARE(box->tabStop(), tabStop);
    // A new box starts empty, and so does the card's default value for it.
    QCOMPARE(box->Data(), type == BoxKind::List ? QString(Sep) : QString());
    QCOMPARE(v.descriptor(2).DefaultValue, box->Data());
    QCOMPARE(v.descriptor(1).DefaultValue, QStringLiteral("старое"));
    QCOMPARE(v.Modified, true);
    QCOMPARE(f.random.calls(), 2);
    QVERIFY(f.prompts.asked().isEmpty());

    // The layout taken from the boxes stores the new kind.
    f.view.GetFormat();
    const int stored = button == QLatin1String("AddNum") ? BoxKind::Number : type;
    QCOMPARE(int(v.descriptor(2).Type), stored);
    QCOMPARE(v.descriptor(2).Header, header);
}

void TestDesigner::titleBoxOnlyForTheFirstBox_data() {
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("title");
    QTest::newRow("phrase first") << QStringList{"AddFrase", "AddText"} << 1;
    QTest::newRow("text first") << QStringList{"AddText", "AddFrase"} << 1;
    QTest::newRow("number first") << QStringList{"AddNum", "AddNum"} << 1;
    QTest::newRow("list first: none, later ones neither")
        << QStringList{"AddList", "AddFrase", "AddText"} << -1;
    QTest::newRow("picture first: none") << QStringList{"AddPic", "AddNum"} << -1;
}

void TestDesigner::titleBoxOnlyForTheFirstBox() {
    QFETCH(QStringList, buttons);
    QFETCH(int, title);
    Fixture f;
    // Two entries and no boxes: the entry list shows whether the captions follow the title.
    f.open(SampleVorn::make({}, {{}, {}}));
    for (const QString& b : buttons)
        f.click(b);

    QCOMPARE(int(f.view.vorn().TitleBox), title);
    for (int k = 0; k < buttons.size(); ++k)
        QCOMPARE(f.bold(k), k + 1 == title);
    const QString blank = title == -1 ? QString() : QStringLiteral(" ");
    QCOMPARE(f.listTexts(), (QStringList{"000 Форма", "001" + blank, "002" + blank}));
}

void TestDesigner::addOnlyWhileDesigning_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("locked");
    QTest::newRow("entry selected") << 1 << false;
    QTest::newRow("card item, locked") << 0 << true;
}

void TestDesigner::addOnlyWhileDesigning() {
    QFETCH(int, selected);
    QFETCH(bool, locked);
    Fixture f;
    f.open(SampleVorn::numbered(2));
    f.select(selected);
    if (locked)
        f.view.TurnEdit(true);
    f.view.vorn().Modified = false;
    for (const char* b : {"AddFrase", "AddText", "AddNum", "AddList", "AddPic"})
        f.click(QLatin1String(b));
    QCOMPARE(f.view.vorn().BoxCount, qint16(2));
    QVERIFY(!f.view.Box(2)->isVisibleTo(&f.view));
    QCOMPARE(f.random.calls(), 0);
    QCOMPARE(f.view.vorn().Modified, false);
}

void TestDesigner::addStopsAt49Boxes_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    for (const char* b : {"AddFrase", "AddText", "AddNum", "AddList", "AddPic"}) {
        QTest::addRow("%s at 48 adds the 49th", b) << b << 48 << 49;
        QTest::addRow("%s at 49 does nothing", b) << b << 49 << 49;
    }
}

void TestDesigner::addStopsAt49Boxes() {
    QFETCH(QString, button);
    QFETCH(int, before);
    QFETCH(int, after);
    Fixture f;
    for (int i = 0; i < before; ++i)
        f.click(QStringLiteral("AddFrase"));
    QCOMPARE(int(f.view.vorn().BoxCount), before);
    const int calls = f.random.calls();

    f.click(button);

    QCOMPARE(int(f.view.vorn().BoxCount), after);
    QCOMPARE(f.random.calls(), calls + 2 * (after - before));
    QCOMPARE(f.view.Box(48)->isVisibleTo(&f.view), after == 49);
    QVERIFY(!f.view.Box(49)->isVisibleTo(&f.view));
}

void TestDesigner::placementFormula_data() {
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("extent");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    QTest::newRow("r = 0: the card area's edge") << 0.0 << 8880 << 3000 << 2200 << 2200;
    QTest::newRow("r just below 1: the last place that fits")
        << 0.9999999 << 8880 << 3000 << 2200 << 5880;
    QTest::newRow("a quarter: whole part taken") << 0.25 << 8880 << 3000 << 2200 << 3120;
    QTest::newRow("top axis") << 0.5 << 7725 << 700 << 900 << 3963;
    QTest::newRow("exactly room for the box") << 0.7 << 5200 << 3000 << 2200 << 2200;
    // A window narrower than the box plus the card's edge: the offset is negative and
    // its whole part rounds down, so the box can land left of the card area.
    QTest::newRow("narrow window, r = 0.5") << 0.5 << 4000 << 3000 << 2200 << 1600;
    QTest::newRow("narrow window, r = 0") << 0.0 << 4000 << 3000 << 2200 << 2200;
    QTest::newRow("narrow window, tiny r rounds down") << 0.001 << 4000 << 3000 << 2200 << 2198;
}

void TestDesigner::placementFormula() {
    QFETCH(double, r);
    QFETCH(int, extent);
    QFETCH(int, size);
    QFETCH(int, start);
    QFETCH(int, expected);
    QCOMPARE(View::randomPlace(r, extent, size, start), expected);
}

void TestDesigner::placementOfAddedBoxes_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QSize>("window"); // pixels
    QTest::addColumn<QPoint>("expected");
    // Window 592 x 515 pixels = 8880 x 7725 twips; r1 = 0.25, r2 = 0.5.
    QTest::newRow("phrase") << "AddFrase" << QSize(592, 515) << QPoint(2200 + 920, 900 + 3063);
    QTest::newRow("text") << "AddText" << QSize(592, 515) << QPoint(2200 + 920, 900 + 2663);
    QTest::newRow("number") << "AddNum" << QSize(592, 515) << QPoint(2200 + 1495, 900 + 3063);
    QTest::newRow("list") << "AddList" << QSize(592, 515) << QPoint(2200 + 1420, 900 + 1913);
    QTest::newRow("picture") << "AddPic" << QSize(592, 515) << QPoint(2200 + 1295, 900 + 2663);
    // 1000 x 700 pixels = 15000 x 10500 twips.
    QTest::newRow("phrase, larger window")
        << "AddFrase" << QSize(1000, 700) << QPoint(2200 + 2450, 900 + 4450);
}

void TestDesigner::placementOfAddedBoxes() {
    QFETCH(QString, button);
    QFETCH(QSize, window);
    QFETCH(QPoint, expected);
    Fixture f{0.25, 0.5};
    f.view.resize(window);
    QCOMPARE(f.view.size(), window);
    f.click(button);
    QCOMPARE(f.view.boxPosition(0), expected);
    // Stored exactly as placed.
    f.view.GetFormat();
    QCOMPARE(QPoint(f.view.vorn().descriptor(1).Left, f.view.vorn().descriptor(1).Top), expected);
}

// --- dragging ----------------------------------------------------------------------------

void TestDesigner::grabPointOnEveryPress_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("button");
    QTest::newRow("designing, left") << 0 << 1;
    QTest::newRow("designing, right") << 0 << 2;
    QTest::newRow("entry, middle") << 1 << 4;
}

void TestDesigner::grabPointOnEveryPress() {
    QFETCH(int, selected);
    QFETCH(int, button);
    Fixture f;
    f.open(SampleVorn::numbered(2));
    f.select(selected);
    // Taken to the nearest whole twip.
    Q_EMIT f.view.Box(1)->MouseDown(button, 0, 123.4, 567.6);
    QCOMPARE(f.view.vorn().GrabX, qint16(123));
    QCOMPARE(f.view.vorn().GrabY, qint16(568));
}

void TestDesigner::dragStarts_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("distance"); // pixels moved to the right
    QTest::addColumn<bool>("starts");
    const int far = QApplication::startDragDistance() + 2;
    QTest::newRow("header, left, designing") << "Hed" << 0 << int(Qt::LeftButton) << far << true;
    QTest::newRow("editor, left, designing") << "Fras" << 0 << int(Qt::LeftButton) << far << true;
    QTest::newRow("a shaking hand") << "Hed" << 0 << int(Qt::LeftButton) << 1 << false;
    QTest::newRow("entry selected") << "Hed" << 1 << int(Qt::LeftButton) << far << false;
    QTest::newRow("right button") << "Hed" << 0 << int(Qt::RightButton) << far << false;
    QTest::newRow("left and right")
        << "Hed" << 0 << int(Qt::LeftButton | Qt::RightButton) << far << false;
}

void TestDesigner::dragStarts() {
    QFETCH(QString, part);
    QFETCH(int, selected);
    QFETCH(int, buttons);
    QFETCH(int, distance);
    QFETCH(bool, starts);
    Fixture f;
    f.open(SampleVorn::numbered(2));
    f.select(selected);
    f.show();
    QSignalSpy drags(&f.view, &View::boxDragStarted);
    auto* w = f.view.Box(0)->findChild<QWidget*>(part);
    QVERIFY(w);
    const QPoint before = f.view.boxPosition(0);
    const auto held = Qt::MouseButtons::fromInt(buttons);
    const Qt::MouseButton first = held & Qt::LeftButton ? Qt::LeftButton : Qt::RightButton;

    sendMouse(w, QEvent::MouseButtonPress, first, held, QPoint(5, 5));
    sendMouse(w, QEvent::MouseMove, Qt::NoButton, held, QPoint(5 + distance, 5));
    sendMouse(w, QEvent::MouseButtonRelease, first, Qt::NoButton, QPoint(5 + distance, 5));
    for (QMenu* popup : f.view.findChildren<QMenu*>()) // a right-button release opens one
        popup->hide();

    QCOMPARE(drags.count(), starts ? 1 : 0);
    if (starts)
        QCOMPARE(drags.at(0).at(0).toInt(), 0);
    // No drop happened: the box stays where it was.
    QCOMPARE(f.view.boxPosition(0), before);
    QCOMPARE(f.view.vorn().Modified, false);
    QCOMPARE(f.view.Box(0)->Data(), selected == 0 ? QStringLiteral("имя?") : QStringLiteral("e1"));
}

void TestDesigner::dragMoveNeverReachesTheEditor_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("dragged");
    QTest::newRow("designing: the box is dragged") << 0 << true;
    QTest::newRow("entry: the editor selects text") << 1 << false;
}

// The move that starts a box's drag must not also reach the editor under the mouse, which
// would begin a selection or a text drag of its own.
void TestDesigner::dragMoveNeverReachesTheEditor() {
    QFETCH(int, selected);
    QFETCH(bool, dragged);
    const QString text = QStringLiteral("abcdefghijkl");
    Fixture f;
    f.open(SampleVorn::make({SampleVorn::box(BoxKind::Phrase, QStringLiteral("Имя"), text)},
                            {{text}}));
    f.select(selected);
    f.show();
    QSignalSpy drags(&f.view, &View::boxDragStarted);
    auto* fras = f.view.Box(0)->findChild<QLineEdit*>(QStringLiteral("Fras"));
    const int y = fras->height() / 2;

    sendMouse(fras, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(3, y));
    sendMouse(fras, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(60, y));
    sendMouse(fras, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(60, y));

    QCOMPARE(drags.count(), dragged ? 1 : 0);
    QCOMPARE(fras->selectedText().isEmpty(), dragged);
    QCOMPARE(fras->text(), text);
}

void TestDesigner::dragCarriesTheBoxPicture() {
    Fixture f;
    f.open(SampleVorn::numbered(1));
    Q_EMIT f.view.Box(1)->MouseDown(1, 0, 300.0, 150.0);
    std::unique_ptr<QDrag> drag(f.view.makeBoxDrag(1));
    QVERIFY(drag);
    const QPixmap picture = drag->pixmap();
    QCOMPARE(picture.deviceIndependentSize().toSize(), f.view.Box(1)->size());
    QCOMPARE(drag->hotSpot(), QPoint(20, 10));
    QCOMPARE(f.view.draggedBox(drag->mimeData()), std::optional<int>(1));
    // No text a text editor could take in.
    QVERIFY(!drag->mimeData()->hasText());

    // Another window's drag is not one of ours.
    Fixture other;
    other.open(SampleVorn::numbered(1));
    QCOMPARE(other.view.draggedBox(drag->mimeData()), std::nullopt);
    QMimeData plain;
    plain.setText(QStringLiteral("1"));
    QCOMPARE(f.view.draggedBox(&plain), std::nullopt);
}

void TestDesigner::dropPlacesTheBox_data() {
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<QPoint>("drop");
    QTest::addColumn<QPoint>("expected");
    // The client area is 8880 twips wide; the phrase box "Имя" is 1700 wide or a little
    // more, and well under 1000 high.
    QTest::newRow("inside the card") << QPoint(100, 50) << QPoint(4100, 3050) << QPoint(4000, 3000);
    QTest::newRow("left of the card area")
        << QPoint(100, 50) << QPoint(2000, 3050) << QPoint(2200, 3000);
    QTest::newRow("exactly at the edge") << QPoint(0, 0) << QPoint(2200, 900) << QPoint(2200, 900);
    QTest::newRow("above the card area")
        << QPoint(100, 50) << QPoint(4100, 500) << QPoint(4000, 900);
    QTest::newRow("both floors, grab point large")
        << QPoint(1500, 300) << QPoint(2300, 1000) << QPoint(2200, 900);
    QTest::newRow("no grid: any twip") << QPoint(7, 3) << QPoint(3338, 2002) << QPoint(3331, 1999);
}

void TestDesigner::dropPlacesTheBox() {
    QFETCH(QPoint, grab);
    QFETCH(QPoint, drop);
    QFETCH(QPoint, expected);
    Fixture f;
    f.open(SampleVorn::numbered(1));
    f.show();
    Q_EMIT f.view.Box(0)->MouseDown(1, 0, grab.x(), grab.y());
    const QSize size(f.view.Box(0)->widthTwips(), f.view.Box(0)->heightTwips());

    f.view.dropBox(0, drop);

    QCOMPARE(f.view.boxPosition(0), expected);
    QCOMPARE(f.view.vorn().Modified, true);
    QCOMPARE(QSize(f.view.Box(0)->widthTwips(), f.view.Box(0)->heightTwips()), size);
    QCOMPARE(f.view.boxPosition(1), QPoint(5400, 1100)); // the other box stays
}

void TestDesigner::dropKeepsTheBoxReachable_data() {
    QTest::addColumn<QPoint>("drop");
    QTest::addColumn<int>("tall"); // 0: the box's own
    QTest::addColumn<bool>("atRight");
    QTest::addColumn<bool>("atBottom");
    QTest::addColumn<QPoint>("expected"); // on the axes not held at an edge
    // Grab point (100, 50).
    QTest::newRow("past the right edge")
        << QPoint(20000, 3050) << 0 << true << false << QPoint(0, 3000);
    QTest::newRow("below the bottom")
        << QPoint(4100, 20000) << 0 << false << true << QPoint(4000, 0);
    QTest::newRow("past both") << QPoint(30000, 30000) << 0 << true << true << QPoint();
    QTest::newRow("just fits at the right")
        << QPoint(-1, 3050) << 0 << true << false << QPoint(0, 3000);
    QTest::newRow("taller than the room: the card's top")
        << QPoint(4100, 20000) << 9000 << false << false << QPoint(4000, 900);
}

void TestDesigner::dropKeepsTheBoxReachable() {
    QFETCH(QPoint, drop);
    QFETCH(int, tall);
    QFETCH(bool, atRight);
    QFETCH(bool, atBottom);
    QFETCH(QPoint, expected);
    Fixture f;
    f.open(SampleVorn::numbered(1));
    f.show();
    DataBox* box = f.view.Box(1); // the text box
    if (tall)
        box->setTall(static_cast<qint16>(tall));
    Q_EMIT box->MouseDown(1, 0, 100.0, 50.0);
    const QSize client = f.card()->size() * 15;
    const QPoint edge(client.width() - box->widthTwips(), client.height() - box->heightTwips());
    if (drop.x() == -1) // exactly at the right edge: nothing to hold back
        drop.setX(edge.x() + 100);

    f.view.dropBox(1, drop);

    const QPoint at = f.view.boxPosition(1);
    QCOMPARE(at.x(), atRight ? edge.x() : expected.x());
    QCOMPARE(at.y(), atBottom ? edge.y() : expected.y());
    QVERIFY(at.x() + box->widthTwips() <= client.width());
    if (!tall)
        QVERIFY(at.y() + box->heightTwips() <= client.height());
}

void TestDesigner::dropOnAnotherBox_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<QPoint>("inTarget");
    QTest::addColumn<QPoint>("expected");
    // Box 0 at (2400, 1100), box 1 at (5400, 1100); grab point (200, 100).
    QTest::newRow("on the other box") << 1 << QPoint(300, 400) << QPoint(5500, 1400);
    QTest::newRow("on itself") << 0 << QPoint(500, 150) << QPoint(2700, 1150);
    QTest::newRow("on itself, floors apply") << 0 << QPoint(0, 0) << QPoint(2200, 1000);
}

void TestDesigner::dropOnAnotherBox() {
    QFETCH(int, target);
    QFETCH(QPoint, inTarget);
    QFETCH(QPoint, expected);
    Fixture f;
    f.open(SampleVorn::numbered(1));
    f.show();
    Q_EMIT f.view.Box(0)->MouseDown(1, 0, 200.0, 100.0);
    f.view.dropBoxOn(0, target, inTarget);
    QCOMPARE(f.view.boxPosition(0), expected);
    QCOMPARE(f.view.vorn().Modified, true);
}

void TestDesigner::dropEventsOnTheCard_data() {
    QTest::addColumn<QPoint>("at"); // pixels in the card
    QTest::addColumn<bool>("ours");
    QTest::addColumn<QPoint>("expected");
    // Grab point (150, 75) twips; box 1 "Заметка" lies at (5400, 1100) = (360, 73.3) px.
    QTest::newRow("free card area") << QPoint(300, 300) << true << QPoint(4350, 4425);
    QTest::newRow("above the card area: floor") << QPoint(300, 20) << true << QPoint(4350, 900);
    QTest::newRow("on the other box: from its own place")
        << QPoint(370, 85) << true << QPoint(5400 + 150 - 150, 1100 + 180 - 75);
    QTest::newRow("a drag from elsewhere") << QPoint(300, 300) << false << QPoint(2400, 1100);
}

void TestDesigner::dropEventsOnTheCard() {
    QFETCH(QPoint, at);
    QFETCH(bool, ours);
    QFETCH(QPoint, expected);
    Fixture f;
    f.open(SampleVorn::numbered(1));
    f.show();
    Q_EMIT f.view.Box(0)->MouseDown(1, 0, 150.0, 75.0);
    std::unique_ptr<QDrag> drag(f.view.makeBoxDrag(0));
    QMimeData foreign;
    foreign.setData(QStringLiteral("application/x-tessavorn-box"), "1 2 0");

    const bool taken = dropOnCard(f.card(), ours ? drag->mimeData() : &foreign, at);

    QCOMPARE(taken, ours);
    QCOMPARE(f.view.boxPosition(0), expected);
    QCOMPARE(f.view.vorn().Modified, ours);
}

// --- popups ------------------------------------------------------------------------------

void TestDesigner::popupMenusStructure() {
    Fixture f;
    auto* mBox = f.view.findChild<QMenu*>(QStringLiteral("mBox"));
    QVERIFY(mBox);
    QStringList items;
    for (QAction* a : mBox->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items,
             (QStringList{"Тип", "Заголовок", "Список", "-", "Заглавный", "Обновить", "Убрать"}));
    QCOMPARE(f.action(QStringLiteral("mFront"))->text(), QStringLiteral("Заглавный"));
    QCOMPARE(f.action(QStringLiteral("mRenew"))->text(), QStringLiteral("Обновить"));
    QCOMPARE(f.action(QStringLiteral("mDelBox"))->text(), QStringLiteral("Убрать"));

    const QStringList types{"Слово", "Фраза", "Текст", "Картинка", "Список", "Число"};
    for (int i = 0; i < types.size(); ++i) {
        QAction* a = f.action(QStringLiteral("mTyp(%1)").arg(i));
        QVERIFY(a);
        QCOMPARE(a->text(), types[i]);
        QVERIFY(a->isCheckable());
    }
    const QStringList poses{"Сверху слева",  "Сверху посерёд", "Сверху справа", "Слева вверху",
                            "Слева посерёд", "Слева внизу",    "Справа вверху", "Справа посерёд",
                            "Справа внизу",  "Внизу слева",    "Внизу посерёд", "Внизу справа"};
    for (int i = 1; i <= poses.size(); ++i) {
        QAction* a = f.action(QStringLiteral("mPos(%1)").arg(i));
        QVERIFY(a);
        QCOMPARE(a->text(), poses[i - 1]);
    }
    auto* mList = f.view.findChild<QMenu*>(QStringLiteral("mList"));
    QVERIFY(mList);
    QCOMPARE(mList->title(), QStringLiteral("Список"));
    QStringList names, captions;
    for (QAction* a : mList->actions()) {
        names << a->objectName();
        captions << a->text();
    }
    QCOMPARE(names, (QStringList{"mInsert", "mAddN", "mDelItems", "mCopyList", "mPasteList"}));
    QCOMPARE(captions, (QStringList{"Вставить элемент", "Добавить N элементов",
                                    "Удалить выделенное", "Копировать", "Вставить"}));
    QCOMPARE(f.view.findChild<QMenu*>(QStringLiteral("mTypes"))->title(), QStringLiteral("Тип"));
    QCOMPARE(f.view.findChild<QMenu*>(QStringLiteral("mHead"))->title(),
             QStringLiteral("Заголовок"));
}

void TestDesigner::popupMarks_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("headPose");
    QTest::addColumn<int>("typeMark");
    QTest::addColumn<bool>("listShown");
    QTest::addColumn<bool>("frontShown");
    QTest::newRow("word") << 0 << 4 << 0 << false << false;
    QTest::newRow("phrase") << 1 << 2 << 1 << false << true;
    QTest::newRow("text") << 2 << 12 << 2 << false << true;
    QTest::newRow("picture") << 3 << 11 << 3 << false << false;
    QTest::newRow("list") << 4 << 7 << 4 << true << true;
    QTest::newRow("number") << 5 << 5 << 5 << false << true;
}

void TestDesigner::popupMarks() {
    QFETCH(int, kind);
    QFETCH(int, headPose);
    QFETCH(int, typeMark);
    QFETCH(bool, listShown);
    QFETCH(bool, frontShown);
    Fixture f;
    f.open(
        SampleVorn::make({SampleVorn::box(BoxKind::Phrase, QStringLiteral("a"), {}, 2400, 1000, 9),
                          SampleVorn::box(static_cast<qint16>(kind), QStringLiteral("b"), {}, 5000,
                                          1000, static_cast<qint16>(headPose))},
                         {}));
    // The marks of an earlier popup on another box must not linger.
    QVERIFY(f.view.prepareBoxPopup(0));

    QMenu* menu = f.view.prepareBoxPopup(1);

    QCOMPARE(menu, f.view.findChild<QMenu*>(QStringLiteral("mBox")));
    QCOMPARE(f.view.vorn().MenuBox, qint16(1));
    QStringList typeMarks, poseMarks;
    for (int i = 0; i <= 5; ++i)
        if (f.action(QStringLiteral("mTyp(%1)").arg(i))->isChecked())
            typeMarks << QString::number(i);
    for (int i = 1; i <= 12; ++i)
        if (f.action(QStringLiteral("mPos(%1)").arg(i))->isChecked())
            poseMarks << QString::number(i);
    QCOMPARE(typeMarks, QStringList{QString::number(typeMark)});
    QCOMPARE(poseMarks, QStringList{QString::number(headPose)});
    QCOMPARE(f.view.findChild<QMenu*>(QStringLiteral("mList"))->menuAction()->isVisible(),
             listShown);
    QCOMPARE(f.action(QStringLiteral("mFront"))->isVisible(), frontShown);
    QVERIFY(f.action(QStringLiteral("mRenew"))->isVisible());
    QVERIFY(f.action(QStringLiteral("mDelBox"))->isVisible());
}

void TestDesigner::whichPopupOpens_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("menu");
    QTest::newRow("designing, phrase") << 0 << 0 << false << "mBox";
    QTest::newRow("designing, list") << 1 << 0 << false << "mBox";
    QTest::newRow("entry, list: the list menu alone") << 1 << 1 << false << "mList";
    QTest::newRow("entry, phrase") << 0 << 1 << false << "mMisk";
    QTest::newRow("locked card, list") << 1 << 0 << true << "mMisk";
    QTest::newRow("locked entry, list") << 1 << 2 << true << "mMisk";
}

void TestDesigner::whichPopupOpens() {
    QFETCH(int, box);
    QFETCH(int, selected);
    QFETCH(bool, locked);
    QFETCH(QString, menu);
    Fixture f;
    f.open(listCard());
    f.select(selected);
    if (locked)
        f.view.TurnEdit(true);
    QCOMPARE(f.view.prepareBoxPopup(box), f.view.findChild<QMenu*>(menu));
    QCOMPARE(int(f.view.vorn().MenuBox), box);
    // A slot that is not on the card has no popup.
    QCOMPARE(f.view.prepareBoxPopup(2), nullptr);
    QCOMPARE(int(f.view.vorn().MenuBox), box);

    // The real handler shows the same menu.
    Q_EMIT f.view.Box(box)->MouseUp(2, 0, 10.0, 10.0);
    auto* shown = f.view.findChild<QMenu*>(menu);
    QVERIFY(shown->isVisible());
    shown->hide();
}

// --- retyping, header, removal --------------------------------------------------------------

void TestDesigner::retyping_data() {
    QTest::addColumn<int>("from"); // 5: number
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("to");
    QTest::addColumn<std::optional<bool>>("answer"); // the question's answer; none: not asked
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("tall");
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("modified");
    const std::optional<bool> none;
    const QString list = listOf({"a", "b"});
    QTest::newRow("phrase -> text: value from HeadNam, text size")
        << 1 << "старое" << 2 << none << 2 << 3000 << 1300 << HeadNamText << true;
    QTest::newRow("phrase -> number: empty, length 500")
        << 1 << "старое" << 5 << none << 1 << 500 << 0 << "" << true;
    QTest::newRow("text -> word") << 2 << "старое" << 0 << none << 0 << 100 << 100 << HeadNamText
                                  << true;
    QTest::newRow("text -> list") << 2 << "старое" << 4 << none << 4 << 1500 << 2200
                                  << listOf({HeadNamText}) << true;
    QTest::newRow("number -> text")
        << 5 << "12" << 2 << none << 2 << 3000 << 1300 << HeadNamText << true;
    QTest::newRow("list -> phrase, Yes")
        << 4 << list << 1 << std::optional<bool>(true) << 1 << 1700 << 0 << HeadNamText << true;
    QTest::newRow("list -> number, Yes")
        << 4 << list << 5 << std::optional<bool>(true) << 1 << 500 << 0 << "" << true;
    QTest::newRow("list -> text, No: nothing changes")
        << 4 << list << 2 << std::optional<bool>(false) << 4 << 1500 << 2200 << list << false;
    QTest::newRow("list -> list: nothing asked")
        << 4 << list << 4 << none << 4 << 1500 << 2200 << list << false;
    QTest::newRow("phrase -> phrase")
        << 1 << "старое" << 1 << none << 1 << 1700 << 0 << "старое" << false;
    QTest::newRow("number -> number keeps its value")
        << 5 << "12" << 5 << none << 1 << 500 << 0 << "12" << false;
    QTest::newRow("number -> phrase: a number is shown as a phrase")
        << 5 << "12" << 1 << none << 1 << 500 << 0 << "12" << false;
}

void TestDesigner::retyping() {
    QFETCH(int, from);
    QFETCH(QString, value);
    QFETCH(int, to);
    QFETCH(std::optional<bool>, answer);
    QFETCH(int, type);
    QFETCH(int, length);
    QFETCH(int, tall);
    QFETCH(QString, data);
    QFETCH(bool, modified);
    Fixture f;
    f.open(oneBox(static_cast<qint16>(from), value, 3));
    if (answer)
        f.prompts.queueYesNo(*answer);

    f.choose(0, QStringLiteral("mTyp(%1)").arg(to));

    const auto questions = f.prompts.asked(Kind::YesNo);
    QCOMPARE(questions.size(), answer ? 1 : 0);
    if (answer)
        QCOMPARE(questions.at(0).text, QStringLiteral("Это уничтожит элементы списка. Выполнить?"));
    VERIFY_ALL_ANSWERS_USED(f.prompts);
    DataBox* box = f.view.Box(0);
    QCOMPARE(int(box->BoxType()), type);
    QCOMPARE(int(box->Length()), length);
    QCOMPARE(int(box->Tall()), tall);
    QCOMPARE(box->Data(), data);
    QCOMPARE(box->Header(), QStringLiteral("Поле"));
    QCOMPARE(int(box->HeadPose()), 3);
    QCOMPARE(f.view.vorn().descriptor(1).DefaultValue, data);
    QCOMPARE(box->tabStop(), type != BoxKind::Word && type != BoxKind::Picture);
    QCOMPARE(f.view.vorn().Modified, modified);
}

void TestDesigner::retypingTheTitleBox_data() {
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("staysTitle");
    QTest::newRow("word") << 0 << false;
    QTest::newRow("picture") << 3 << false;
    QTest::newRow("list") << 4 << false;
    QTest::newRow("text") << 2 << true;
    QTest::newRow("number") << 5 << true;
}

void TestDesigner::retypingTheTitleBox() {
    QFETCH(int, to);
    QFETCH(bool, staysTitle);
    Fixture f;
    f.open(SampleVorn::titled({"a", "b"}));
    QVERIFY(f.bold(0));

    f.choose(0, QStringLiteral("mTyp(%1)").arg(to));

    QCOMPARE(int(f.view.vorn().TitleBox), staysTitle ? 1 : -1);
    QCOMPARE(f.bold(0), staysTitle);
    QCOMPARE(f.bold(1), false);
    const QStringList expected = staysTitle ? QStringList{"000 Форма", "001 a", "002 b"}
                                            : QStringList{"000 Форма", "001", "002"};
    QCOMPARE(f.listTexts(), expected);
    QCOMPARE(f.view.vorn().Modified, true);
}

void TestDesigner::headerPositionAndRenew() {
    Fixture f;
    f.open(SampleVorn::titled({"a"}));
    f.choose(1, QStringLiteral("mPos(8)"));
    QCOMPARE(int(f.view.Box(1)->HeadPose()), 8);
    QCOMPARE(f.view.vorn().Modified, true);

    f.view.vorn().Modified = false;
    f.headNam()->setText(QStringLiteral("Очень длинный новый заголовок поля"));
    f.choose(1, QStringLiteral("mRenew"));
    QCOMPARE(f.view.Box(1)->Header(), QStringLiteral("Очень длинный новый заголовок поля"));
    QCOMPARE(f.view.vorn().Modified, true);
    // The box makes room for the longer header at once.
    auto* hed = f.view.Box(1)->findChild<QLabel*>(QStringLiteral("Hed"));
    QVERIFY(f.view.Box(1)->rect().contains(hed->geometry()));
    // Neither touches the value or asks anything.
    QCOMPARE(f.view.Box(1)->Data(), QStringLiteral("пусто"));
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestDesigner::removeBox_data() {
    QTest::addColumn<int>("removed"); // 0-based
    QTest::addColumn<int>("title");   // 1-based, before
    QTest::addColumn<int>("titleAfter");
    QTest::newRow("first of three; the title moves down") << 0 << 3 << 2;
    QTest::newRow("middle one; title before it stays") << 1 << 1 << 1;
    QTest::newRow("the title box itself") << 2 << 3 << -1;
}

void TestDesigner::removeBox() {
    QFETCH(int, removed);
    QFETCH(int, title);
    QFETCH(int, titleAfter);
    const QList<BoxDescriptor> boxes{
        SampleVorn::box(BoxKind::Phrase, QStringLiteral("A"), QStringLiteral("a0"), 2400, 1000, 2),
        SampleVorn::box(BoxKind::List, QStringLiteral("B"), listOf({"x", "y"}), 5000, 1200, 4),
        SampleVorn::box(BoxKind::Number, QStringLiteral("C"), QStringLiteral("7"), 3000, 4000, 5)};
    const QList<QStringList> entries{{"a1", listOf({"p"}), "1"}, {"a2", listOf({"q"}), "2"}};
    Vorn v = SampleVorn::make({boxes.begin(), boxes.end()}, {entries.begin(), entries.end()},
                              static_cast<qint16>(title));
    // Output order C, A, B.
    v.setBoxOrder(1, 2);
    v.setBoxOrder(2, 3);
    v.setBoxOrder(3, 1);
    Fixture f;
    f.open(v);
    QStringList order; // headers in output order, before
    for (int j : f.view.vorn().outputSequence())
        order << f.view.Box(j - 1)->Header();

    f.choose(removed, QStringLiteral("mDelBox"));

    const Vorn& after = f.view.vorn();
    QCOMPARE(after.BoxCount, qint16(2));
    QVERIFY(!f.view.Box(2)->isVisibleTo(&f.view));
    QList<BoxDescriptor> left = boxes;
    left.removeAt(removed);
    const QList<QSize> sizes{{1700, 0}, {1500, 2200}, {500, 0}};
    QList<QSize> sizesLeft = sizes;
    sizesLeft.removeAt(removed);
    for (int k = 0; k < 2; ++k) {
        const BoxDescriptor& d = left[k];
        DataBox* box = f.view.Box(k);
        QVERIFY(box->isVisibleTo(&f.view));
        QCOMPARE(box->Header(), d.Header);
        QCOMPARE(box->Data(), d.DefaultValue);
        QCOMPARE(int(box->HeadPose()), int(d.HeadPose));
        QCOMPARE(QSize(box->Length(), box->Tall()), sizesLeft[k]);
        QCOMPARE(f.view.boxPosition(k), QPoint(d.Left, d.Top));
        QCOMPARE(after.descriptor(k + 1).DefaultValue, d.DefaultValue);
        QCOMPARE(f.bold(k), k + 1 == titleAfter);
        for (int p = 1; p <= 2; ++p) {
            QStringList values = entries[p - 1];
            values.removeAt(removed);
            QCOMPARE(after.value(p, k + 1), values[k]);
        }
    }
    f.view.GetFormat();
    QCOMPARE(int(after.descriptor(1).Type), int(left[0].Type));
    QCOMPARE(int(after.descriptor(2).Type), int(left[1].Type));
    QCOMPARE(int(after.TitleBox), titleAfter);
    QStringList captions{"000 Форма"};
    for (int p = 1; p <= 2; ++p)
        captions << (titleAfter == -1
                         ? QStringLiteral("00%1").arg(p)
                         : QStringLiteral("00%1 %2").arg(p).arg(after.value(p, titleAfter)));
    QCOMPARE(f.listTexts(), captions);
    // The boxes left keep their order for output.
    order.removeAll(boxes[removed].Header);
    QStringList orderAfter;
    for (int j : after.outputSequence())
        orderAfter << f.view.Box(j - 1)->Header();
    QCOMPARE(orderAfter, order);
    QCOMPARE(after.Modified, true);
    QVERIFY(f.prompts.asked().isEmpty());

    // An entry shows its own values in the boxes that moved.
    f.select(2);
    QStringList second = entries[1];
    second.removeAt(removed);
    QCOMPARE(f.view.Box(0)->Data(), second[0]);
    QCOMPARE(f.view.Box(1)->Data(), second[1]);
}

void TestDesigner::removedSlotIsReused() {
    Fixture f;
    f.open(SampleVorn::titled({"a"}));
    f.choose(0, QStringLiteral("mDelBox"));
    QCOMPARE(int(f.view.vorn().TitleBox), -1);
    f.headNam()->setText(QStringLiteral("Новый"));
    f.click(QStringLiteral("AddList"));

    QCOMPARE(f.view.vorn().BoxCount, qint16(2));
    DataBox* box = f.view.Box(1);
    QCOMPARE(int(box->BoxType()), int(BoxKind::List));
    QCOMPARE(box->Header(), QStringLiteral("Новый"));
    QVERIFY(!f.bold(1));
    // The entry's value for the slot was cleared with the removal.
    f.select(1);
    QCOMPARE(f.view.Box(1)->Data(), QString(Sep));
}

void TestDesigner::choosePicture_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("box");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("chosen");
    QTest::newRow("entry 3") << 3 << 1 << false << true;
    QTest::newRow("the card: default value") << 0 << 1 << false << true;
    QTest::newRow("locked") << 3 << 1 << true << false;
    QTest::newRow("not a picture box") << 3 << 0 << false << false;
}

void TestDesigner::choosePicture() {
    QFETCH(int, selected);
    QFETCH(int, box);
    QFETCH(bool, locked);
    QFETCH(bool, chosen);
    const QString old = QStringLiteral(".\\Кошки\\old.png");
    Fixture f;
    f.open(SampleVorn::make(
        {SampleVorn::box(BoxKind::Phrase, QStringLiteral("Имя"), QStringLiteral("?"), 2400, 1000),
         SampleVorn::box(BoxKind::Picture, QStringLiteral("Фото"), old, 5000, 1000)},
        {{"e1", old}, {"e2", old}, {"e3", old}, {"e4", old}}, 1));
    f.view.vorn().VornName = QStringLiteral("Кошки");
    f.select(selected);
    if (locked)
        f.view.TurnEdit(true);
    f.headNam()->setText(QStringLiteral("мурка.png"));
    f.view.vorn().Modified = false;

    Q_EMIT f.view.Box(box)->DblClick();

    const QString picture = QStringLiteral(".\\Кошки\\мурка.png");
    const Vorn& v = f.view.vorn();
    for (int p = 1; p <= 4; ++p)
        QCOMPARE(v.value(p, 2), chosen && p == selected ? picture : old);
    QCOMPARE(v.descriptor(2).DefaultValue, chosen && selected == 0 ? picture : old);
    QCOMPARE(v.value(3, 1), QStringLiteral("e3"));
    QCOMPARE(v.Modified, chosen);
}

// --- list commands -----------------------------------------------------------------------

void TestDesigner::insertItem_data() {
    QTest::addColumn<int>("selectedItem"); // -1: none
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("item 2 selected: in front of it") << 2 << QStringList{"x", "y", "new", "z"};
    QTest::newRow("item 0 selected") << 0 << QStringList{"new", "x", "y", "z"};
    QTest::newRow("nothing selected: appended") << -1 << QStringList{"x", "y", "z", "new"};
}

void TestDesigner::insertItem() {
    QFETCH(int, selectedItem);
    QFETCH(QStringList, expected);
    Fixture f;
    Vorn v = listCard();
    v.setCell(1, 2, listOf({"x", "y", "z"}));
    f.open(v);
    f.select(1);
    QListWidget* lis = f.lis(1);
    if (selectedItem >= 0)
        lis->setCurrentRow(selectedItem);
    else
        lis->setCurrentRow(-1);
    f.headNam()->setText(QStringLiteral("new"));
    f.view.vorn().Modified = false;

    f.choose(1, QStringLiteral("mInsert"));

    QCOMPARE(f.view.Box(1)->Data(), listOf(expected));
    QCOMPARE(f.view.vorn().value(1, 2), listOf(expected));
    QCOMPARE(f.view.vorn().value(2, 2), listOf({"z"}));
    QCOMPARE(f.view.vorn().Modified, true);
}

void TestDesigner::itemCountFrom_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<std::optional<int>>("expected");
    using N = std::optional<int>;
    QTest::newRow("3") << "3" << N(3);
    QTest::newRow("2.5: half to even") << "2.5" << N(2);
    QTest::newRow("3.5: half to even") << "3.5" << N(4);
    QTest::newRow("2.51") << "2.51" << N(3);
    QTest::newRow("-2.5") << "-2.5" << N(-2);
    QTest::newRow("empty") << "" << N(0);
    QTest::newRow("a word") << "много" << N(0);
    QTest::newRow("blanks first") << "  \t7" << N(7);
    QTest::newRow("text after") << "12 штук" << N(12);
    QTest::newRow("plus sign") << "+5" << N(5);
    QTest::newRow("point first") << ".6" << N(1);
    QTest::newRow("exponent") << "1e2" << N(100);
    QTest::newRow("e without digits") << "4e" << N(4);
    QTest::newRow("comma is not a point") << "3,7" << N(3);
    QTest::newRow("sign alone") << "-" << N(0);
    QTest::newRow("32767") << "32767" << N(32767);
    QTest::newRow("-32768") << "-32768" << N(-32768);
    QTest::newRow("32767.5 rounds out of range") << "32767.5" << N();
    QTest::newRow("99999") << "99999" << N();
    QTest::newRow("-40000") << "-40000" << N();
    QTest::newRow("huge") << "1e400" << N();
    QTest::newRow("arabic-indic digits are not decimal here") << "\u0663" << N(0);
}

void TestDesigner::itemCountFrom() {
    QFETCH(QString, answer);
    QFETCH(std::optional<int>, expected);
    QCOMPARE(View::itemCountFrom(answer), expected);
}

void TestDesigner::addNumberedItems_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("beeps");
    using A = std::optional<QString>;
    QTest::newRow("3, even with 001 there already")
        << A("3") << QStringList{"001", "002", "003"} << true << 0;
    QTest::newRow("2.5 adds two") << A("2.5") << QStringList{"001", "002"} << true << 0;
    QTest::newRow("3.5 adds four")
        << A("3.5") << QStringList{"001", "002", "003", "004"} << true << 0;
    QTest::newRow("empty answer adds nothing") << A("") << QStringList{} << true << 0;
    QTest::newRow("a word adds nothing") << A("десять") << QStringList{} << true << 0;
    QTest::newRow("99999 is refused") << A("99999") << QStringList{} << false << 1;
    QTest::newRow("dialog closed") << A() << QStringList{} << false << 0;
}

void TestDesigner::addNumberedItems() {
    QFETCH(std::optional<QString>, answer);
    QFETCH(QStringList, added);
    QFETCH(bool, modified);
    QFETCH(int, beeps);
    Fixture f;
    Vorn v = listCard();
    v.setCell(2, 2, listOf({"001", "b"}));
    f.open(v);
    f.select(2);
    f.prompts.queueText(answer);

    f.choose(1, QStringLiteral("mAddN"));

    QCOMPARE(f.prompts.asked(Kind::Text).size(), 1);
    QCOMPARE(f.prompts.asked(Kind::Text).at(0).text, QString());
    const QString expected = listOf(QStringList{"001", "b"} + added);
    QCOMPARE(f.view.Box(1)->Data(), expected);
    QCOMPARE(f.view.Box(1)->ListCount(), 2 + added.size());
    QCOMPARE(f.view.vorn().value(2, 2), expected);
    QCOMPARE(f.view.vorn().value(1, 2), listOf({"x", "y"}));
    QCOMPARE(f.view.vorn().Modified, modified);
    QCOMPARE(f.prompts.beeps(), beeps);
}

void TestDesigner::addNumberedItemsUpToTheListLimit_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("count");
    // The list holds 32760 items; a list counts at most 32767.
    QTest::newRow("up to the limit") << "7" << 32767;
    QTest::newRow("past it: refused") << "8" << 32760;
}

void TestDesigner::addNumberedItemsUpToTheListLimit() {
    QFETCH(QString, answer);
    QFETCH(int, count);
    QStringList items;
    for (int i = 0; i < 32760; ++i)
        items << QStringLiteral("i");
    Vorn v = listCard();
    v.setCell(1, 2, listOf(items));
    Fixture f;
    f.open(v);
    f.select(1);
    f.prompts.queueText(answer);

    f.choose(1, QStringLiteral("mAddN"));

    QCOMPARE(f.view.Box(1)->ListCount(), count);
    QCOMPARE(f.view.vorn().value(1, 2).count(Sep), count);
    QCOMPARE(f.prompts.beeps(), count == 32767 ? 0 : 1);
    if (count == 32767)
        QVERIFY(f.view.vorn().value(1, 2).endsWith(Sep + QStringLiteral("007")));
}

void TestDesigner::deleteSelectedItems() {
    Fixture f;
    Vorn v = listCard();
    v.setCell(1, 2, listOf({"a", "b", "c", "d"}));
    f.open(v);
    f.select(1);
    QListWidget* lis = f.lis(1);
    lis->clearSelection();
    lis->item(0)->setSelected(true);
    lis->item(2)->setSelected(true);
    f.view.vorn().Modified = false;

    f.choose(1, QStringLiteral("mDelItems"));

    QCOMPARE(f.view.vorn().value(1, 2), listOf({"b", "d"}));
    QCOMPARE(f.view.vorn().Modified, true);
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestDesigner::copyAndPasteAcrossEntries() {
    Fixture f;
    f.open(listCard());
    // Pasting before anything was copied does nothing.
    f.select(2);
    f.choose(1, QStringLiteral("mPasteList"));
    QCOMPARE(f.view.vorn().value(2, 2), listOf({"z"}));
    QCOMPARE(f.view.vorn().Modified, false);

    f.select(1);
    f.choose(1, QStringLiteral("mCopyList"));
    QCOMPARE(f.view.vorn().ListBuffer, listOf({"x", "y"}));
    QCOMPARE(f.view.vorn().Modified, false);

    f.select(2);
    f.choose(1, QStringLiteral("mPasteList"));
    QCOMPARE(f.view.vorn().value(2, 2), listOf({"x", "y"}));
    QCOMPARE(f.view.Box(1)->Data(), listOf({"x", "y"}));
    QCOMPARE(f.view.vorn().value(1, 2), listOf({"x", "y"}));
    QCOMPARE(f.view.vorn().Modified, true);

    // A list without items copies as nothing, so a later paste does nothing.
    f.lis(1)->selectAll();
    f.choose(1, QStringLiteral("mDelItems"));
    QCOMPARE(f.view.Box(1)->Data(), QString());
    f.choose(1, QStringLiteral("mCopyList"));
    QCOMPARE(f.view.vorn().ListBuffer, QString());
    f.select(1);
    f.choose(1, QStringLiteral("mPasteList"));
    QCOMPARE(f.view.vorn().value(1, 2), listOf({"x", "y"}));
}

void TestDesigner::listBufferOutlivesTheVorn() {
    Fixture f;
    f.open(listCard());
    f.select(1);
    f.choose(1, QStringLiteral("mCopyList"));

    f.view.Reset();
    QCOMPARE(f.view.vorn().ListBuffer, listOf({"x", "y"}));
    f.view.adoptVorn(listCard());
    QCOMPARE(f.view.vorn().ListBuffer, listOf({"x", "y"}));

    // And pastes into a box of the vorn loaded since.
    f.view.TurnEdit(false);
    f.select(2);
    f.choose(1, QStringLiteral("mPasteList"));
    QCOMPARE(f.view.vorn().value(2, 2), listOf({"x", "y"}));
}

void TestDesigner::designModeChangesTheDefaultList() {
    Fixture f;
    f.open(listCard());
    f.headNam()->setText(QStringLiteral("первый"));
    f.lis(1)->setCurrentRow(0);
    f.choose(1, QStringLiteral("mInsert"));
    f.prompts.queueText(QStringLiteral("2"));
    f.choose(1, QStringLiteral("mAddN"));
    const QString defaults = listOf({"первый", "a", "b", "c", "001", "002"});
    QCOMPARE(f.view.vorn().descriptor(2).DefaultValue, defaults);
    // The entries keep their lists.
    QCOMPARE(f.view.vorn().value(1, 2), listOf({"x", "y"}));

    f.select(2);
    f.click(QStringLiteral("AddVorn"));
    QCOMPARE(f.view.vorn().value(3, 2), defaults);
    QCOMPARE(f.view.Box(1)->Data(), defaults);
}

void TestDesigner::listCommandsNeedAnUnlockedListBox_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<bool>("locked");
    QTest::newRow("phrase box") << 0 << false;
    QTest::newRow("list box, locked") << 1 << true;
}

void TestDesigner::listCommandsNeedAnUnlockedListBox() {
    QFETCH(int, box);
    QFETCH(bool, locked);
    Fixture f;
    f.open(listCard());
    f.select(1);
    f.view.vorn().ListBuffer = listOf({"buffer"});
    if (locked)
        f.view.TurnEdit(true);
    f.view.vorn().Modified = false;
    f.view.vorn().MenuBox = static_cast<qint16>(box);
    for (const char* item : {"mInsert", "mAddN", "mDelItems", "mCopyList", "mPasteList"})
        f.action(QLatin1String(item))->trigger();
    QCOMPARE(f.view.vorn().value(1, 1), QStringLiteral("e1"));
    QCOMPARE(f.view.vorn().value(1, 2), listOf({"x", "y"}));
    QCOMPARE(f.view.vorn().ListBuffer, listOf({"buffer"}));
    QCOMPARE(f.view.vorn().Modified, false);
    QVERIFY(f.prompts.asked().isEmpty());
}

QTEST_MAIN(TestDesigner)
#include "tst_designer.moc"
