#include "orderdialog.h"
#include "support/modal.h"
#include "support/samplevorn.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList Headers{QStringLiteral("Имя"), QStringLiteral("Порода"),
                          QStringLiteral("Возраст")};

// Three boxes at the given output positions.
Vorn threeBoxes(const QList<int>& order = {1, 2, 3}) {
    Vorn vorn = SampleVorn::make({SampleVorn::box(BoxKind::Phrase, Headers[0]),
                                  SampleVorn::box(BoxKind::Word, Headers[1]),
                                  SampleVorn::box(BoxKind::Number, Headers[2])},
                                 {}, 1);
    for (int j = 1; j <= 3; ++j)
        vorn.setBoxOrder(j, qint16(order[j - 1]));
    return vorn;
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

} // namespace

// orderen in both modes, driven through its buttons while it is shown modally.
class TestOrderDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void moves_data() {
        QTest::addColumn<QList<int>>("stored"); // output positions of boxes 1..3
        QTest::addColumn<int>("startRow");
        QTest::addColumn<QString>("presses"); // u = "^ Вверх", d = "v Вниз"
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("slots"); // boxes in their new order
        const QList<int> plain{1, 2, 3};
        QTest::newRow("third to the top")
            << plain << 2 << "uu" << QStringList{"1", "3", "2", "1"} << QList<int>{3, 1, 2};
        QTest::newRow("up on the first changes nothing")
            << plain << 0 << "u" << QStringList{"1", "1", "1"} << plain;
        QTest::newRow("down on the last changes nothing")
            << plain << 2 << "d" << QStringList{"1", "3", "3"} << plain;
        QTest::newRow("down to the bottom and back up")
            << plain << 0 << "ddu" << QStringList{"1", "1", "2", "3", "2"} << QList<int>{2, 1, 3};
        QTest::newRow("gaps and repeats: every box once")
            << QList<int>{5, 1, 1} << 0 << "" << QStringList{"1", "1"} << QList<int>{2, 3, 1};
    }
    void moves() {
        QFETCH(QList<int>, stored);
        QFETCH(int, startRow);
        QFETCH(QString, presses);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, slots);
        Vorn vorn = threeBoxes(stored);
        OrderDialog dialog;
        QStringList seen;
        onNextModal<OrderDialog>([&](OrderDialog* d) {
            if (!d)
                return;
            seen.append(d->windowTitle());
            clickRow(d->oList, startRow);
            seen.append(d->windowTitle());
            for (const QChar press : presses) {
                QTest::mouseClick(d->LiftLow[press == u'u' ? 0 : 1], Qt::LeftButton);
                seen.append(d->windowTitle());
            }
            QTest::mouseClick(d->Ok, Qt::LeftButton);
        });
        dialog.GetOrder(vorn);
        QCOMPARE(seen, captions);
        QVERIFY(dialog.Accepted && dialog.isHidden());
        QCOMPARE(QList<int>({dialog.boxorder(1), dialog.boxorder(2), dialog.boxorder(3)}), slots);
        // OK gives a clean order: box slots[i] at output position i + 1.
        dialog.applyOrder(vorn);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(int(vorn.boxOrder(slots[i])), i + 1);
    }

    void fieldsStartWithNothingPicked() {
        const Vorn vorn = threeBoxes({3, 2, 1});
        OrderDialog dialog;
        QStringList shown;
        int pickedAtOpen = -1;
        onNextModal<OrderDialog>([&](OrderDialog* d) {
            if (!d)
                return;
            for (int row = 0; row < d->mList->count(); ++row)
                shown << d->mList->item(row)->text();
            pickedAtOpen = int(d->mList->selectedItems().size());
            clickRow(d->mList, 2);
            clickRow(d->mList, 0, Qt::ControlModifier);
            QTest::mouseClick(d->Ok, Qt::LeftButton);
        });
        dialog.GetFields(vorn);
        QCOMPARE(shown, (QStringList{Headers[2], Headers[1], Headers[0]}));
        QCOMPARE(pickedAtOpen, 0);
        QCOMPARE(dialog.selectedPositions(), (std::vector<int>{1, 3}));
        // The next use starts with nothing picked again.
        onNextModal<OrderDialog>([](OrderDialog* d) {
            if (d)
                QTest::mouseClick(d->Ok, Qt::LeftButton);
        });
        dialog.GetFields(vorn);
        QVERIFY(dialog.Accepted);
        QCOMPARE(dialog.selectedPositions(), std::vector<int>{});
    }

    void closingLeavesAcceptedFalse_data() {
        QTest::addColumn<bool>("fields");
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("order, close box") << false << false;
        QTest::newRow("fields, Escape") << true << true;
    }
    void closingLeavesAcceptedFalse() {
        QFETCH(bool, fields);
        QFETCH(bool, byEscape);
        const Vorn vorn = threeBoxes();
        OrderDialog dialog;
        for (const bool close : {false, true}) { // an earlier OK must not count for this use
            onNextModal<OrderDialog>([&](OrderDialog* d) {
                if (d && !close)
                    QTest::mouseClick(d->Ok, Qt::LeftButton);
                else if (d && byEscape)
                    QTest::keyClick(d, Qt::Key_Escape);
                else if (d)
                    d->close();
            });
            fields ? dialog.GetFields(vorn) : dialog.GetOrder(vorn);
            QCOMPARE(dialog.Accepted, !close);
        }
        QVERIFY(dialog.isHidden());
    }
};

QTEST_MAIN(TestOrderDialog)
#include "tst_orderdialog.moc"
