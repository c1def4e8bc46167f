#pragma once

#include <QObject>
#include <QString>

class CardBoxes;
class Prompts;
class QAction;
class QMenu;
class QWidget;
class ReadmeWindow;
class Vorn;
class ViewProcedures;

// The commands on the vorn as a whole: new, save, save as, load, import from a table, name,
// exit, and the window with the user instructions.
class DocumentPart : public QObject {
    Q_OBJECT
public:
    // Puts New .. Naming (the import after Load) into menu in front of anchor, Exit at its
    // end, and gives readme its command. window is closed by Exit and parents the
    // instructions window.
    DocumentPart(QWidget* window, QMenu* menu, QAction* anchor, QAction* readme, Vorn& vorn,
                 Prompts& prompts, CardBoxes& boxes, ViewProcedures& view);

    // "Ворн был изменён. Сохранить?" when there are unsaved changes; false on Cancel, or
    // when the save asked for did not happen.
    bool changesSettled();
    // Reads the vorn file at path as Load does, without its question and dialog. On failure
    // the user is told why and the open vorn stays as it was; returns whether it was read.
    bool loadVornFile(const QString& path);

private:
    void onNew();
    void onSave();
    void onSaveAs();
    void onLoad();
    void onImport();
    bool askVornName();
    void onReadme();
    bool writeVornFile(const QString& path);

    QWidget* window_;
    Vorn& vorn_;
    Prompts& prompts_;
    CardBoxes& boxes_;
    ViewProcedures& view_;
    ReadmeWindow* readme_ = nullptr; // created on first use, kept while the window lives
};
