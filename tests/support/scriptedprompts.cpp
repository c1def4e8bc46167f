#include "scriptedprompts.h"

#include <QTest>

namespace {
const char* const KindNames[] = {"message",       "yes/no question",  "yes/no/cancel question",
                                 "text question", "open-file dialog", "save-file dialog"};

// Records the question and gives the next queued answer; with none left the test fails and
// gets the answer that does least.
template <class T>
T take(QList<ScriptedPrompts::Asked>& record, std::deque<T>& queue, T neutral,
       const ScriptedPrompts::Asked& asked) {
    record.append(asked);
    if (queue.empty()) {
        const QString text = QStringLiteral("unexpected %1: \"%2\" (no answer queued)")
                                 .arg(QLatin1String(KindNames[int(asked.kind)]), asked.text);
        QTest::qFail(qPrintable(text), __FILE__, __LINE__);
        return neutral;
    }
    const T answer = queue.front();
    queue.pop_front();
    return answer;
}
} // namespace

QList<ScriptedPrompts::Asked> ScriptedPrompts::asked(Kind kind) const {
    QList<Asked> result;
    for (const Asked& a : asked_)
        if (a.kind == kind)
            result.append(a);
    return result;
}

QStringList ScriptedPrompts::messages() const {
    QStringList result;
    for (const Asked& a : asked(Kind::Message))
        result.append(a.text);
    return result;
}

void ScriptedPrompts::clearRecord() {
    asked_.clear();
    beeps_ = 0;
}

bool ScriptedPrompts::allAnswersUsed() const {
    return unusedAnswers().isEmpty();
}

QString ScriptedPrompts::unusedAnswers() const {
    const std::pair<std::size_t, const char*> queues[] = {
        {yesNo_.size(), "yes/no answer(s)"},
        {yesNoCancel_.size(), "yes/no/cancel answer(s)"},
        {texts_.size(), "text answer(s)"},
        {opens_.size(), "open-file name(s)"},
        {saves_.size(), "save-file name(s)"}};
    QStringList left;
    for (const auto& [n, what] : queues)
        if (n > 0)
            left.append(QStringLiteral("%1 %2").arg(n).arg(QLatin1String(what)));
    return left.isEmpty() ? QString()
                          : QStringLiteral("unused: ") + left.join(QStringLiteral(", "));
}

void ScriptedPrompts::message(const QString& text, const QString& title) {
    asked_.append({Kind::Message, text, titleOr(title)});
}

bool ScriptedPrompts::askYesNo(const QString& text, const QString& title) {
    return take(asked_, yesNo_, false, {Kind::YesNo, text, titleOr(title)});
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(const QString& text, const QString& title) {
    return take(asked_, yesNoCancel_, Answer::Cancel, {Kind::YesNoCancel, text, titleOr(title)});
}

std::optional<QString> ScriptedPrompts::askText(const QString& caption, Echo echo) {
    return take(asked_, texts_, std::optional<QString>(), {Kind::Text, caption, QString(), echo});
}

std::optional<QString> ScriptedPrompts::openFileName(const QString& pattern,
                                                     const QString& startDir) {
    return take(asked_, opens_, std::optional<QString>(),
                {Kind::OpenFile, pattern, QString(), Echo::Shown, startDir});
}

std::optional<QString> ScriptedPrompts::saveFileName(const QString& pattern,
                                                     const QString& startDir) {
    return take(asked_, saves_, std::optional<QString>(),
                {Kind::SaveFile, pattern, QString(), Echo::Shown, startDir});
}
