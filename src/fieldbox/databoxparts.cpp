// The box's editors, and the parts that only a text or a list box needs, made when first
// needed and put where they would have been had they been made with the box.
#include "databox.h"

#include "childrenmadeonask.h"
#include "databox_p.h"
#include "editorstyle.h"
#include "focuschain.h"
#include "rowdelegate.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QAccessibleInterface* boxAccessible(const QString&, QObject* object) {
    // A box's children are every part, the ones only a text or a list box needs too.
    auto* box = qobject_cast<DataBox*>(object);
    return box ? new ChildrenMadeOnAsk(box, [box] { box->makeAllParts(); }) : nullptr;
}

} // namespace

void DataBox::Private::installAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(boxAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

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
// Parts made late

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
