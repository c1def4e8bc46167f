#include "orderdialog.h"
#include "support/modal.h"
#include "vornbuilder.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

// orderen in both modes, driven through its buttons while it is shown modally.
class TestOrderDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutInPixels_data();
    void layoutInPixels();
    void moves_data();
    void moves();
    void laterUseShowsNewOrder();
    void gapsAndRepeatsListEveryBoxOnce();
    void noBoxes();
    void fieldsOpenWithNothingPicked();
    void fieldsPickedInAnyOrder();
    void closingLeavesAcceptedFalse_data();
    void closingLeavesAcceptedFalse();
};

namespace {

const QStringList ThreeHeaders{QStringLiteral("Имя"), QStringLiteral("Порода"),
                               QStringLiteral("Возраст")};

Vorn threeBoxes() {
    return makeVorn({{BoxKind::Phrase, ThreeHeaders[0]},
                     {BoxKind::Word, ThreeHeaders[1]},
                     {BoxKind::Number, ThreeHeaders[2]}},
                    {}, 1);
}

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result.append(list->item(row)->text());
    return result;
}

QList<int> slots(const OrderDialog& dialog, int count) {
    QList<int> result;
    for (int i = 1; i <= count; ++i)
        result.append(dialog.boxorder(i));
    return result;
}

QList<int> boxOrders(const Vorn& vorn) {
    QList<int> result;
    for (int j = 1; j <= vorn.BoxCount; ++j)
        result.append(vorn.boxOrder(j));
    return result;
}

// Runs GetOrder and presses OK at once, returning what the list showed.
QStringList shownOrder(OrderDialog& dialog, const Vorn& vorn) {
    QStringList shown;
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        shown = texts(d->oList);
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    dialog.GetOrder(vorn);
    return shown;
}

} // namespace

void TestOrderDialog::layoutInPixels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    QTest::newRow("oList") << "oList" << QRect(8, 8, 169, 290) << QString();
    QTest::newRow("mList") << "mList" << QRect(8, 8, 169, 290) << QString();
    QTest::newRow("up") << "LiftLow0" << QRect(8, 304, 81, 33) << "^ Вверх";
    QTest::newRow("down") << "LiftLow1" << QRect(88, 304, 89, 33) << "v Вниз";
    QTest::newRow("OK") << "Ok" << QRect(8, 336, 169, 33) << "OK";
}

void TestOrderDialog::layoutInPixels() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    OrderDialog dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("orderen"));
    QCOMPARE(dialog.size(), QSize(187, 378));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QWidget* child = dialog.findChild<QWidget*>(name);
    QVERIFY(child);
    QCOMPARE(child->geometry(), geometry);
    if (auto* button = qobject_cast<QPushButton*>(child))
        QCOMPARE(button->text(), caption);
}

void TestOrderDialog::moves_data() {
    QTest::addColumn<int>("startRow");
    QTest::addColumn<QString>("presses"); // u = "^ Вверх", d = "v Вниз"
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("order");

    QTest::newRow("third to the top")
        << 2 << "uu" << QStringList{"1", "3", "2", "1"} << QList<int>{3, 1, 2};
    QTest::newRow("up on the first changes nothing")
        << 0 << "u" << QStringList{"1", "1", "1"} << QList<int>{1, 2, 3};
    QTest::newRow("down on the last changes nothing")
        << 2 << "d" << QStringList{"1", "3", "3"} << QList<int>{1, 2, 3};
    QTest::newRow("first one down")
        << 0 << "d" << QStringList{"1", "1", "2"} << QList<int>{2, 1, 3};
    QTest::newRow("down to the bottom and back up")
        << 0 << "ddu" << QStringList{"1", "1", "2", "3", "2"} << QList<int>{2, 1, 3};
}

void TestOrderDialog::moves() {
    QFETCH(int, startRow);
    QFETCH(QString, presses);
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, order);

    Vorn vorn = threeBoxes();
    OrderDialog dialog;
    QStringList seenCaptions;
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        seenCaptions.append(d->windowTitle());
        QListWidgetItem* start = d->oList->item(startRow);
        QTest::mouseClick(d->oList->viewport(), Qt::LeftButton, {},
                          d->oList->visualItemRect(start).center());
        seenCaptions.append(d->windowTitle());
        for (const QChar press : presses) {
            QTest::mouseClick(d->LiftLow[press == QLatin1Char('u') ? 0 : 1], Qt::LeftButton);
            seenCaptions.append(d->windowTitle());
        }
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    dialog.GetOrder(vorn);

    QCOMPARE(seenCaptions, captions);
    QVERIFY(dialog.Accepted);
    QVERIFY(dialog.isHidden());
    QCOMPARE(slots(dialog, 3), order);
    QStringList headers;
    for (const int b : order)
        headers.append(ThreeHeaders[b - 1]);
    QCOMPARE(texts(dialog.oList), headers);

    dialog.applyOrder(vorn);
    QList<int> positions(3);
    for (int i = 1; i <= 3; ++i)
        positions[order[i - 1] - 1] = i;
    QCOMPARE(boxOrders(vorn), positions);
}

