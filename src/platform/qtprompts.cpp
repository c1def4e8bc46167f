#include "qtprompts.h"

#include "inputdialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

QtPrompts::QtPrompts(QWidget* parent) : parent_(parent) {}

QtPrompts::~QtPrompts() {
    // Without a parent window nobody else owns the dialog; with one it may already be gone.
    delete input_.data();
}

void QtPrompts::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtPrompts::askYesNo(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box through its frame answers No.
    return box.exec() == QMessageBox::Yes;
}

Prompts::Answer QtPrompts::askYesNoCancel(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

InputDialog* QtPrompts::inputDialog() {
    if (!input_)
        input_ = new InputDialog(parent_);
    return input_;
}

std::optional<QString> QtPrompts::askText(const QString& caption, Echo echo) {
    InputDialog* dialog = inputDialog();
    dialog->GetString(caption, echo);
    if (!dialog->lastAccepted())
        return std::nullopt;
    return dialog->Frase;
}

std::optional<QString> QtPrompts::openFileName(const QString& pattern, const QString& startDir) {
    return chooseFile(FileMode::Open, pattern, startDir);
}

std::optional<QString> QtPrompts::saveFileName(const QString& pattern, const QString& startDir) {
    return chooseFile(FileMode::Save, pattern, startDir);
}

std::optional<QString> QtPrompts::chooseFile(FileMode mode, const QString& pattern,
                                             const QString& startDir) {
    QHash<QString, QString>& last = mode == FileMode::Save ? lastSave_ : lastOpen_;
    const QString remembered = last.value(pattern);

    QFileDialog dialog(parent_, QString(), startDir, pattern);
    if (!remembered.isEmpty()) {
        const QFileInfo info(remembered);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    dialog.setAcceptMode(mode == FileMode::Save ? QFileDialog::AcceptSave
                                                : QFileDialog::AcceptOpen);
    dialog.setFileMode(mode == FileMode::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension gets the pattern's, so the file shows up under the
    // same pattern when it is looked for again.
    const QString suffix = pattern.mid(2);
    if (mode == FileMode::Save && pattern.startsWith(QLatin1String("*.")) && !suffix.isEmpty() &&
        !suffix.contains(QRegularExpression(QStringLiteral("[*?\\[\\] ;]"))))
        dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    last.insert(pattern, chosen);
    return chosen;
}

void QtPrompts::beep() {
    QApplication::beep();
}
