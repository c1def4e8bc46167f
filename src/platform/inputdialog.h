#pragma once

#include "prompts.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

// Inp: the one dialog that asks the user for a line of text. It has no prompt of its own,
// only a caption, a text line and OK. It is created once and reused, so Frase keeps the
// text accepted by the last OK between uses.
class InputDialog : public QDialog {
    Q_OBJECT
public:
    explicit InputDialog(QWidget* parent = nullptr);

    // Empties the text line, sets the caption and shows the dialog modally; returns when the
    // dialog is hidden again. Hidden echo masks the typed characters (passwords).
    void GetString(const QString& header, Prompts::Echo echo = Prompts::Echo::Shown);

    // Whether the last GetString ended with OK rather than by closing the dialog.
    bool lastAccepted() const { return lastAccepted_; }

    QLineEdit* Text = nullptr;
    QPushButton* Ok = nullptr;
    QString Frase; // the text accepted by the last OK

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void okClicked();

    bool lastAccepted_ = false;
};
