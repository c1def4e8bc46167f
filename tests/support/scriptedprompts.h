#pragma once

#include "prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

// Prompts for tests: every answer is queued in advance, every question is recorded. A
// question with no queued answer fails the running test and gets the answer that does
// least (No, Cancel, nothing typed, no file chosen), so the code under test ends quietly.
class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Message, YesNo, YesNoCancel, Text, OpenFile, SaveFile };

    // One question as it was put: text/title for boxes, caption for text, pattern and
    // start folder for the file dialogs.
    struct Asked {
        Kind kind;
        QString text;
        QString title; // as shown: the program's title when none was given
        Echo echo = Echo::Shown;
        QString startDir = {};
    };

    // --- answers, used in order per kind ---
    void queueYesNo(bool answer) { yesNo_.push_back(answer); }
    void queueYesNoCancel(Answer answer) { yesNoCancel_.push_back(answer); }
    void queueText(std::optional<QString> answer) { texts_.push_back(std::move(answer)); }
    void queueOpenFileName(std::optional<QString> name) { opens_.push_back(std::move(name)); }
    void queueSaveFileName(std::optional<QString> name) { saves_.push_back(std::move(name)); }

    // --- what the code asked ---
    const QList<Asked>& asked() const { return asked_; }
    QList<Asked> asked(Kind kind) const;
    // The texts of the OK messages shown, in order.
    QStringList messages() const;
    int beeps() const { return beeps_; }
    void clearRecord();

    // True when every queued answer was taken; otherwise unusedAnswers() names them.
    bool allAnswersUsed() const;
    QString unusedAnswers() const;

    // --- Prompts ---
    void message(const QString& text, const QString& title = {}) override;
    bool askYesNo(const QString& text, const QString& title = {}) override;
    Answer askYesNoCancel(const QString& text, const QString& title = {}) override;
    std::optional<QString> askText(const QString& caption, Echo echo = Echo::Shown) override;
    std::optional<QString> openFileName(const QString& pattern, const QString& startDir) override;
    std::optional<QString> saveFileName(const QString& pattern, const QString& startDir) override;
    void beep() override { ++beeps_; }

private:
    std::deque<bool> yesNo_;
    std::deque<Answer> yesNoCancel_;
    std::deque<std::optional<QString>> texts_;
    std::deque<std::optional<QString>> opens_;
    std::deque<std::optional<QString>> saves_;
    QList<Asked> asked_;
    int beeps_ = 0;
};

// Makes a failed check of the queue show what was left over.
#define VERIFY_ALL_ANSWERS_USED(prompts)                                                           \
    QVERIFY2((prompts).allAnswersUsed(), qPrintable((prompts).unusedAnswers()))
