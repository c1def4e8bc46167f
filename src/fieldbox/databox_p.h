#pragma once

#include "databox.h"

#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>

class QMouseEvent;
class QKeyEvent;

namespace DataBoxParts {

// The single-line editor: its whole text is selected whenever it receives the focus.
class LineEditor : public QLineEdit {
public:
    explicit LineEditor(QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

// The multi-line editor: its whole text is selected on focus and again after a click.
class TextEditor : public QPlainTextEdit {
public:
    explicit TextEditor(QWidget* parent);
    // Shows text as setPlainText does, the cursor at its start and the view scrolled to the
    // top, laying each paragraph out once: setPlainText selects the whole document inside
    // its edit, which lays the last paragraph out before the edit is done.
    void fill(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace DataBoxParts

struct DataBox::Private : QObject {
    explicit Private(DataBox* box);

    DataBox* q;
    QLabel* hed = nullptr;
    QFrame* border = nullptr;
    QLabel* pic = nullptr;
    DataBoxParts::LineEditor* fras = nullptr;
    // Made when the box first shows a text or a list (textEditor(), listBox()): most boxes
    // never need them, and each costs about 20 KB.
    DataBoxParts::TextEditor* tex = nullptr;
    QListWidget* lis = nullptr;

    qint16 boxType = 0;
    qint16 length = 0;
    qint16 tall = 0;
    qint16 headPose = 1;
    qint16 itemCount = 0;
    QString data;
    bool locked = false;
    bool filling = false;
    bool tabStop = true;

    // Set while the list members change Lis themselves, so that the selection handler
    // does not copy items into the editor in the middle of the change.
    bool listEditing = false;
    QString texShown; // the text editor's text as last seen, to report only real changes
    QString pictureBase;
    QPixmap picture;
    // The exact place given by moveTwips: the widget itself keeps whole pixels only.
    QPoint placedTwips;

    // Mouse state for Click: where the last press began, and whether it was the second
    // press of a double click (whose release raises no Click).
    QObject* pressTarget = nullptr;
    bool doubleClicked = false;

    // The parts made so far: the editors in the order the focus moves through them.
    QList<QWidget*> editors() const;
    DataBoxParts::TextEditor* textEditor();
    QListWidget* listBox();
    void adoptPart(QWidget* part, QWidget* viewport);
    static void installAccessibleFactory();

    // Layout (databox.cpp)
    void fitHeader();
    void fillContent();
    void fillList();
    void loadPicture();
    void place(bool fitToContent);
    void showControls();
    void updateFocusProxy();
    Qt::FocusPolicy editorFocusPolicy() const;
    QWidget* contentControl() const;
    void updateAccessibleNames();

    // List members
    void finishListChange();
    QString rebuiltList(int items) const;

    // Input (databoxinput.cpp)
    void installFilters();
    void watch(QWidget* part);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool mouseEvent(QObject* watched, QMouseEvent* event);
    bool boxMouseEvent(QMouseEvent* event);
    void raiseMouse(QEvent::Type type, const QMouseEvent* event, QPointF inBox);
    void keyReleased(const QKeyEvent* event);
    void frasTextChanged(const QString& text);
    void texTextChanged();
    void itemSelected(int row);
};
