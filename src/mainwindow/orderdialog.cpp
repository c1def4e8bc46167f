#include "orderdialog.h"

#include "twips.h"

#include <QListWidget>
#include <QPushButton>

namespace {

const QString UpCaption = QStringLiteral("^ Вверх");
const QString DownCaption = QStringLiteral("v Вниз");
const QString OkCaption = QStringLiteral("OK");
const QString OrderListName = QStringLiteral("Порядок для вывода");
const QString FieldsListName = QStringLiteral("Детальный список");

// The dialog is laid out in twips.
QRect twips(int left, int top, int width, int height) {
    return {Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
            Twips::toPixels(height)};
}
constexpr int ClientWidth = 2805;
constexpr int ClientHeight = 5670;

void fillHeaders(QListWidget* list, const Vorn& vorn, const std::vector<int>& sequence) {
    list->clear();
    for (const int b : sequence)
        list->addItem(vorn.descriptor(b).Header);
}

} // namespace

OrderDialog::OrderDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("orderen"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twips(0, 0, ClientWidth, ClientHeight).size());

    oList = new QListWidget(this);
    oList->setObjectName(QStringLiteral("oList"));
    oList->setAccessibleName(OrderListName);
    oList->setSelectionMode(QAbstractItemView::SingleSelection);
    oList->setGeometry(twips(120, 120, 2535, 4350));
    connect(oList, &QListWidget::currentRowChanged, this, &OrderDialog::showPosition);

    mList = new QListWidget(this);
    mList->setObjectName(QStringLiteral("mList"));
    mList->setAccessibleName(FieldsListName);
    mList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mList->setGeometry(twips(120, 120, 2535, 4350));
    mList->hide();

    LiftLow[0] = new QPushButton(UpCaption, this);
    LiftLow[0]->setGeometry(twips(120, 4560, 1215, 495));
    LiftLow[1] = new QPushButton(DownCaption, this);
    LiftLow[1]->setGeometry(twips(1320, 4560, 1335, 495));
    for (int i = 0; i < int(LiftLow.size()); ++i) {
        LiftLow[std::size_t(i)]->setObjectName(QStringLiteral("LiftLow%1").arg(i));
        LiftLow[std::size_t(i)]->setProperty("index", i);
        connect(LiftLow[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { liftLowClicked(i); });
    }

    Ok = new QPushButton(OkCaption, this);
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setGeometry(twips(120, 5040, 2535, 495));
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &OrderDialog::okClicked);
}

void OrderDialog::GetOrder(const Vorn& vorn) {
    Accepted = false;
    mList->hide();
    oList->show();
    for (QPushButton* button : LiftLow)
        button->setEnabled(true);
    setWindowTitle(QString());

    const std::vector<int> sequence = vorn.outputSequence();
    slots_.fill(0);
    orderCount_ = int(sequence.size());
    for (std::size_t i = 0; i < sequence.size(); ++i)
        slots_[i] = qint16(sequence[i]);
    fillHeaders(oList, vorn, sequence);
    if (oList->count() > 0)
        oList->setCurrentRow(0);
    oList->setFocus();
    exec();
}

void OrderDialog::GetFields(const Vorn& vorn) {
    Accepted = false;
    oList->hide();
    mList->show();
    for (QPushButton* button : LiftLow)
        button->setEnabled(false);
    setWindowTitle(QString()); // the order mode's position means nothing here

    fillHeaders(mList, vorn, vorn.outputSequence());
    mList->clearSelection();
    mList->setFocus();
    exec();
}

qint16 OrderDialog::boxorder(int x) const {
    return x >= 1 && x <= int(slots_.size()) ? slots_[std::size_t(x - 1)] : qint16(0);
}

std::vector<int> OrderDialog::selectedPositions() const {
    std::vector<int> positions;
    for (int row = 0; row < mList->count(); ++row) {
        if (mList->item(row)->isSelected())
            positions.push_back(row + 1);
    }
    return positions;
}

void OrderDialog::applyOrder(Vorn& vorn) const {
    if (vorn.BoxCount != orderCount_)
        return;
    for (int i = 1; i <= orderCount_; ++i)
        vorn.setBoxOrder(boxorder(i), qint16(i));
}

void OrderDialog::liftLowClicked(int index) {
    const int step = 2 * index - 1;
    const int k = oList->currentRow();
    const int t = k + step;
    if (k < 0 || t < 0 || t >= oList->count())
        return;
    QListWidgetItem* from = oList->item(k);
    QListWidgetItem* to = oList->item(t);
    const QString text = from->text();
    from->setText(to->text());
    to->setText(text);
    std::swap(slots_[std::size_t(k)], slots_[std::size_t(t)]);
    oList->setCurrentRow(t);
}

void OrderDialog::okClicked() {
    Accepted = true;
    accept();
}

void OrderDialog::showPosition(int row) {
    if (oList->isHidden())
        return;
    setWindowTitle(row >= 0 ? QString::number(row + 1) : QString());
}
