#pragma once

#include "prompts.h"

#include <QHash>
#include <QPointer>
#include <QString>

class InputDialog;
class QWidget;

// The prompts as the user sees them: Qt message boxes, the input dialog and Qt's file
// dialogs, all parented to the given window. The window may be given after construction,
// since the main window itself needs its prompts when it is made.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr);
    // Before the first question; the input dialog, once made, keeps its parent.
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    ~QtPrompts() override;
    QtPrompts(const QtPrompts&) = delete;
    QtPrompts& operator=(const QtPrompts&) = delete;

    void message(const QString& text, const QString& title = {}) override;
    bool askYesNo(const QString& text, const QString& title = {}) override;
    Answer askYesNoCancel(const QString& text, const QString& title = {}) override;
    std::optional<QString> askText(const QString& caption, Echo echo = Echo::Shown) override;
    std::optional<QString> openFileName(const QString& pattern, const QString& startDir) override;
    std::optional<QString> saveFileName(const QString& pattern, const QString& startDir) override;
    void beep() override;

    // Inp, created on first use and kept for every later question.
    InputDialog* inputDialog();

private:
    enum class FileMode { Open, Save };
    std::optional<QString> chooseFile(FileMode mode, const QString& pattern,
                                      const QString& startDir);

    QWidget* parent_;
    QPointer<InputDialog> input_;
    // The file dialogs come back with the name chosen last time, one memory per pattern.
    QHash<QString, QString> lastOpen_;
    QHash<QString, QString> lastSave_;
};
