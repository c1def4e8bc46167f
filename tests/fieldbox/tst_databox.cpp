// The field box's members: values, list items, types, header, fonts, pictures.
#include "boxtest.h"
#include "databox.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace BoxTest;

class TestDataBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newBoxShowsOnlyItsHeader();
    void changeAllDefaults_data();
    void changeAllDefaults();
    void changeAllTypeFiveLeavesLayoutAlone();
    void listNormalisation_data();
    void listNormalisation();
    void listMembers_data();
    void listMembers();
    void listMembersOnOtherTypesDoNothing_data();
    void listMembersOnOtherTypesDoNothing();
    void delSelectedOnEmptyListLeavesUsableBox();
    void deletingTheCurrentItemLeavesNoItemSelected();
    void itemWithSeparatorStaysOneItem();
    void listQueriesOnOtherTypes_data();
    void listQueriesOnOtherTypes();
    void boxTypeFromList_data();
    void boxTypeFromList();
    void boxTypeListToListKeepsTheList();
    void dataLetChangeCount_data();
    void dataLetChangeCount();
    void longPhraseIsNotCut();
    void textWithCrLfIsKeptAsStored();
    void headerLetDoesNotLayOut();
    void lockedMakesEditorsReadOnly();
    void headerFont();
    void headerBoldResizesOnlyTheHeader();
    void accessibleNamesFollowTheHeader();
    void tabStopAndFocusWidget_data();
    void tabStopAndFocusWidget();
    void picturePaths();
    void missingPictureKeepsTheOldOne();
    void emptyPictureValueClearsThePicture();
    void fixedPictureArea();
    void positionInTwips();
};

void TestDataBox::newBoxShowsOnlyItsHeader() {
    DataBox box;
    const Parts p = parts(box);
    QCOMPARE(box.BoxType(), qint16(0));
    QCOMPARE(box.Header(), QStringLiteral("Label1"));
    QCOMPARE(box.HeadPose(), qint16(1));
    QCOMPARE(box.Length(), qint16(0));
    QCOMPARE(box.Tall(), qint16(0));
    QCOMPARE(box.Data(), QString());
    QVERIFY(!box.Locked());
    QVERIFY(!box.Filling());
    QCOMPARE(box.size(), p.hed->size());
    QCOMPARE(p.hed->pos(), QPoint(0, 0));
    QVERIFY(!p.hed->isHidden());
    for (QWidget* w : {static_cast<QWidget*>(p.fras), static_cast<QWidget*>(p.tex),
                       static_cast<QWidget*>(p.lis), static_cast<QWidget*>(p.border)})
        QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
    QCOMPARE(twipsIn(box, p.fras).height(), 285);
    QCOMPARE(twipsIn(box, p.pic).size(), QSize(615, 495));
}

void TestDataBox::changeAllDefaults_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("pose");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("tall");
    QTest::addColumn<int>("expectedLength");
    QTest::addColumn<int>("expectedTall");
    QTest::addColumn<int>("expectedPose");
    // The box had Length 777 and Tall 888 before.
    QTest::newRow("word") << 0 << 1 << 0 << 0 << 100 << 100 << 1;
    QTest::newRow("phrase") << 1 << 1 << 0 << 0 << 1700 << 0 << 1;
    QTest::newRow("number") << 1 << 5 << 500 << 0 << 500 << 0 << 5;
    QTest::newRow("text, position 0 becomes 1") << 2 << 0 << 0 << 0 << 3000 << 1300 << 1;
    QTest::newRow("picture") << 3 << 11 << 0 << 0 << 0 << 0 << 11;
    QTest::newRow("list") << 4 << 1 << 0 << 0 << 1500 << 2200 << 1;
    QTest::newRow("sizes given win") << 2 << 12 << 2500 << 700 << 2500 << 700 << 12;
    QTest::newRow("length only") << 4 << 3 << 900 << 0 << 900 << 2200 << 3;
    QTest::newRow("type 5 keeps sizes") << 5 << 2 << 0 << 0 << 777 << 888 << 2;
    QTest::newRow("type 5 takes given sizes") << 5 << 2 << 600 << 400 << 600 << 400 << 2;
}

