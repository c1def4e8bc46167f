#include "pageplan.h"

#include <algorithm>

namespace {
// Rounding in page units must not send a card that fits exactly to the next page.
constexpr double Slack = 1e-6;
} // namespace

PagePlan::PagePlan(QSizeF page, double cardWidth, double gap)
    : pageSize_(page), scale_(cardWidth > 0 ? page.width() / cardWidth : 1), gap_(gap) {}

PagePlan::Place PagePlan::add(double cardHeight) {
    const double height = cardHeight * scale_;
    const double top = empty_ ? 0 : used_ + gap_ * scale_;
    if (!empty_ && top + height > pageSize_.height() * (1 + Slack)) {
        ++page_;
        empty_ = true;
        used_ = 0;
        return add(cardHeight);
    }
    Place place;
    place.page = page_;
    place.scale = scale_;
    if (height > pageSize_.height() * (1 + Slack) && cardHeight > 0) {
        place.scale = pageSize_.height() / cardHeight;
        const double width = pageSize_.width() * place.scale / scale_;
        place.at = QPointF((pageSize_.width() - width) / 2, 0);
        used_ = pageSize_.height();
    } else {
        place.at = QPointF(0, top);
        used_ = top + height;
    }
    empty_ = false;
    return place;
}
