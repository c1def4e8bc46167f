#include "orderdialog.h"
#include "support/modal.h"
#include "support/samplevorn.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Boxes "Имя", "Порода", "Возраст" at the given output positions.
Vorn threeBoxes(const QList<int>& order) {
    Vorn vorn = SampleVorn::make(QStringLiteral("PWN"));
    for (int j = 1; j <= 3; ++j)
        vorn.setBoxOrder(j, qint16(order[j - 1]));
    return vorn;
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

} // namespace

// The dialog in both modes, driven through its buttons while it is shown modally.
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
        QTest::newRow("down to the bottom and back up")
            << plain << 0 << "ddu" << QStringList{"1", "1", "2", "3", "2"} << QList<int>{2, 1, 3};
        QTest::newRow("gaps and repeats: every box once")
            << QList<int>{5, 1, 1} << 0 << "" << QStringList{"1", "1"} << QList<int>{2, 3, 1};
    }
    // The caption follows the chosen row; OK gives a clean order; a later use closed by its
    // close box is not accepted.
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
            seen.append(d->windowTitle());
            clickRow(d->oList, startRow);
            for (const QChar press : presses + u'.') { // "." : OK
                seen.append(d->windowTitle());
                QTest::mouseClick(press == u'.' ? d->Ok : d->LiftLow[press == u'u' ? 0 : 1],
                                  Qt::LeftButton);
            }
        });
        dialog.GetOrder(vorn);
        QCOMPARE(seen, captions);
        QCOMPARE(QList<int>({dialog.boxorder(1), dialog.boxorder(2), dialog.boxorder(3)}), slots);
        dialog.applyOrder(vorn);
        QCOMPARE(
            QList<int>({vorn.boxOrder(slots[0]), vorn.boxOrder(slots[1]), vorn.boxOrder(slots[2])}),
            QList<int>({1, 2, 3}));
        QVERIFY(dialog.Accepted && dialog.isHidden());
        const ModalCall closing = onNextModal<OrderDialog>([](OrderDialog* d) { d->close(); });
        dialog.GetOrder(vorn);
        QVERIFY(closing.done() && !dialog.Accepted && dialog.isHidden());
    }

    // Fields in output order, nothing picked at each opening; Escape is not accepted.
    void fields() {
        const Vorn vorn = threeBoxes({3, 2, 1});
        OrderDialog dialog;
        for (const int use : {0, 1, 2}) { // picks two rows and OK; only OK; Escape
            QStringList shown;
            onNextModal<OrderDialog>([&](OrderDialog* d) {
                for (int row = 0; row < d->mList->count(); ++row)
                    shown << d->mList->item(row)->text();
                shown << QString::number(d->mList->selectedItems().size());
                if (use == 0) {
                    clickRow(d->mList, 2);
                    clickRow(d->mList, 0, Qt::ControlModifier);
                }
                use == 2 ? QTest::keyClick(d, Qt::Key_Escape)
                         : QTest::mouseClick(d->Ok, Qt::LeftButton);
            });
            dialog.GetFields(vorn);
            QCOMPARE(shown, QStringList({"Возраст", "Порода", "Имя", "0"}));
            QCOMPARE(dialog.Accepted, use != 2);
            QCOMPARE(dialog.selectedPositions(), use ? std::vector<int>() : (std::vector{1, 3}));
        }
    }
};

QTEST_MAIN(TestOrderDialog)
#include "tst_orderdialog.moc"
