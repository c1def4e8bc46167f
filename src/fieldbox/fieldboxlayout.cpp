#include "fieldboxlayout.h"

#include "boxkinds.h"

#include <algorithm>

namespace FieldBoxLayout {
namespace {

// Negative sizes can arrive through the properties; they lay out as zero.
int size0(int v) {
    return std::max<int>(0, v);
}

enum class Side { Above, Left, Right, Below };

Side sideOf(qint16 pose) {
    if (pose <= 3)
        return Side::Above;
    if (pose <= 6)
        return Side::Left;
    if (pose <= 9)
        return Side::Right;
    return Side::Below;
}

// 0 = first (left or top), 1 = centred, 2 = last (right or bottom) along the header's side.
int alignmentOf(qint16 pose) {
    return (pose - 1) % 3;
}

double horizontalHeaderLeft(const Input& in, double rw) {
    const int hw = in.headerWidth;
    const int align = alignmentOf(in.headPose);
    if (align == 0 || hw >= rw)
        return 0;
    if (align == 1) {
        const double centred = (rw - hw) / 2.0;
        return in.type == BoxKind::Phrase ? centred : centred - CentredHeaderShift;
    }
    return rw - hw;
}

double verticalHeaderTop(const Input& in, double rh) {
    switch (alignmentOf(in.headPose)) {
    case 0:
        return 0;
    case 1:
        return (rh - in.headerHeight) / 2.0;
    default:
        return rh - in.headerHeight;
    }
}

} // namespace

std::optional<QSize> defaultSize(qint16 type) {
    switch (type) {
    case BoxKind::Word:
        return QSize(100, 100);
    case BoxKind::Phrase:
        return QSize(1700, 0);
    case BoxKind::Text:
        return QSize(3000, 1300);
    case BoxKind::Picture:
        return QSize(0, 0);
    case BoxKind::List:
        return QSize(1500, 2200);
    default:
        return std::nullopt;
    }
}

QSize pictureArea(int length, int tall, QSize picture) {
    if (length > 0 && tall > 0)
        return QSize(length, tall);
    if (!picture.isEmpty())
        return picture;
    return EmptyPictureArea;
}

Result layOut(const Input& in) {
    Result r;
    if (!BoxKind::isShownType(in.type))
        return r;
    r.applies = true;

    const QSizeF header(in.headerWidth, in.headerHeight);
    if (in.type == BoxKind::Word) {
        r.header = QRectF(QPointF(0, 0), header);
        r.box = in.fitToContent ? header : in.previousBox;
        return r;
    }

    // The content block: its own size (cw, ch) and the reference the header aligns with.
    const int length = size0(in.length);
    const int tall = size0(in.tall);
    double cw = length;
    double ch = 0;
    double rh = 0;
    QSizeF contentSize;
    switch (in.type) {
    case BoxKind::Phrase:
        contentSize = QSizeF(length, in.headerHeight);
        ch = rh = in.headerHeight;
        break;
    case BoxKind::Text:
        contentSize = QSizeF(length, tall);
        ch = rh = tall;
        break;
    case BoxKind::Picture: {
        const QSize area = pictureArea(in.length, in.tall, in.picture);
        r.picture = QRectF(QPointF(0, 0), QSizeF(area));
        contentSize = QSizeF(area.width() + FrameExtra, area.height() + FrameExtra);
        cw = contentSize.width();
        ch = rh = contentSize.height();
        break;
    }
    default: // list
        contentSize = QSizeF(length, tall);
        ch = tall + ListEditorGap + in.editorHeight;
        rh = tall;
        break;
    }
    const double rw = cw;
    const QSizeF editorSize(length, in.editorHeight);

    if (!BoxKind::isValidHeadPose(in.headPose)) {
        // Nothing moves and the box keeps its size; the content still takes its new size.
        r.header = QRectF(in.previousHeader, header);
        r.content = QRectF(in.previousContent, contentSize);
        if (in.type == BoxKind::List)
            r.editor = QRectF(in.previousEditor, editorSize);
        r.box = in.previousBox;
        return r;
    }

    QPointF headerAt;
    QPointF contentAt;
    QSizeF box;
    switch (sideOf(in.headPose)) {
    case Side::Above:
        headerAt = QPointF(horizontalHeaderLeft(in, rw), 0);
        contentAt = QPointF(0, in.headerHeight);
        box = QSizeF(std::max<double>(in.headerWidth, rw), in.headerHeight + ch);
        break;
    case Side::Below:
        headerAt = QPointF(horizontalHeaderLeft(in, rw), ch);
        contentAt = QPointF(0, 0);
        box = QSizeF(std::max<double>(in.headerWidth, rw), ch + in.headerHeight);
        break;
    case Side::Left:
        headerAt = QPointF(0, verticalHeaderTop(in, rh));
        contentAt = QPointF(in.headerWidth + HeaderGap, 0);
        box = QSizeF(in.headerWidth + HeaderGap + cw, ch);
        break;
    case Side::Right:
        headerAt = QPointF(cw + HeaderGap, verticalHeaderTop(in, rh));
        contentAt = QPointF(0, 0);
        box = QSizeF(in.headerWidth + HeaderGap + cw, ch);
        break;
    }

    r.header = QRectF(headerAt, header);
    r.content = QRectF(contentAt, contentSize);
    if (in.type == BoxKind::List)
        r.editor = QRectF(contentAt + QPointF(0, tall + ListEditorGap), editorSize);
    r.box = in.fitToContent ? box : in.previousBox;
    return r;
}

} // namespace FieldBoxLayout
