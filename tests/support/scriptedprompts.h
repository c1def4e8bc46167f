#pragma once

#include "prompts.h"

#include <QStringList>
#include <QTest>

#include <deque>

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
    // The very next save dialog answers name, before whatever was queued.
    void answerNextSave(const QString& name) { saves_.push_front(name); }

    // --- what the code asked ---
    const QList<Asked>& asked() const { return asked_; }
    QList<Asked> asked(Kind kind) const {
        QList<Asked> result = asked_;
        result.removeIf([kind](const Asked& a) { return a.kind != kind; });
        return result;
    }
    // The texts of the OK messages shown, in order.
    QStringList messages() const {
        QStringList result;
        for (const Asked& a : asked(Kind::Message))
            result.append(a.text);
        return result;
    }
    int beeps() const { return beeps_; }
    void clearRecord() {
        asked_.clear();
        beeps_ = 0;
    }

    // True when every queued answer was taken; otherwise unusedAnswers() names them.
    bool allAnswersUsed() const {
        return yesNo_.empty() && yesNoCancel_.empty() && texts_.empty() && opens_.empty() &&
               saves_.empty();
    }
    QString unusedAnswers() const {
        return allAnswersUsed()
                   ? QString()
                   : QString::asprintf("unused (yes/no, yes/no/cancel, text, open, save): "
                                       "%zu %zu %zu %zu %zu",
                                       yesNo_.size(), yesNoCancel_.size(), texts_.size(),
                                       opens_.size(), saves_.size());
    }

    // --- Prompts ---
    void message(const QString& text, const QString& title = {}) override {
        asked_.append({Kind::Message, text, titleOr(title)});
    }
    bool askYesNo(const QString& text, const QString& title = {}) override {
        return take(yesNo_, false, {Kind::YesNo, text, titleOr(title)});
    }
    Answer askYesNoCancel(const QString& text, const QString& title = {}) override {
        return take(yesNoCancel_, Answer::Cancel, {Kind::YesNoCancel, text, titleOr(title)});
    }
    std::optional<QString> askText(const QString& caption, Echo echo = Echo::Shown) override {
        return take(texts_, {}, {Kind::Text, caption, {}, echo});
    }
    std::optional<QString> openFileName(const QString& pattern, const QString& startDir) override {
        return take(opens_, {}, {Kind::OpenFile, pattern, {}, Echo::Shown, startDir});
    }
    std::optional<QString> saveFileName(const QString& pattern, const QString& startDir) override {
        return take(saves_, {}, {Kind::SaveFile, pattern, {}, Echo::Shown, startDir});
    }
    void beep() override { ++beeps_; }

private:
    // Records the question and gives the next queued answer; with none left the test fails
    // and gets the neutral answer.
    template <class T> T take(std::deque<T>& queue, T neutral, const Asked& asked) {
        asked_.append(asked);
        if (queue.empty()) {
            QTest::qFail(qPrintable("unexpected question: " + asked.text), __FILE__, __LINE__);
            return neutral;
        }
        // Moved into neutral rather than into a new T, which g++ 12 wrongly warns may be
        // used uninitialised when T is an optional.
        neutral = std::move(queue.front());
        queue.pop_front();
        return neutral;
    }

    std::deque<bool> yesNo_;
    std::deque<Answer> yesNoCancel_;
    std::deque<std::optional<QString>> texts_, opens_, saves_;
    QList<Asked> asked_;
    int beeps_ = 0;
};

// Makes a failed check of the queue show what was left over.
#define VERIFY_ALL_ANSWERS_USED(prompts)                                                           \
    QVERIFY2((prompts).allAnswersUsed(), qPrintable((prompts).unusedAnswers()))
