#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QPlainTextEdit;

// The user instructions, Readme.txt, in a read-only text window beside the main window.
class ReadmeWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReadmeWindow(QWidget* parent = nullptr);

    // Where the instructions are looked for, in order: the installed layout next to the
    // program, then the source tree the program was built from.
    static QStringList candidates();
    // The first of paths that is an existing file; empty when there is none.
    static QString locate(const QStringList& paths);

    // Shows the text of the file at path (UTF-8). False, with the reason in error, when
    // it cannot be read; the window then keeps what it showed.
    bool load(const QString& path, QString* error = nullptr);

    QPlainTextEdit* textView() const { return text_; }

private:
    QPlainTextEdit* text_ = nullptr;
};
