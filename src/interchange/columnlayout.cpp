#include "columnlayout.h"

#include <QStringList>

#include <algorithm>

namespace {

// The estimate of a box without a window.
constexpr int HeaderCharWidth = 120;
constexpr int HeaderPadding = 60;
constexpr int HeaderLineHeight = 255;
constexpr QSize PhraseContent{1700, 300};
constexpr QSize NumberContent{BoxKind::NumberLength, 300};
constexpr QSize TextContent{3000, 1300};
constexpr QSize ListContent{1500, 2500};
constexpr QSize PictureContent{675, 555};

// How much taller the columns get on each try when the window would be too wide.
constexpr int ColumnHeightStep = 500;

QSize contentSize(qint16 type) {
    switch (type) {
    case BoxKind::Number:
        return NumberContent;
    case BoxKind::Text:
        return TextContent;
    case BoxKind::List:
        return ListContent;
    case BoxKind::Picture:
        return PictureContent;
    case BoxKind::Word:
        return {};
    default:
        return PhraseContent;
    }
}

ColumnLayout::Placement placeIn(const std::vector<QSize>& sizes, int columnBottom) {
    ColumnLayout::Placement placement;
    placement.topLeft.reserve(sizes.size());
    int x = VornLimits::CardAreaLeft;
    int y = VornLimits::CardAreaTop;
    int columnWidth = 0;
    int right = 0;
    int bottom = 0;
    for (const QSize& size : sizes) {
        if (y > VornLimits::CardAreaTop && y + size.height() > columnBottom) {
            x += columnWidth + ColumnLayout::ColumnGap;
            y = VornLimits::CardAreaTop;
            columnWidth = 0;
        }
        placement.topLeft.emplace_back(x, y);
        columnWidth = std::max(columnWidth, size.width());
        right = std::max(right, x + size.width());
        bottom = std::max(bottom, y + size.height());
        y += size.height() + ColumnLayout::RowGap;
    }
    placement.card = {
        std::max<int>(VornLimits::DefaultCardWidth, right + ColumnLayout::RightMargin),
        std::max<int>(VornLimits::DefaultCardHeight, bottom + ColumnLayout::BottomMargin)};
    return placement;
}

} // namespace

namespace ColumnLayout {

QSize estimatedSize(const BoxDescriptor& box) {
    const QStringList lines = box.Header.split(u'\n');
    qsizetype longest = 0;
    for (const QString& line : lines)
        longest = std::max(longest, line.size());
    const int headerWidth =
        int(std::min<qsizetype>(longest * HeaderCharWidth + HeaderPadding, MaxTwips));
    const int headerHeight = int(std::min<qsizetype>(lines.size(), 100)) * HeaderLineHeight;
    const QSize content = contentSize(box.Type);
    return {std::max(headerWidth, content.width()), headerHeight + content.height()};
}

Placement place(const std::vector<QSize>& sizes) {
    std::vector<QSize> boxes;
    boxes.reserve(sizes.size());
    long long total = 0; // every box in one column
    for (const QSize& size : sizes) {
        boxes.emplace_back(std::clamp(size.width(), 0, MaxTwips),
                           std::clamp(size.height(), 0, MaxTwips));
        total += boxes.back().height() + RowGap;
    }
    int columnBottom = VornLimits::DefaultCardHeight - BottomMargin;
    Placement placement = placeIn(boxes, columnBottom);
    while (placement.card.width() > MaxTwips && columnBottom < VornLimits::CardAreaTop + total) {
        columnBottom += ColumnHeightStep;
        placement = placeIn(boxes, columnBottom);
    }
    for (QPoint& at : placement.topLeft)
        at = {std::min(at.x(), MaxTwips), std::min(at.y(), MaxTwips)};
    placement.card = placement.card.boundedTo({MaxTwips, MaxTwips});
    return placement;
}

} // namespace ColumnLayout
