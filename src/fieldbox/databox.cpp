#include "databox.h"

#include "boxkinds.h"
#include "databox_p.h"
#include "editorstyle.h"
#include "fieldboxlayout.h"
#include "listvalue.h"
#include "twips.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <limits>

namespace {

const QString InitialHeader = QStringLiteral("Label1");
constexpr int FrameLineWidth = 2; // pixels of the picture frame's sunken border

int twipsOf(int pixels) {
    return Twips::fromPixels(pixels);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Construction

DataBox::Private::Private(DataBox* box) : q(box) {
    // Created in the order the focus moves through them: Border, Pic, Fras, and then Tex and
    // Lis, which are made when first needed and moved into that order.
    hed = new QLabel(InitialHeader, q);
    hed->setObjectName(QStringLiteral("Hed"));
    hed->setTextFormat(Qt::PlainText); // a header is never markup
    hed->setWordWrap(false);
    hed->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    border = new QFrame(q);
    border->setObjectName(QStringLiteral("Border"));
    border->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    border->setLineWidth(FrameLineWidth);
    border->hide();

    pic = new QLabel(border);
    pic->setObjectName(QStringLiteral("Pic"));
    pic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pic->setAutoFillBackground(true);
    pic->setBackgroundRole(QPalette::Midlight); // the uncovered area shows the 3D highlight
    pic->setGeometry(QRect(QPoint(FrameLineWidth, FrameLineWidth),
                           QSize(Twips::toPixels(FieldBoxLayout::EmptyPictureArea.width()),
                                 Twips::toPixels(FieldBoxLayout::EmptyPictureArea.height()))));
    pic->hide();

    fras = new DataBoxParts::LineEditor(q);
    fras->setObjectName(QStringLiteral("Fras"));
    // A value is never cut to the editor's default limit.
    fras->setMaxLength(std::numeric_limits<int>::max());
    fras->resize(fras->width(), Twips::toPixels(FieldBoxLayout::NewEditorHeight));
    fras->hide();
    fras->setFocusPolicy(Qt::StrongFocus);
    EditorStyle::apply(fras);
    QObject::connect(fras, &QLineEdit::textChanged, this,
                     [this](const QString& text) { frasTextChanged(text); });

    installFilters();
    updateAccessibleNames();
    fitHeader();
}

DataBox::DataBox(QWidget* parent) : QWidget(parent), d(new Private(this)) {
    Private::installAccessibleFactory();
    Refresh(true);
}

DataBox::~DataBox() {
    // The private part owns the connections and the event filters; removing it first
    // keeps the children's last signals from reaching it while they are destroyed.
    delete d;
    d = nullptr; // an accessibility client may still ask for the parts meanwhile
}

// ---------------------------------------------------------------------------------------
// Properties

qint16 DataBox::BoxType() const {
    return d->boxType;
}

void DataBox::setBoxType(qint16 type) {
    // A list turned into another type keeps its current item as its value. Re-setting
    // the list type keeps the whole list.
    if (d->boxType == BoxKind::List && type != BoxKind::List) {
        const QListWidgetItem* current = d->listBox()->currentItem();
        d->data = current ? current->text() : QString();
    }
    d->boxType = type;
    Refresh(true);
}

void DataBox::ChangeAll(qint16 type, const QString& header, const QString& value, qint16 headPose,
                        qint16 length, qint16 tall) {
    d->boxType = type;
    d->hed->setText(header);
    d->fitHeader();
    d->updateAccessibleNames();
    d->data = value;
    if (type == BoxKind::List) {
        d->data = ListValue::normalised(value);
        d->itemCount = ListValue::count(d->data);
    }
    const std::optional<QSize> defaults = FieldBoxLayout::defaultSize(type);
    if (length != 0)
        d->length = length;
    else if (defaults)
        d->length = qint16(defaults->width());
    if (tall != 0)
        d->tall = tall;
    else if (defaults)
        d->tall = qint16(defaults->height());
    d->headPose = headPose != 0 ? headPose : BoxKind::FirstHeadPose;
    Refresh(true);
    Q_EMIT Change();
}

bool DataBox::Locked() const {
    return d->locked;
}

void DataBox::setLocked(bool locked) {
    d->locked = locked;
    d->fras->setReadOnly(locked);
    if (d->tex)
        d->tex->setReadOnly(locked);
}

QString DataBox::Listing(qint16 item) const {
    if (d->boxType != BoxKind::List || item < 1 || item > d->itemCount)
        return {};
    return ListValue::item(d->data, item);
}

int DataBox::ListCount() const {
    return d->boxType == BoxKind::List ? d->itemCount : 0;
}

int DataBox::ItemCount() const {
    return d->itemCount;
}

bool DataBox::Filling() const {
    return d->filling;
}

std::optional<int> DataBox::ListIndex() const {
    if (d->boxType != BoxKind::List)
        return std::nullopt;
    return d->listBox()->currentRow();
}

QString DataBox::Data() const {
    return d->data;
}

void DataBox::setData(const QString& value) {
    d->data = value;
    if (d->boxType == BoxKind::List) {
        d->data = ListValue::normalised(value);
        d->itemCount = ListValue::count(d->data);
    }
    Refresh(true);
    Q_EMIT Change();
}

QFont DataBox::HeaderFont() const {
    return d->hed->font();
}

void DataBox::setHeaderFont(const QFont& font) {
    d->hed->setFont(font);
    for (QWidget* w : d->editors())
        w->setFont(font);
    d->fitHeader();
    Refresh(true);
}

void DataBox::setHeaderBold(bool bold) {
    QFont font = d->hed->font();
    font.setBold(bold);
    d->hed->setFont(font);
    d->fitHeader();
}

QString DataBox::Header() const {
    return d->hed->text();
}

void DataBox::setHeader(const QString& header) {
    d->hed->setText(header);
    d->fitHeader();
    d->updateAccessibleNames();
}

qint16 DataBox::HeadPose() const {
    return d->headPose;
}

void DataBox::setHeadPose(qint16 pose) {
    d->headPose = pose;
    Refresh(true);
}

qint16 DataBox::Length() const {
    return d->length;
}

void DataBox::setLength(qint16 length) {
    d->length = length;
    Refresh(true);
}

qint16 DataBox::Tall() const {
    return d->tall;
}

void DataBox::setTall(qint16 tall) {
    d->tall = tall;
    Refresh(true);
}

// ---------------------------------------------------------------------------------------
// List members

QString DataBox::Private::rebuiltList(int items) const {
    if (!lis)
        return {};
    QStringList texts;
    const int n = std::min(items, lis->count());
    texts.reserve(n);
    for (int i = 0; i < n; ++i)
        texts.append(lis->item(i)->text());
    return ListValue::joined(texts);
}

void DataBox::Private::finishListChange() {
    listBox();
    itemCount =
        static_cast<qint16>(std::min(lis->count(), int(std::numeric_limits<qint16>::max())));
    data = rebuiltList(lis->count());
    if (lis->count() == 0) {
        const QSignalBlocker quiet(fras); // nothing to write back into
        fras->clear();
    }
    Q_EMIT q->Change();
}

void DataBox::AddItem(const QString& item, qint16 position) {
    if (d->boxType != BoxKind::List)
        return;
    QListWidget* lis = d->listBox();
    if (position != -1 && (position < 0 || position > lis->count()))
        return; // no such place in the list: nothing changes
    {
        const QScopedValueRollback guard(d->listEditing, true);
        const QString text = ListValue::sanitisedItem(item);
        if (position == -1)
            lis->addItem(text);
        else
            lis->insertItem(position, text);
    }
    d->finishListChange();
}

void DataBox::DelItem(qint16 position) {
    if (d->boxType != BoxKind::List)
        return;
    QListWidget* lis = d->listBox();
    if (position < 0 || position >= lis->count())
        return;
    {
        const QScopedValueRollback guard(d->listEditing, true);
        const bool wasCurrent = position == lis->currentRow();
        delete lis->takeItem(position);
        // With its item gone the editor belongs to no item, so its edits change none.
        if (wasCurrent)
            lis->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    d->finishListChange();
}

void DataBox::DelSelected() {
    if (d->boxType != BoxKind::List)
        return;
    QListWidget* lis = d->listBox();
    {
        const QScopedValueRollback guard(d->listEditing, true);
        const QListWidgetItem* current = lis->currentItem();
        bool currentGone = false;
        int i = 0;
        while (i < lis->count()) {
            QListWidgetItem* item = lis->item(i);
            if (item->isSelected()) {
                currentGone = currentGone || item == current;
                delete lis->takeItem(i);
            } else {
                ++i;
            }
        }
        if (currentGone)
            lis->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    d->finishListChange();
}

// ---------------------------------------------------------------------------------------
// Placement, tab order, pictures

// While the box stands where moveTwips put it, the exact twips given there come back, so
// a layout saved and shown again does not drift by the pixel rounding.
int DataBox::leftTwips() const {
    return x() == Twips::toPixels(d->placedTwips.x()) ? d->placedTwips.x() : twipsOf(x());
}
int DataBox::topTwips() const {
    return y() == Twips::toPixels(d->placedTwips.y()) ? d->placedTwips.y() : twipsOf(y());
}
int DataBox::widthTwips() const {
    return twipsOf(width());
}
int DataBox::heightTwips() const {
    return twipsOf(height());
}

void DataBox::moveTwips(int left, int top) {
    d->placedTwips = QPoint(left, top);
    move(Twips::toPixels(left), Twips::toPixels(top));
}

void DataBox::setTabStop(bool on) {
    d->tabStop = on;
    const Qt::FocusPolicy policy = d->editorFocusPolicy();
    for (QWidget* w : d->editors())
        w->setFocusPolicy(policy);
    d->updateFocusProxy();
}

bool DataBox::tabStop() const {
    return d->tabStop;
}

QWidget* DataBox::focusWidgetForTab() const {
    return focusProxy() ? const_cast<DataBox*>(this) : nullptr;
}

void DataBox::setPictureBase(const QString& folder) {
    d->pictureBase = folder;
}
