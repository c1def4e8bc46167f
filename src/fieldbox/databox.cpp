#include "databox.h"

#include "boxkinds.h"
#include "databox_p.h"
#include "editorstyle.h"
#include "fieldboxlayout.h"
#include "focuschain.h"
#include "listvalue.h"
#include "rowdelegate.h"
#include "twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>

#include <limits>

namespace {

const QString InitialHeader = QStringLiteral("Label1");
constexpr int FrameLineWidth = 2; // pixels of the picture frame's sunken border

int twipsOf(int pixels) {
    return Twips::fromPixels(pixels);
}

// A box as an accessibility client sees it: every part, the ones only a text or a list box
// needs made before anything is answered, as if all had been made with the box.
class BoxAccessible : public QAccessibleWidget {
public:
    explicit BoxAccessible(DataBox* box) : QAccessibleWidget(box), box_(box) {}
    int childCount() const override {
        box_->makeAllParts();
        return QAccessibleWidget::childCount();
    }
    QAccessibleInterface* child(int index) const override {
        box_->makeAllParts();
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        box_->makeAllParts();
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        box_->makeAllParts();
        return QAccessibleWidget::childAt(x, y);
    }

private:
    DataBox* box_;
};

QAccessibleInterface* boxAccessible(const QString&, QObject* object) {
    auto* box = qobject_cast<DataBox*>(object);
    return box ? new BoxAccessible(box) : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Constituent editors

namespace DataBoxParts {

LineEditor::LineEditor(QWidget* parent) : QLineEdit(parent) {}

void LineEditor::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
}

TextEditor::TextEditor(QWidget* parent) : QPlainTextEdit(parent) {}

void TextEditor::fill(const QString& text) {
    // Put back at the start, a focused editor's cursor would show at once where
    // setPlainText leaves it to blink on in its time.
    if (hasFocus()) {
        setPlainText(text);
        return;
    }
    QTextDocument* doc = document();
    doc->setPlainText(text);
    setTextCursor(QTextCursor(doc));
    doc->setModified(false);
}

void TextEditor::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    selectAll();
}

void TextEditor::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    selectAll();
}

} // namespace DataBoxParts

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

QList<QWidget*> DataBox::Private::editors() const {
    QList<QWidget*> made{fras};
    if (tex)
        made << tex;
    if (lis)
        made << lis;
    return made;
}

DataBoxParts::TextEditor* DataBox::Private::textEditor() {
    if (tex)
        return tex;
    tex = new DataBoxParts::TextEditor(q);
    tex->setObjectName(QStringLiteral("Tex"));
    tex->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    tex->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tex->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tex->setTabChangesFocus(true); // Tab leaves the field, as in the other editors
    tex->setReadOnly(locked);
    QObject::connect(tex, &QPlainTextEdit::textChanged, this, [this] { texTextChanged(); });
    // Under a list made earlier, as if both had been made with the box.
    if (lis)
        tex->stackUnder(lis);
    adoptPart(tex, tex->viewport());
    // After the item editor, and a list made earlier after it, as if made with the box.
    QWidget* last = FocusChain::moveAfter(fras, tex);
    if (lis)
        FocusChain::moveAfter(last, lis);
    Q_EMIT q->PartMade();
    return tex;
}

QListWidget* DataBox::Private::listBox() {
    if (lis)
        return lis;
    lis = new QListWidget(q);
    lis->setObjectName(QStringLiteral("Lis"));
    lis->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lis->setUniformItemSizes(true); // one line each: no measuring every item on a refill
    lis->setSortingEnabled(false);
    lis->setItemDelegate(new RowDelegate(lis));
    QObject::connect(lis, &QListWidget::currentRowChanged, this,
                     [this](int row) { itemSelected(row); });
    adoptPart(lis, lis->viewport());
    // After the text editor and its own parts, gathered again after the item editor (the
    // window's Tab order may have moved them apart), or else after the item editor.
    FocusChain::moveAfter(tex ? FocusChain::moveAfter(fras, tex) : fras, lis);
    Q_EMIT q->PartMade();
    return lis;
}

// What every editor of the box shares, given to one made after the box: hidden until its
// kind is shown, the box's font, focus policy and caption, and the box's own watch.
void DataBox::Private::adoptPart(QWidget* part, QWidget* viewport) {
    part->hide();
    if (fras->testAttribute(Qt::WA_SetFont))
        part->setFont(fras->font());
    part->setFocusPolicy(editorFocusPolicy());
    part->setAccessibleName(hed->text());
    EditorStyle::apply(part); // the style's drawing, some of it copied
    watch(part);
    watch(viewport); // the mouse events of a scrolling editor arrive there
}

void DataBox::makeAllParts() {
    if (!d)
        return; // being destroyed
    d->textEditor();
    d->listBox();
}

DataBox::DataBox(QWidget* parent) : QWidget(parent), d(new Private(this)) {
    static const bool factory = [] {
        QAccessible::installFactory(boxAccessible);
        return true;
    }();
    Q_UNUSED(factory);
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
