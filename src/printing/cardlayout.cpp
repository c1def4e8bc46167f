#include "cardlayout.h"

#include "boxkinds.h"
#include "boxlook.h"
#include "cardflow.h"
#include "listvalue.h"
#include "picturestore.h"
#include "printtexts.h"
#include "twips.h"
#include "vorn.h"

#include <algorithm>
#include <cmath>

struct CardLayout::Slot {
    int j = 0;
    qint16 type = 0;
    qint16 headPose = 1;
    int length = 0;
    int tall = 0;
    Lines header;
    bool title = false;
    QSize headerSize;
    QPointF at;
};

namespace {

// The type a box shows: a number is a phrase of its own length; codes the box does not know
// are not drawn.
std::optional<qint16> shownType(qint16 type) {
    if (type == BoxKind::Number)
        return BoxKind::Phrase;
    if (BoxKind::isShownType(type))
        return type;
    return std::nullopt;
}

// How much room a text or list needs around its lines: the frame, and for a text the
// document margin.
constexpr int TextInset = BoxLook::FrameWidth + BoxLook::TextMargin;

} // namespace

CardLayout::CardLayout(const Vorn& vorn, const BoxLook& look, PictureStore& pictures)
    : vorn_(vorn), look_(look), pictures_(pictures),
      cardWidth_(vorn.CardWidth > 0 ? vorn.CardWidth : UnsetCardSize.width()),
      cardHeight_(vorn.CardHeight > 0 ? vorn.CardHeight : UnsetCardSize.height()) {
    for (int j = 1; j <= vorn.usedBoxes(); ++j) {
        const BoxDescriptor& d = vorn.descriptor(j);
        const std::optional<qint16> type = shownType(d.Type);
        if (!type)
            continue;
        Slot slot;
        slot.j = j;
        slot.type = *type;
        // The window takes 0 as the first position; other unknown positions would keep
        // whatever the box showed before, which paper does not have.
        slot.headPose = BoxKind::isValidHeadPose(d.HeadPose) ? d.HeadPose : BoxKind::FirstHeadPose;
        const QSize size = FieldBoxLayout::defaultSize(*type).value_or(QSize());
        slot.length = d.Type == BoxKind::Number ? BoxKind::NumberLength : size.width();
        slot.tall = size.height();
        slot.title = j == vorn.TitleBox;
        slot.header = look.line(d.Header, slot.title ? look.titleFont() : look.font());
        slot.headerSize = look.headerSize(d.Header, slot.title);
        slot.at = QPointF(d.Left, d.Top);
        slots_.push_back(slot);
    }
}

CardLayout::~CardLayout() = default;

int CardLayout::count(const Vorn& vorn) {
    return std::max(1, vorn.usedEntries());
}

QString CardLayout::valueOf(int card, int j) const {
    if (vorn_.usedEntries() <= 0)
        return vorn_.descriptor(j).DefaultValue;
    return vorn_.value(card + 1, j);
}

QString CardLayout::heading(int card) const {
    if (vorn_.usedEntries() <= 0)
        return vorn_.VornName;
    return PrintText::CardHeading.arg(vorn_.VornName, vorn_.entryCaption(card + 1));
}

// grow: the box as printed, showing its whole value; otherwise only its place and size as in
// the window.
PrintedBox CardLayout::place(const Slot& slot, const QString& value, bool grow, double* grown) {
    PrintedBox box;
    box.type = slot.type;
    box.header = slot.header;
    box.title = slot.title;
    box.at = slot.at;

    FieldBoxLayout::Input in;
    in.type = slot.type;
    in.headPose = slot.headPose;
    in.headerWidth = slot.headerSize.width();
    in.headerHeight = slot.headerSize.height();
    in.length = slot.length;
    in.tall = slot.tall;
    in.editorHeight = FieldBoxLayout::NewEditorHeight;
    int tall = slot.tall;
    switch (slot.type) {
    case BoxKind::Phrase:
        if (grow)
            box.lines = look_.line(value, look_.font());
        break;
    case BoxKind::Text:
        if (grow) {
            box.lines = look_.wrapped(value, slot.length - 2 * TextInset);
            tall = std::max(tall, static_cast<int>(std::ceil(box.lines->height)) + 2 * TextInset);
        }
        break;
    case BoxKind::List:
        if (grow) {
            const QString list = ListValue::normalised(value);
            const QStringList items = ListValue::items(list, ListValue::count(list));
            box.rows = static_cast<int>(items.size());
            box.lines = look_.rows(items);
            box.editor = look_.line(items.value(0), look_.font());
            tall = std::max(tall, box.rows * look_.rowHeight() + 2 * BoxLook::FrameWidth);
        }
        break;
    case BoxKind::Picture: {
        box.picture = pictures_.path(value);
        const QSize pixels = pictures_.size(box.picture);
        if (!pixels.isEmpty())
            in.picture = pixels * Twips::PerPixel;
        break;
    }
    default:
        break;
    }
    box.geometry = FieldBoxLayout::layOut(in);
    if (grown)
        *grown = 0;
    if (tall != slot.tall) {
        const double before = box.geometry.box.height();
        in.tall = tall;
        box.geometry = FieldBoxLayout::layOut(in);
        if (grown)
            *grown = box.geometry.box.height() - before;
    }
    return box;
}

std::pair<double, double> CardLayout::across(int card) {
    double left = std::min(CardAreaStart.x(), cardWidth_);
    double right = cardWidth_;
    for (const Slot& slot : slots_) {
        const PrintedBox box = place(slot, valueOf(card, slot.j), false, nullptr);
        left = std::min(left, box.at.x());
        right = std::max(right, box.at.x() + box.geometry.box.width());
    }
    return {left, right};
}

PrintedCard CardLayout::layOut(int card, double left, double right) {
    PrintedCard printed;
    printed.heading = look_.line(heading(card), look_.headingFont());
    std::vector<QRectF> before;
    std::vector<double> growth;
    double top = std::min(CardAreaStart.y(), cardHeight_);
    double bottomBefore = 0;
    for (const Slot& slot : slots_) {
        double grown = 0;
        PrintedBox box = place(slot, valueOf(card, slot.j), true, &grown);
        const QSizeF size = box.geometry.box - QSizeF(0, grown);
        before.emplace_back(box.at, size);
        growth.push_back(grown);
        left = std::min(left, box.at.x());
        right = std::max(right, box.at.x() + size.width());
        top = std::min(top, box.at.y());
        bottomBefore = std::max(bottomBefore, box.at.y() + size.height());
        printed.boxes.push_back(std::move(box));
    }
    const std::vector<double> shift = CardFlow::shifts(before, growth);
    double bottomAfter = 0;
    for (size_t i = 0; i < printed.boxes.size(); ++i) {
        PrintedBox& box = printed.boxes[i];
        box.at.ry() += shift[i];
        bottomAfter = std::max(bottomAfter, box.at.y() + box.geometry.box.height());
    }
    // The card keeps the room it had under its lowest box when that box moves down.
    const double bottom =
        std::max(bottomAfter, cardHeight_ + std::max(0.0, bottomAfter - bottomBefore));
    printed.frame = QRectF(QPointF(left, top), QPointF(right, bottom));
    printed.bounds = printed.frame.adjusted(0, -look_.headingHeight(), 0, 0);
    return printed;
}