void TestDataBox::changeAllDefaults() {
    QFETCH(int, type);
    QFETCH(int, pose);
    QFETCH(int, length);
    QFETCH(int, tall);
    QFETCH(int, expectedLength);
    QFETCH(int, expectedTall);
    QFETCH(int, expectedPose);

    DataBox box;
    box.setLength(777);
    box.setTall(888);
    QSignalSpy changes(&box, &DataBox::Change);
    box.ChangeAll(qint16(type), QStringLiteral("Поле"), QString(), qint16(pose), qint16(length),
                  qint16(tall));
    QCOMPARE(int(box.BoxType()), type);
    QCOMPARE(box.Header(), QStringLiteral("Поле"));
    QCOMPARE(int(box.Length()), expectedLength);
    QCOMPARE(int(box.Tall()), expectedTall);
    QCOMPARE(int(box.HeadPose()), expectedPose);
    QCOMPARE(changes.count(), 1); // an empty value gives no editor a new text
}

void TestDataBox::changeAllTypeFiveLeavesLayoutAlone() {
    DataBox box;
    box.ChangeAll(2, QStringLiteral("Текст"), QStringLiteral("abc"), 5);
    const Parts p = parts(box);
    const QSize size = box.size();
    const QRect texAt = p.tex->geometry();
    const QPoint hedAt = p.hed->pos();

    QSignalSpy changes(&box, &DataBox::Change);
    box.ChangeAll(5, QStringLiteral("Число"), QStringLiteral("42"), 3);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(box.BoxType(), qint16(5));
    QCOMPARE(box.Data(), QStringLiteral("42"));
    QCOMPARE(box.Length(), qint16(3000));
    QCOMPARE(box.Tall(), qint16(1300));
    QCOMPARE(box.HeadPose(), qint16(3));
    QCOMPARE(box.size(), size);
    QCOMPARE(p.tex->geometry(), texAt);
    QCOMPARE(p.hed->pos(), hedAt);
    QVERIFY(!p.tex->isHidden());
    QCOMPARE(p.tex->toPlainText(), QStringLiteral("abc")); // the content stays as it was
}

void TestDataBox::listNormalisation_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("empty: one empty item") << QString() << QString(Sep) << QStringList{""};
    QTest::newRow("no leading separator: one item")
        << QStringLiteral("abc") << QString(Sep + QStringLiteral("abc")) << QStringList{"abc"};
    const QString spaced = list({QStringLiteral("one"), QStringLiteral("  two ")});
    QTest::newRow("spaces trimmed in the list, kept in Data")
        << spaced << spaced << QStringList{"one", "two"};
    QTest::newRow("tabs are not trimmed")
        << list({QStringLiteral("\ta ")}) << list({QStringLiteral("\ta ")}) << QStringList{"\ta"};
    QTest::newRow("empty items") << list({"", "x", ""}) << list({"", "x", ""})
                                 << QStringList{"", "x", ""};
}

void TestDataBox::listNormalisation() {
    QFETCH(QString, value);
    QFETCH(QString, data);
    QFETCH(QStringList, items);

    for (bool viaChangeAll : {false, true}) {
        DataBox box;
        if (viaChangeAll) {
            box.ChangeAll(4, QStringLiteral("Список"), value, 1);
        } else {
            box.ChangeAll(4, QStringLiteral("Список"), QStringLiteral("old"), 1);
            box.setData(value);
        }
        const Parts p = parts(box);
        QCOMPARE(box.Data(), data);
        QCOMPARE(box.ItemCount(), items.size());
        QCOMPARE(box.ListCount(), items.size());
        QCOMPARE(listItems(p.lis), items);
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(box.Listing(qint16(i + 1)), items.at(i));
        QCOMPARE(box.Listing(qint16(items.size() + 1)), QString());
        // The first item is selected and copied into the item editor.
        QCOMPARE(box.ListIndex(), std::optional<int>(0));
        QCOMPARE(p.fras->text(), items.first());
    }
}

