#include "lockpart.h"

#include "prompts.h"
#include "viewprocedures.h"
#include "viewtexts.h"
#include "vornhistory.h"

#include <QPushButton>

LockPart::LockPart(QWidget* client, Vorn& vorn, Prompts& prompts, VornHistory& history,
                   ViewProcedures& view)
    : QObject(client), vorn_(vorn), prompts_(prompts), history_(history) {
    setObjectName(QStringLiteral("LockPart"));
    setPass_ = new QPushButton(ViewText::SetPass, client);
    setPass_->setObjectName(QStringLiteral("SetPass"));
    locker_ = new QPushButton(ViewText::Locker, client);
    locker_->setObjectName(QStringLiteral("Locker"));
    connect(setPass_, &QPushButton::clicked, this, [this] { onSetPass(); });
    connect(locker_, &QPushButton::clicked, this, [this, &view] { view.TurnEdit(vorn_.Unlocked); });
}

QWidget* LockPart::lastControl() const {
    return locker_;
}

void LockPart::setEditable(bool editable) {
    setPass_->setEnabled(editable);
}

int LockPart::layOut(const QRect& row, int gap) {
    const int lockerWidth = locker_->sizeHint().width();
    const int passWidth = setPass_->sizeHint().width();
    locker_->setGeometry(row.right() + 1 - lockerWidth, row.top(), lockerWidth, row.height());
    setPass_->setGeometry(locker_->x() - gap - passWidth, row.top(), passWidth, row.height());
    return setPass_->x();
}

bool LockPart::passwordAccepted() {
    const std::optional<QString> answer = prompts_.askText(QString(), Prompts::Echo::Hidden);
    if (!answer)
        return false; // dialog closed through its frame: the unlocking is called off
    if (*answer != vorn_.Password) {
        prompts_.message(ViewText::WrongPassword);
        return false;
    }
    return true;
}

void LockPart::onSetPass() {
    if (!vorn_.Unlocked)
        return;
    const std::optional<QString> answer = prompts_.askText(QString(), Prompts::Echo::Shown);
    if (!answer)
        return; // closed through the frame: the old password stays
    const VornHistory::Step step(history_, StepText::Password);
    vorn_.setPassword(*answer);
}