void TestOrderDialog::laterUseShowsNewOrder() {
    Vorn vorn = threeBoxes();
    OrderDialog dialog;
    onNextModal<OrderDialog>([](OrderDialog* d) {
        if (!d)
            return;
        d->oList->setCurrentRow(2);
        QTest::mouseClick(d->LiftLow[0], Qt::LeftButton);
        QTest::mouseClick(d->LiftLow[0], Qt::LeftButton);
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    dialog.GetOrder(vorn);
    dialog.applyOrder(vorn);

    QCOMPARE(boxOrders(vorn), (QList<int>{2, 3, 1}));
    QCOMPARE(shownOrder(dialog, vorn),
             (QStringList{ThreeHeaders[2], ThreeHeaders[0], ThreeHeaders[1]}));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("1"));
}

void TestOrderDialog::gapsAndRepeatsListEveryBoxOnce() {
    // Boxes 2 and 3 share position 1, box 1 stands at 5 of 3: positions 2 and 3 are empty.
    Vorn vorn = threeBoxes();
    vorn.setBoxOrder(1, 5);
    vorn.setBoxOrder(2, 1);
    vorn.setBoxOrder(3, 1);
    OrderDialog dialog;

    QCOMPARE(shownOrder(dialog, vorn),
             (QStringList{ThreeHeaders[1], ThreeHeaders[2], ThreeHeaders[0]}));
    QCOMPARE(slots(dialog, 3), (QList<int>{2, 3, 1}));
    dialog.applyOrder(vorn);
    QCOMPARE(boxOrders(vorn), (QList<int>{3, 1, 2}));
}

void TestOrderDialog::noBoxes() {
    Vorn vorn;
    vorn.setBoxOrder(1, 7);
    OrderDialog dialog;
    int rows = -1;
    QString caption = QStringLiteral("not seen");
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        rows = d->oList->count();
        caption = d->windowTitle();
        QTest::mouseClick(d->LiftLow[1], Qt::LeftButton);
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    dialog.GetOrder(vorn);

    QCOMPARE(rows, 0);
    QCOMPARE(caption, QString());
    QVERIFY(dialog.Accepted);
    QCOMPARE(dialog.boxorder(1), qint16(0));
    dialog.applyOrder(vorn);
    QCOMPARE(vorn.boxOrder(1), qint16(7));
}

void TestOrderDialog::fieldsOpenWithNothingPicked() {
    Vorn vorn = threeBoxes();
    vorn.setBoxOrder(1, 3);
    vorn.setBoxOrder(3, 1);
    OrderDialog dialog;

    // An order mode use first: its working order must survive the fields mode.
    shownOrder(dialog, vorn);
    const QList<int> before = slots(dialog, 3);

    QStringList shown;
    bool orderListHidden = false;
    bool buttonsEnabled = true;
    QString caption = QStringLiteral("not seen");
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        shown = texts(d->mList);
        orderListHidden = d->oList->isHidden() && d->mList->isVisible();
        buttonsEnabled = d->LiftLow[0]->isEnabled() || d->LiftLow[1]->isEnabled();
        caption = d->windowTitle();
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    dialog.GetFields(vorn);

    QCOMPARE(shown, (QStringList{ThreeHeaders[2], ThreeHeaders[1], ThreeHeaders[0]}));
    QVERIFY(orderListHidden);
    QVERIFY(!buttonsEnabled);
    QCOMPARE(caption, QString());
    QVERIFY(dialog.Accepted);
    QCOMPARE(dialog.selectedPositions(), std::vector<int>{});
    QCOMPARE(slots(dialog, 3), before);
}

void TestOrderDialog::fieldsPickedInAnyOrder() {
    Vorn vorn = threeBoxes();
    OrderDialog dialog;
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        const auto click = [d](int row, Qt::KeyboardModifiers modifiers) {
            QTest::mouseClick(d->mList->viewport(), Qt::LeftButton, modifiers,
                              d->mList->visualItemRect(d->mList->item(row)).center());
        };
        click(2, Qt::NoModifier);
        click(0, Qt::ControlModifier);
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    dialog.GetFields(vorn);

    QVERIFY(dialog.Accepted);
    QCOMPARE(dialog.selectedPositions(), (std::vector<int>{1, 3}));

    // The next use starts with nothing picked again.
    onNextModal<OrderDialog>([](OrderDialog* d) {
        if (d)
            QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    dialog.GetFields(vorn);
    QCOMPARE(dialog.selectedPositions(), std::vector<int>{});
}

void TestOrderDialog::closingLeavesAcceptedFalse_data() {
    QTest::addColumn<bool>("fields");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("order, close box") << false << false;
    QTest::newRow("order, Escape") << false << true;
    QTest::newRow("fields, close box") << true << false;
    QTest::newRow("fields, Escape") << true << true;
}

void TestOrderDialog::closingLeavesAcceptedFalse() {
    QFETCH(bool, fields);
    QFETCH(bool, byEscape);

    Vorn vorn = threeBoxes();
    OrderDialog dialog;
    // An earlier OK must not count for this use.
    shownOrder(dialog, vorn);
    QVERIFY(dialog.Accepted);

    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        if (!fields)
            QTest::mouseClick(d->LiftLow[1], Qt::LeftButton);
        if (byEscape)
            QTest::keyClick(d, Qt::Key_Escape);
        else
            d->close();
    });
    if (fields)
        dialog.GetFields(vorn);
    else
        dialog.GetOrder(vorn);

    QVERIFY(!dialog.Accepted);
    QVERIFY(dialog.isHidden());
}

QTEST_MAIN(TestOrderDialog)
#include "tst_orderdialog.moc"
