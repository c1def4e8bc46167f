// Refresh: fills the content, places header and content, sizes the box and shows the
// controls of its type.
#include "boxkinds.h"
#include "databox.h"
#include "databox_p.h"
#include "fieldboxlayout.h"
#include "listvalue.h"
#include "twips.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPixmapCache>
#include <QSignalBlocker>

namespace {

int twipsOf(int pixels) {
    return Twips::fromPixels(pixels);
}

QRect pixelRect(const QRectF& twips) {
    return QRect(Twips::toPixels(twips.x()), Twips::toPixels(twips.y()),
                 Twips::toPixels(twips.width()), Twips::toPixels(twips.height()));
}

QPointF twipsPoint(QPoint pixels) {
    return QPointF(twipsOf(pixels.x()), twipsOf(pixels.y()));
}

// A text editor shows line breaks as "\n"; values written elsewhere may carry CR LF.
QString editorText(const QString& value) {
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace

void DataBox::Private::fitHeader() {
    // The label takes its caption's width on one line and the height of a one-line editor,
    // so that a phrase editor as high as the header shows its text in full.
    const QSize text = hed->sizeHint();
    hed->resize(text.width(), std::max(text.height(), fras->sizeHint().height()));
}

void DataBox::Private::updateAccessibleNames() {
    const QString name = hed->text();
    pic->setAccessibleName(name);
    for (QWidget* editor : editors())
        editor->setAccessibleName(name);
}

void DataBox::Private::fillContent() {
    switch (boxType) {
    case BoxKind::Phrase: {
        // The editor reports a real change of its text; the stored value stays as given
        // (it is the same text, and the editor may not hold every character of it).
        const QString before = fras->text();
        {
            const QSignalBlocker quiet(fras);
            fras->setText(data);
        }
        if (fras->text() != before)
            Q_EMIT q->Change();
        break;
    }
    case BoxKind::Text: {
        const QString shown = editorText(data);
        textEditor();
        if (tex->toPlainText() != shown) {
            {
                const QSignalBlocker quiet(tex);
                tex->fill(shown);
            }
            texShown = tex->toPlainText();
            Q_EMIT q->Change();
        }
        break;
    }
    case BoxKind::Picture:
        loadPicture();
        break;
    case BoxKind::List:
        fillList();
        break;
    default:
        break;
    }
}

void DataBox::Private::fillList() {
    listBox();
    filling = true;
    fras->clear();
    {
        const bool wasEditing = listEditing;
        listEditing = true;
        lis->clear();
        lis->addItems(ListValue::items(data, itemCount));
        listEditing = wasEditing;
    }
    // Selecting the first item copies it into the editor like a user's selection; while
    // filling, the copy is not written back.
    if (lis->count() > 0)
        lis->setCurrentRow(0);
    filling = false;
}

void DataBox::Private::loadPicture() {
    if (data.isEmpty()) {
        picture = QPixmap();
    } else {
        QString path = data;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!pictureBase.isEmpty())
            path = QDir(pictureBase).filePath(path);
        path = QDir::cleanPath(path);
        // Stepping through entries shows the same pictures again and again: decoded ones
        // are kept in Qt's pixmap cache, under the file's time so an edited file is read anew.
        const QFileInfo file(path);
        const QString key =
            path + QLatin1Char('|') + QString::number(file.lastModified().toMSecsSinceEpoch());
        QPixmap loaded;
        // A file that cannot be read leaves the picture shown before in place.
        if (QPixmapCache::find(key, &loaded)) {
            picture = loaded;
        } else if (file.isFile() && loaded.load(path)) {
            QPixmapCache::insert(key, loaded);
            picture = loaded;
        }
    }
    pic->setPixmap(picture);
}

QWidget* DataBox::Private::contentControl() const {
    switch (boxType) {
    case BoxKind::Phrase:
        return fras;
    case BoxKind::Text:
        return tex;
    case BoxKind::Picture:
        return border;
    case BoxKind::List:
        return lis;
    default:
        return nullptr;
    }
}

void DataBox::Private::place(bool fitToContent) {
    FieldBoxLayout::Input in;
    in.type = boxType;
    in.headPose = headPose;
    in.fitToContent = fitToContent;
    in.headerWidth = twipsOf(hed->width());
    in.headerHeight = twipsOf(hed->height());
    in.length = length;
    in.tall = tall;
    if (!picture.isNull()) {
        const QSizeF natural = picture.deviceIndependentSize();
        in.picture = QSize(Twips::fromPixels(natural.width()), Twips::fromPixels(natural.height()));
    }
    in.editorHeight = twipsOf(fras->height());
    in.previousHeader = twipsPoint(hed->pos());
    if (QWidget* content = contentControl())
        in.previousContent = twipsPoint(content->pos());
    in.previousEditor = twipsPoint(fras->pos());
    in.previousBox = QSizeF(twipsOf(q->width()), twipsOf(q->height()));

    const FieldBoxLayout::Result r = FieldBoxLayout::layOut(in);
    if (!r.applies)
        return;

    hed->move(pixelRect(r.header).topLeft());
    if (QWidget* content = contentControl())
        content->setGeometry(pixelRect(r.content));
    if (boxType == BoxKind::List)
        fras->setGeometry(pixelRect(r.editor));
    if (boxType == BoxKind::Picture)
        pic->setGeometry(pixelRect(r.picture).translated(border->contentsRect().topLeft()));
    const QRect box = pixelRect(QRectF(QPointF(0, 0), r.box));
    q->resize(box.size());
}

void DataBox::Private::showControls() {
    hed->show();
    fras->setVisible(boxType == BoxKind::Phrase || boxType == BoxKind::List);
    if (tex)
        tex->setVisible(boxType == BoxKind::Text);
    if (lis)
        lis->setVisible(boxType == BoxKind::List);
    border->setVisible(boxType == BoxKind::Picture);
    pic->setVisible(boxType == BoxKind::Picture);
    updateFocusProxy();
}

void DataBox::Private::updateFocusProxy() {
    // The box stands for its first editor in the window's tab chain; Qt keeps the box's
    // other editors (a list after its item editor) together with it.
    QWidget* first = nullptr;
    for (QWidget* editor : editors()) {
        if (!editor->isHidden()) {
            first = editor;
            break;
        }
    }
    q->setFocusProxy(first);
    q->setFocusPolicy(first ? editorFocusPolicy() : Qt::NoFocus);
}

Qt::FocusPolicy DataBox::Private::editorFocusPolicy() const {
    return tabStop ? Qt::StrongFocus : Qt::ClickFocus;
}

void DataBox::Refresh(bool FitToContent) {
    if (!BoxKind::isShownType(d->boxType))
        return; // a number or unknown code keeps the present layout and content
    d->fillContent();
    d->place(FitToContent);
    d->showControls();
}