void TestDataBox::listMembers_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("changes");
    // The list starts as a, " b " (stored with spaces), c.
    const QString abc = list({"a", "b", "c"});
    QTest::newRow("append") << "add" << -1 << QList<int>{} << list({"a", "b", "c", "new"}) << 1;
    QTest::newRow("insert first") << "add" << 0 << QList<int>{} << list({"new", "a", "b", "c"})
                                  << 1;
    QTest::newRow("insert before the last")
        << "add" << 2 << QList<int>{} << list({"a", "b", "new", "c"}) << 1;
    QTest::newRow("insert at the end")
        << "add" << 3 << QList<int>{} << list({"a", "b", "c", "new"}) << 1;
    QTest::newRow("insert past the end: nothing")
        << "add" << 4 << QList<int>{} << list({"a", "  b ", "c"}) << 0;
    QTest::newRow("insert at -2: nothing")
        << "add" << -2 << QList<int>{} << list({"a", "  b ", "c"}) << 0;
    QTest::newRow("delete the middle") << "del" << 1 << QList<int>{} << list({"a", "c"}) << 1;
    QTest::newRow("delete past the end: nothing")
        << "del" << 3 << QList<int>{} << list({"a", "  b ", "c"}) << 0;
    QTest::newRow("delete selected first and last")
        << "delsel" << 0 << QList<int>{0, 2} << list({"b"}) << 1;
    QTest::newRow("delete selected neighbours")
        << "delsel" << 0 << QList<int>{0, 1} << list({"c"}) << 1;
    QTest::newRow("delete all selected") << "delsel" << 0 << QList<int>{0, 1, 2} << QString() << 1;
    QTest::newRow("delete with nothing selected rebuilds")
        << "delsel" << 0 << QList<int>{} << abc << 1;
}

void TestDataBox::listMembers() {
    QFETCH(QString, operation);
    QFETCH(int, position);
    QFETCH(QList<int>, selected);
    QFETCH(QString, data);
    QFETCH(int, changes);

    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), list({"a", "  b ", "c"}), 1);
    const Parts p = parts(box);
    p.lis->clearSelection();
    for (int row : selected)
        p.lis->item(row)->setSelected(true);

    QString dataInHandler;
    connect(&box, &DataBox::Change, &box, [&] { dataInHandler = box.Data(); });
    QSignalSpy spy(&box, &DataBox::Change);
    if (operation == QLatin1String("add"))
        box.AddItem(QStringLiteral("new"), qint16(position));
    else if (operation == QLatin1String("del"))
        box.DelItem(qint16(position));
    else
        box.DelSelected();

    QCOMPARE(spy.count(), changes);
    QCOMPARE(box.Data(), data);
    const QStringList items = listItems(p.lis);
    QCOMPARE(box.ListCount(), items.size());
    if (changes > 0) {
        QCOMPARE(dataInHandler, data); // Change comes after Data is stored
        QCOMPARE(list(items), data);
    }
    if (items.isEmpty())
        QCOMPARE(p.fras->text(), QString());
}

void TestDataBox::listMembersOnOtherTypesDoNothing_data() {
    QTest::addColumn<int>("type");
    for (int type : {0, 1, 2, 3, 5})
        QTest::addRow("type %d", type) << type;
}

void TestDataBox::listMembersOnOtherTypesDoNothing() {
    QFETCH(int, type);
    DataBox box;
    box.ChangeAll(qint16(type), QStringLiteral("H"), QStringLiteral("value"), 1);
    QSignalSpy spy(&box, &DataBox::Change);
    box.AddItem(QStringLiteral("x"));
    box.AddItem(QStringLiteral("x"), 0);
    box.DelItem(0);
    box.DelSelected();
    QCOMPARE(spy.count(), 0);
    QCOMPARE(box.Data(), QStringLiteral("value"));
    QCOMPARE(parts(box).lis->count(), 0);
}

