#include "boxlook.h"

#include "twips.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int TwipsPerPoint = 20;

int whole(double twips) {
    return static_cast<int>(std::ceil(twips - 1e-6));
}
} // namespace

QFont BoxLook::inTwips(const QFont& font) {
    QFont f = font;
    const double points = font.pointSizeF();
    const int twips = points > 0 ? static_cast<int>(std::lround(points * TwipsPerPoint))
                                 : font.pixelSize() * Twips::PerPixel;
    f.setPixelSize(std::max(1, twips));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

BoxLook::BoxLook(const QFont& font, const QPalette& palette)
    : font_(inTwips(font)), titleFont_(font_), headingFont_(font_), palette_(palette) {
    titleFont_.setBold(true);
    headingFont_.setPixelSize(
        std::max(1, static_cast<int>(std::lround(font_.pixelSize() * HeadingScale))));
    rowHeight_ = whole(QFontMetricsF(font_).height());
    headingHeight_ = whole(QFontMetricsF(headingFont_).height()) + HeadingGap;
}

QSize BoxLook::headerSize(const QString& header, bool title) const {
    const QFontMetricsF label(title ? titleFont_ : font_);
    const double editor = QFontMetricsF(font_).height() + EditorExtra;
    return QSize(whole(label.horizontalAdvance(header)), whole(std::max(label.height(), editor)));
}

namespace {

QString withSeparators(const QString& text, QChar separator) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QString(separator));
    lines.replace(QLatin1Char('\n'), separator);
    lines.replace(QLatin1Char('\r'), separator);
    return lines;
}

// Lays out text in font: lines wrapped into wrapWidth (none when below 0), step apart (their
// own height when 0).
Lines laidOut(const QString& text, const QFont& font, double wrapWidth, double step) {
    auto lines = std::make_shared<TextLines>();
    QTextLayout& layout = lines->layout;
    layout.setText(text);
    layout.setFont(font);
    QTextOption option;
    option.setWrapMode(wrapWidth < 0 ? QTextOption::NoWrap
                                     : QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    double y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        // Without wrapping a line is as long as its text (Qt caps an unlimited width).
        line.setLineWidth(wrapWidth >= 0 ? wrapWidth : std::numeric_limits<qreal>::max());
        line.setPosition(QPointF(0, y));
        lines->width = std::max(lines->width, line.naturalTextWidth());
        y += step > 0 ? step : line.height();
    }
    layout.endLayout();
    lines->height = y;
    return lines;
}

} // namespace

Lines BoxLook::line(const QString& text, const QFont& font) const {
    return laidOut(withSeparators(text, QLatin1Char(' ')), font, -1, 0);
}

Lines BoxLook::wrapped(const QString& text, double width) const {
    return laidOut(withSeparators(text, QChar::LineSeparator), font_, std::max(0.0, width), 0);
}

Lines BoxLook::rows(const QStringList& items) const {
    QStringList oneLineEach;
    oneLineEach.reserve(items.size());
    for (const QString& item : items)
        oneLineEach.append(withSeparators(item, QLatin1Char(' ')));
    return laidOut(oneLineEach.join(QChar::LineSeparator), font_, -1, rowHeight_);
}
