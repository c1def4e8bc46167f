#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QListWidget;
class QFrame;

// One field box of the card: a header label plus one content control chosen by the box
// type (0 word, 1 phrase, 2 text, 3 picture, 4 list; see BoxKind in document/vorn.h for
// the codes). Positions and sizes are in twips; Twips converts them for the screen.
//
// Child object names: "Hed", "Fras", "Tex", "Lis", "Border", "Pic". "Tex" and "Lis" are made
// when the box first shows a text or a list (PartMade), or by makeAllParts.
class DataBox : public QWidget {
    Q_OBJECT
public:
    explicit DataBox(QWidget* parent = nullptr);
    ~DataBox() override;

    qint16 BoxType() const;
    void setBoxType(qint16 type);

    void Refresh(bool FitToContent = true);
    // Optional length and tall of 0 mean the type's default size.
    void ChangeAll(qint16 type, const QString& header, const QString& value, qint16 headPose,
                   qint16 length = 0, qint16 tall = 0);

    bool Locked() const;
    void setLocked(bool locked);

    QString Listing(qint16 item) const; // item from 1
    int ListCount() const;
    void AddItem(const QString& item, qint16 position = -1);
    void DelItem(qint16 position);
    void DelSelected();
    std::optional<int> ListIndex() const; // no value unless a list box
    int ItemCount() const;
    bool Filling() const;

    QString Data() const;
    void setData(const QString& value);

    // The header's font. setHeaderBold changes only the bold attribute and does not lay
    // the box out again (the next Refresh does); setHeaderFont gives the header and the
    // editors that font and lays out.
    QFont HeaderFont() const;
    void setHeaderFont(const QFont& font);
    void setHeaderBold(bool bold);

    QString Header() const;
    void setHeader(const QString& header);

    qint16 HeadPose() const;
    void setHeadPose(qint16 pose);

    qint16 Length() const;
    void setLength(qint16 length);
    qint16 Tall() const;
    void setTall(qint16 tall);

    // Position and size of the box in twips, relative to its parent.
    int leftTwips() const;
    int topTwips() const;
    int widthTwips() const;
    int heightTwips() const;
    void moveTwips(int left, int top);

    // Whether the box's editors take part in the Tab order; the widget that should be
    // chained with QWidget::setTabOrder for this box: the box itself while it shows an
    // editor (its focus proxy is its first editor, and a list stays right after its item
    // editor), null for a word or picture box, which has none.
    void setTabStop(bool on);
    bool tabStop() const;
    QWidget* focusWidgetForTab() const;

    // Makes the parts that only a text or a list box needs, if not made yet. An
    // accessibility client walking the box finds every part.
    void makeAllParts();

    // Folder against which relative picture paths (".\name\file") are resolved.
    void setPictureBase(const QString& folder);

Q_SIGNALS:
    // Button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips from
    // the box's top-left corner.
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void Click();
    void DblClick();
    void Change();
    void KeyUp(int keyCode, int shift); // keyCode: a Qt::Key value
    void KeyDown(int keyCode, int shift);
    // The box's editor received the keyboard focus (the main window switches its default
    // button on it).
    void GotFocus();
    // The box made a part it did not have (its text editor or its list), hidden.
    void PartMade();

private:
    struct Private;
    Private* d;
};