void TestDataBox::delSelectedOnEmptyListLeavesUsableBox() {
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), list({"a"}), 1);
    box.DelItem(0);
    QCOMPARE(box.ListCount(), 0);

    QSignalSpy spy(&box, &DataBox::Change);
    box.DelSelected();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(box.Data(), QString());
    QCOMPARE(box.ItemCount(), 0);
    QCOMPARE(box.ListIndex(), std::optional<int>(-1));

    box.AddItem(QStringLiteral("z"));
    QCOMPARE(box.Data(), list({"z"}));
    QCOMPARE(box.ListCount(), 1);
    QCOMPARE(box.Listing(1), QStringLiteral("z"));
}

void TestDataBox::deletingTheCurrentItemLeavesNoItemSelected() {
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), list({"a", "b", "c"}), 1);
    const Parts p = parts(box);
    p.lis->setCurrentRow(1);
    box.DelItem(1);
    QCOMPARE(box.ListIndex(), std::optional<int>(-1));

    // The editor now belongs to no item: editing it changes none.
    QSignalSpy spy(&box, &DataBox::Change);
    p.fras->setText(QStringLiteral("edited"));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(box.Data(), list({"a", "c"}));
    QCOMPARE(listItems(p.lis), (QStringList{"a", "c"}));
}

void TestDataBox::itemWithSeparatorStaysOneItem() {
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), list({"a"}), 1);
    box.AddItem(QStringLiteral("x") + Sep + QStringLiteral("y"));
    QCOMPARE(box.ListCount(), 2);
    QCOMPARE(box.Data().count(Sep), box.ListCount());
    QCOMPARE(box.Listing(2), QStringLiteral("x y"));
}

void TestDataBox::listQueriesOnOtherTypes_data() {
    QTest::addColumn<int>("type");
    for (int type : {0, 1, 2, 3, 5})
        QTest::addRow("type %d", type) << type;
}

void TestDataBox::listQueriesOnOtherTypes() {
    QFETCH(int, type);
    DataBox box;
    box.ChangeAll(qint16(type), QStringLiteral("H"), list({"a", "b"}), 1);
    QCOMPARE(box.ListCount(), 0);
    QVERIFY(!box.ListIndex().has_value());
    QCOMPARE(box.Listing(1), QString());
}

void TestDataBox::boxTypeFromList_data() {
    QTest::addColumn<int>("newType");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("data");
    QTest::newRow("to phrase") << 1 << 1 << "b";
    QTest::newRow("to word") << 0 << 2 << "c";
    QTest::newRow("to text") << 2 << 0 << "a";
    QTest::newRow("to number code") << 5 << 1 << "b";
    QTest::newRow("no item selected") << 1 << -1 << "";
}

void TestDataBox::boxTypeFromList() {
    QFETCH(int, newType);
    QFETCH(int, current);
    QFETCH(QString, data);
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), list({"a", "  b", "c"}), 1);
    parts(box).lis->setCurrentRow(current);

    QString dataInHandler = QStringLiteral("none");
    connect(&box, &DataBox::Change, &box, [&] { dataInHandler = box.Data(); });
    box.setBoxType(qint16(newType));
    QCOMPARE(int(box.BoxType()), newType);
    QCOMPARE(box.Data(), data);
    // Only an editor that shows a new text reports a change, with the new value.
    if (newType == 2)
        QCOMPARE(dataInHandler, data);
    if (newType == 0 || newType == 5)
        QCOMPARE(dataInHandler, QStringLiteral("none"));
}

void TestDataBox::boxTypeListToListKeepsTheList() {
    DataBox box;
    const QString value = list({"a", "b", "c"});
    box.ChangeAll(4, QStringLiteral("Список"), value, 1);
    parts(box).lis->setCurrentRow(1);
    box.setBoxType(4);
    QCOMPARE(box.Data(), value);
    QCOMPARE(box.ListCount(), 3);
}

