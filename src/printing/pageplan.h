#pragma once

#include <QPointF>
#include <QSizeF>

// Where the cards go on the pages. Every card is scaled to the page's width and put under
// the one before it, with a gap; a card that no longer fits starts a new page, so a card is
// never split. A card taller than a page gets a page of its own, scaled down to fit and
// centred across.
class PagePlan {
public:
    struct Place {
        int page = 0;     // from 0
        QPointF at;       // the card's top-left corner on its page, in page units
        double scale = 1; // page units per card unit
    };

    // page: the printable area in page units; cardWidth and gap in card units.
    PagePlan(QSizeF page, double cardWidth, double gap);

    // The place of the next card, cardHeight high in card units.
    Place add(double cardHeight);
    int pageCount() const { return page_ + 1; }

private:
    QSizeF pageSize_;
    double scale_;
    double gap_;
    int page_ = 0;
    double used_ = 0; // page units taken on the current page
    bool empty_ = true;
};
