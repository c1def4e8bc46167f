#pragma once

#include <QHash>
#include <QImage>
#include <QProxyStyle>

// The style of the field boxes' line editors: the application's own style, except that the
// panel of a line edit (its base and its anti-aliased rounded outline) is copied from a picture
// when it lies on ground of one colour. Drawing that outline costs more than the text inside
// it, and stepping to the next entry repaints every phrase box. The picture is the style's own
// drawing on that same ground, made once per size, state, palette and ground colour, so every
// pixel is what the style would have drawn. Anywhere else (a ground of several colours, a
// scaled painter, a pixmap being grabbed) the style draws as usual.
class PanelCacheStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One for the whole program; null if the application's style cannot be made a second
    // time (a style sheet, a style that is not a plug-in), and the editors keep that style.
    static PanelCacheStyle* instance();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // How many panels were copied from a picture so far (for the tests).
    int copies() const { return copies_; }

private:
    explicit PanelCacheStyle(QStyle* base);

    mutable QHash<QString, QImage> pictures_;
    mutable int copies_ = 0;
};