void TestDataBox::dataLetChangeCount_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("changes");
    QTest::newRow("phrase, new text: editor and member") << 1 << "a"
                                                         << "b" << 2;
    QTest::newRow("phrase, same text: member only") << 1 << "a"
                                                    << "a" << 1;
    QTest::newRow("text, new text") << 2 << "a"
                                    << "a\nb" << 2;
    QTest::newRow("text, same text") << 2 << "a"
                                     << "a" << 1;
    QTest::newRow("list: the refill reports nothing") << 4 << list({"a"}) << list({"x", "y"}) << 1;
    QTest::newRow("word") << 0 << ""
                          << "w" << 1;
    QTest::newRow("picture") << 3 << ""
                             << ".\\none\\x.png" << 1;
}

void TestDataBox::dataLetChangeCount() {
    QFETCH(int, type);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, changes);
    DataBox box;
    box.ChangeAll(qint16(type), QStringLiteral("H"), before, 1);
    QStringList seen;
    connect(&box, &DataBox::Change, &box, [&] { seen << box.Data(); });
    box.setData(after);
    QCOMPARE(seen.size(), changes);
    for (const QString& value : seen)
        QCOMPARE(value, after); // every handler sees the new value already stored
}

void TestDataBox::longPhraseIsNotCut() {
    DataBox box;
    box.ChangeAll(1, QStringLiteral("H"), QString(), 1);
    const QString longText(40000, QLatin1Char('x'));
    box.setData(longText);
    QCOMPARE(box.Data(), longText);
    QCOMPARE(parts(box).fras->text().size(), longText.size());
}

void TestDataBox::textWithCrLfIsKeptAsStored() {
    DataBox box;
    box.ChangeAll(2, QStringLiteral("H"), QString(), 1);
    const QString value = QStringLiteral("one\r\ntwo");
    box.setData(value);
    QCOMPARE(box.Data(), value);
    QCOMPARE(parts(box).tex->toPlainText(), QStringLiteral("one\ntwo"));
}

void TestDataBox::headerLetDoesNotLayOut() {
    DataBox box;
    box.ChangeAll(1, QStringLiteral("Имя"), QStringLiteral("v"), 8);
    const Parts p = parts(box);
    const QPoint hedAt = p.hed->pos();
    const QRect frasAt = p.fras->geometry();
    const QSize size = box.size();
    const int oldWidth = p.hed->width();

    box.setHeader(QStringLiteral("Гораздо более длинный заголовок"));
    QCOMPARE(box.Header(), QStringLiteral("Гораздо более длинный заголовок"));
    QVERIFY(p.hed->width() > oldWidth); // the label sizes itself at once
    QCOMPARE(p.hed->pos(), hedAt);
    QCOMPARE(p.fras->geometry(), frasAt);
    QCOMPARE(box.size(), size);

    box.Refresh(true);
    QVERIFY(box.width() > size.width());
}

void TestDataBox::lockedMakesEditorsReadOnly() {
    DataBox box;
    QVERIFY(!box.Locked());
    box.setLocked(true);
    QVERIFY(box.Locked());
    const Parts p = parts(box);
    QVERIFY(p.fras->isReadOnly());
    QVERIFY(p.tex->isReadOnly());
    QVERIFY(p.lis->isEnabled());
    box.setLocked(false);
    QVERIFY(!box.Locked());
    QVERIFY(!p.fras->isReadOnly());
    QVERIFY(!p.tex->isReadOnly());
}

void TestDataBox::headerFont() {
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Список"), list({"a"}), 4);
    const int width = box.width();
    QFont big = box.HeaderFont();
    big.setPointSize(big.pointSize() * 3);
    box.setHeaderFont(big);
    const Parts p = parts(box);
    QCOMPARE(box.HeaderFont().pointSize(), big.pointSize());
    QCOMPARE(p.fras->font().pointSize(), big.pointSize());
    QCOMPARE(p.tex->font().pointSize(), big.pointSize());
    QCOMPARE(p.lis->font().pointSize(), big.pointSize());
    QVERIFY(box.width() > width); // laid out again with the wider header
    QCOMPARE(p.lis->x(), p.hed->width() + qRound(100 / 15.0));
}

