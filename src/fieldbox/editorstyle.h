#pragma once

#include <QCache>
#include <QImage>
#include <QProxyStyle>
#include <QSet>

#include <array>

// The style of the field boxes' editors and of the entry list: the application's own style,
// made a second time, whose line-edit panels (a base and an anti-aliased rounded outline) and
// scroll bars are copied from pictures. Drawing them costs more than the text beside them, and
// stepping to the next entry repaints every editor.
//
// A picture is the style's own drawing, made once per size, state, palette and (for a scroll
// bar) the places of its parts. A drawing that covers its rect with opaque colour (the same
// made on black and on white) is copied onto any ground; one that shows its ground somewhere
// is copied only onto ground of one colour, from a picture made on that colour. Either way the
// copy has the pixels the style would have drawn. Elsewhere (a ground of several colours, a
// scaled painter, a pixmap being grabbed) the style draws as usual.
//
// Only the Fusion style is known to draw the same at any place in the window (a style's
// patterns may follow the window's pixel grid), so with any other style, or under a style
// sheet, there is no EditorStyle and the editors keep the application's style.
class EditorStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One for the whole application; null where the editors keep the application's style.
    static EditorStyle* instance();
    // Gives the widget this style, and a scroll area's scroll bars too (a widget's style does
    // not pass to its children); leaves the widget as it is if there is none.
    static void apply(QWidget* widget);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

    // How many drawings were copied from a picture so far (for the tests).
    int copies() const { return copies_; }

private:
    explicit EditorStyle(QStyle* base);
    // What a drawing depends on: its kind and option fields, then (filled in by
    // copyFromPicture) the size, palette, colour group, image format and ground colour.
    struct Key {
        std::array<qint64, 16> fields{};
        friend bool operator==(const Key& a, const Key& b) { return a.fields == b.fields; }
        friend size_t qHash(const Key& key, size_t seed = 0) {
            return qHashRange(key.fields.begin(), key.fields.end(), seed);
        }
    };
    template <class Draw>
    bool copyFromPicture(Key key, const QStyleOption* option, QPainter* painter, Draw draw) const;

    mutable QCache<Key, QImage> pictures_; // cost: KiB
    mutable QCache<Key, bool> opaque_;     // by drawing and size, whatever the ground
    mutable int copies_ = 0;
};
