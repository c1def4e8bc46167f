#pragma once

#include <QHash>
#include <QImage>
#include <QProxyStyle>
#include <QSet>

#include <array>

// The style of the field boxes' editors: the application's own style, made a second time, with
// two shortcuts that leave every pixel as that style draws it.
//
// A line edit's panel (its base and anti-aliased rounded outline) and a scroll bar are copied
// from pictures when they lie on ground of one colour: drawing them costs more than the text
// beside them, and stepping to the next entry repaints every editor. A picture is the style's
// own drawing on that same ground, made once per size, state, palette and ground colour, so a
// copy is what the style would have drawn. Anywhere else (a ground of several colours, a scaled
// painter, a pixmap being grabbed) the style draws as usual.
class EditorStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One for the whole program; null if the application's style cannot be made a second
    // time (a style sheet, a style that is not a plug-in), and the editors keep that style.
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
    // What a picture depends on: the drawing's own option fields, then (filled in by
    // copyFromPicture) the size, palette, image format and ground colour.
    struct Key {
        std::array<qint64, 16> fields{};
        friend bool operator==(const Key& a, const Key& b) { return a.fields == b.fields; }
        friend size_t qHash(const Key& key, size_t seed = 0) {
            return qHashRange(key.fields.begin(), key.fields.end(), seed);
        }
    };
    template <class Draw>
    bool copyFromPicture(Key key, const QStyleOption* option, QPainter* painter, Draw draw) const;

    mutable QHash<Key, QImage> pictures_;
    mutable QSet<Key> translucent_; // drawings that show their ground somewhere
    mutable int copies_ = 0;
};