void TestDataBox::headerBoldResizesOnlyTheHeader() {
    DataBox box;
    box.ChangeAll(1, QStringLiteral("Заголовок поля"), QString(), 4);
    const Parts p = parts(box);
    const QSize size = box.size();
    const QPoint frasAt = p.fras->pos();
    const int plainWidth = p.hed->width();

    box.setHeaderBold(true);
    QVERIFY(box.HeaderFont().bold());
    QVERIFY(!p.fras->font().bold());
    QVERIFY(p.hed->width() > plainWidth);
    QCOMPARE(box.size(), size);
    QCOMPARE(p.fras->pos(), frasAt);

    box.Refresh(true);
    QVERIFY(p.fras->x() > frasAt.x());
}

void TestDataBox::accessibleNamesFollowTheHeader() {
    DataBox box;
    box.ChangeAll(4, QStringLiteral("Города"), QString(), 1);
    const Parts p = parts(box);
    for (QWidget* w : {static_cast<QWidget*>(p.fras), static_cast<QWidget*>(p.tex),
                       static_cast<QWidget*>(p.lis)})
        QCOMPARE(w->accessibleName(), QStringLiteral("Города"));
    box.setHeader(QStringLiteral("Страны"));
    for (QWidget* w : {static_cast<QWidget*>(p.fras), static_cast<QWidget*>(p.tex),
                       static_cast<QWidget*>(p.lis)})
        QCOMPARE(w->accessibleName(), QStringLiteral("Страны"));
}

void TestDataBox::tabStopAndFocusWidget_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("editor");
    QTest::newRow("word") << 0 << "";
    QTest::newRow("phrase") << 1 << "Fras";
    QTest::newRow("text") << 2 << "Tex";
    QTest::newRow("picture") << 3 << "";
    QTest::newRow("list: its item editor first") << 4 << "Fras";
}

void TestDataBox::tabStopAndFocusWidget() {
    QFETCH(int, type);
    QFETCH(QString, editor);
    DataBox box;
    box.ChangeAll(qint16(type), QStringLiteral("H"), QString(), 1);
    // The box is chained itself and hands the focus on to its first editor.
    QWidget* w = box.focusWidgetForTab();
    QCOMPARE(w, editor.isEmpty() ? nullptr : static_cast<QWidget*>(&box));
    QCOMPARE(box.focusProxy() ? box.focusProxy()->objectName() : QString(), editor);

    QVERIFY(box.tabStop());
    const Parts p = parts(box);
    box.setTabStop(false);
    QVERIFY(!box.tabStop());
    for (QWidget* e : {static_cast<QWidget*>(p.fras), static_cast<QWidget*>(p.tex),
                       static_cast<QWidget*>(p.lis)})
        QCOMPARE(e->focusPolicy(), Qt::ClickFocus);
    box.setTabStop(true);
    for (QWidget* e : {static_cast<QWidget*>(p.fras), static_cast<QWidget*>(p.tex),
                       static_cast<QWidget*>(p.lis)})
        QVERIFY(e->focusPolicy() & Qt::TabFocus);
}

void TestDataBox::picturePaths() {
    QTemporaryDir base;
    QVERIFY(base.isValid());
    QVERIFY(QDir(base.path()).mkpath(QStringLiteral("vorn")));
    QVERIFY(writePicture(base.filePath(QStringLiteral("vorn/a.png")), QSize(100, 60), Qt::red));

    DataBox box;
    box.setPictureBase(base.path());
    box.ChangeAll(3, QStringLiteral("Фото"), QStringLiteral(".\\vorn\\a.png"), 1);
    const Parts p = parts(box);
    QCOMPARE(p.pic->pixmap().size(), QSize(100, 60));
    QCOMPARE(twipsIn(box, p.pic).size(), QSize(1500, 900));
    QCOMPARE(twipsIn(box, p.border).size(), QSize(1560, 960));
    // The picture fills the inside of the frame's border.
    QCOMPARE(p.pic->geometry(), p.border->contentsRect());
    QCOMPARE(box.Data(), QStringLiteral(".\\vorn\\a.png")); // stored unchanged
}

