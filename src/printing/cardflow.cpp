#include "cardflow.h"

#include <algorithm>
#include <numeric>

namespace CardFlow {

std::vector<double> shifts(const std::vector<QRectF>& boxes, const std::vector<double>& grown) {
    const size_t n = boxes.size();
    std::vector<double> shift(n, 0.0);
    // From the top down, so that a box's own move is known before the boxes under it.
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return boxes[a].top() != boxes[b].top() ? boxes[a].top() < boxes[b].top()
                                                : boxes[a].bottom() < boxes[b].bottom();
    });
    for (size_t k = 0; k < n; ++k) {
        const QRectF& box = boxes[order[k]];
        for (size_t m = 0; m < k; ++m) {
            const size_t above = order[m];
            const QRectF& other = boxes[above];
            const bool under = other.bottom() <= box.top();
            const bool across = other.left() < box.right() && box.left() < other.right();
            if (under && across) {
                const double growth = above < grown.size() ? grown[above] : 0.0;
                shift[order[k]] = std::max(shift[order[k]], shift[above] + growth);
            }
        }
    }
    return shift;
}

} // namespace CardFlow
