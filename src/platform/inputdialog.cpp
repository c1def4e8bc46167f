#include "inputdialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString OkCaption = QStringLiteral("OK");
constexpr int TextMinimumWidth = 240; // room for a search phrase or a name at a glance
} // namespace

InputDialog::InputDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Inp"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Text = new QLineEdit(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setMinimumWidth(TextMinimumWidth);

    Ok = new QPushButton(OkCaption, this);
    Ok->setObjectName(QStringLiteral("Ok"));
    // The text line keeps the focus while the dialog is open: OK is reached by the mouse
    // or by Enter, never by Tab.
    Ok->setFocusPolicy(Qt::NoFocus);
    Ok->setDefault(true);
    Ok->installEventFilter(this);
    connect(Ok, &QPushButton::clicked, this, &InputDialog::okClicked);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Text, 1);
    layout->addWidget(Ok);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void InputDialog::GetString(const QString& header, Prompts::Echo echo) {
    lastAccepted_ = false;
    Text->clear();
    Text->setEchoMode(echo == Prompts::Echo::Hidden ? QLineEdit::Password : QLineEdit::Normal);
    setWindowTitle(header);
    Text->setFocus();
    // Closing through the frame (or Escape) rejects: the call ends and Frase is untouched.
    exec();
}

void InputDialog::okClicked() {
    Frase = Text->text();
    lastAccepted_ = true;
    accept();
}

bool InputDialog::eventFilter(QObject* watched, QEvent* event) {
    // Should OK get the focus after all (set by code), hand it straight back to the text.
    if (watched == Ok && event->type() == QEvent::FocusIn)
        Text->setFocus();
    return QDialog::eventFilter(watched, event);
}