void TestDataBox::missingPictureKeepsTheOldOne() {
    QTemporaryDir base;
    QVERIFY(QDir(base.path()).mkpath(QStringLiteral("v")));
    QVERIFY(writePicture(base.filePath(QStringLiteral("v/a.png")), QSize(40, 30), Qt::blue));
    QFile junk(base.filePath(QStringLiteral("v/junk.png")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    DataBox box;
    box.setPictureBase(base.path());
    box.ChangeAll(3, QStringLiteral("Фото"), QStringLiteral(".\\v\\a.png"), 1);
    const Parts p = parts(box);
    const QRect frame = twipsIn(box, p.border);
    QCOMPARE(frame.size(), QSize(660, 510));
    const QImage shown = p.pic->pixmap().toImage();

    for (const QString& bad :
         {QStringLiteral(".\\v\\missing.png"), QStringLiteral(".\\v\\junk.png")}) {
        box.setData(bad);
        QCOMPARE(box.Data(), bad);
        QCOMPARE(p.pic->pixmap().toImage(), shown);
        QCOMPARE(twipsIn(box, p.border), frame);
    }
}

void TestDataBox::emptyPictureValueClearsThePicture() {
    QTemporaryDir base;
    QVERIFY(writePicture(base.filePath(QStringLiteral("a.png")), QSize(100, 100), Qt::green));
    DataBox box;
    box.setPictureBase(base.path());
    box.ChangeAll(3, QStringLiteral("Фото"), QStringLiteral("a.png"), 1);
    const Parts p = parts(box);
    QCOMPARE(p.pic->pixmap().size(), QSize(100, 100));
    box.setData(QString());
    QVERIFY(p.pic->pixmap().isNull());
    QCOMPARE(twipsIn(box, p.pic).size(), QSize(615, 495));
}

void TestDataBox::fixedPictureArea() {
    QTemporaryDir base;
    QVERIFY(writePicture(base.filePath(QStringLiteral("a.png")), QSize(20, 10), Qt::black));
    DataBox box;
    box.setPictureBase(base.path());
    box.ChangeAll(3, QStringLiteral("Фото"), QStringLiteral("a.png"), 1, 1500, 900);
    const Parts p = parts(box);
    QCOMPARE(twipsIn(box, p.pic).size(), QSize(1500, 900));
    QCOMPARE(twipsIn(box, p.border).size(), QSize(1560, 960));

    // Drawn at its own size from the top-left corner; the rest shows the 3D highlight.
    const QImage shot = p.pic->grab().toImage();
    QCOMPARE(shot.pixel(0, 0), QColor(Qt::black).rgb());
    QCOMPARE(shot.pixel(19, 9), QColor(Qt::black).rgb());
    QCOMPARE(shot.pixel(50, 40), p.pic->palette().color(QPalette::Midlight).rgb());

    box.setLength(0); // back to the picture's own size
    QCOMPARE(twipsIn(box, p.pic).size(), QSize(300, 150));
}

void TestDataBox::positionInTwips() {
    QWidget parent;
    DataBox box(&parent);
    box.moveTwips(2250, 915);
    QCOMPARE(box.pos(), QPoint(150, 61));
    QCOMPARE(box.leftTwips(), 2250);
    QCOMPARE(box.topTwips(), 915);
    QCOMPARE(box.widthTwips(), box.width() * 15);
    QCOMPARE(box.heightTwips(), box.height() * 15);
}

QTEST_MAIN(TestDataBox)
#include "tst_databox.moc"
