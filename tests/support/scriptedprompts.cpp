#include "scriptedprompts.h"

#include <QTest>

namespace {
const char* kindName(ScriptedPrompts::Kind kind) {
    switch (kind) {
    case ScriptedPrompts::Kind::Message:
        return "message";
    case ScriptedPrompts::Kind::YesNo:
        return "yes/no question";
    case ScriptedPrompts::Kind::YesNoCancel:
        return "yes/no/cancel question";
    case ScriptedPrompts::Kind::Text:
        return "text question";
    case ScriptedPrompts::Kind::OpenFile:
        return "open-file dialog";
    case ScriptedPrompts::Kind::SaveFile:
        return "save-file dialog";
    }
    return "question";
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
    for (const Asked& a : asked_)
        if (a.kind == Kind::Message)
            result.append(a.text);
    return result;
}

void ScriptedPrompts::clearRecord() {
    asked_.clear();
    beeps_ = 0;
}

bool ScriptedPrompts::allAnswersUsed() const {
    return yesNo_.empty() && yesNoCancel_.empty() && texts_.empty() && opens_.empty() &&
           saves_.empty();
}

QString ScriptedPrompts::unusedAnswers() const {
    QStringList left;
    const auto add = [&left](std::size_t n, const char* what) {
        if (n > 0)
            left.append(QStringLiteral("%1 %2").arg(n).arg(QLatin1String(what)));
    };
    add(yesNo_.size(), "yes/no answer(s)");
    add(yesNoCancel_.size(), "yes/no/cancel answer(s)");
    add(texts_.size(), "text answer(s)");
    add(opens_.size(), "open-file name(s)");
    add(saves_.size(), "save-file name(s)");
    return left.isEmpty() ? QString()
                          : QStringLiteral("unused: ") + left.join(QStringLiteral(", "));
}

void ScriptedPrompts::unexpected(const Asked& question) {
    const QString text = QStringLiteral("unexpected %1: \"%2\" (no answer queued)")
                             .arg(QLatin1String(kindName(question.kind)), question.text);
    QTest::qFail(qPrintable(text), __FILE__, __LINE__);
}

void ScriptedPrompts::message(const QString& text, const QString& title) {
    asked_.append({Kind::Message, text, titleOr(title), Echo::Shown, QString()});
}

bool ScriptedPrompts::askYesNo(const QString& text, const QString& title) {
    asked_.append({Kind::YesNo, text, titleOr(title), Echo::Shown, QString()});
    if (yesNo_.empty()) {
        unexpected(asked_.constLast());
        return false;
    }
    const bool answer = yesNo_.front();
    yesNo_.pop_front();
    return answer;
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(const QString& text, const QString& title) {
    asked_.append({Kind::YesNoCancel, text, titleOr(title), Echo::Shown, QString()});
    if (yesNoCancel_.empty()) {
        unexpected(asked_.constLast());
        return Answer::Cancel;
    }
    const Answer answer = yesNoCancel_.front();
    yesNoCancel_.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::askText(const QString& caption, Echo echo) {
    asked_.append({Kind::Text, caption, QString(), echo, QString()});
    if (texts_.empty()) {
        unexpected(asked_.constLast());
        return std::nullopt;
    }
    std::optional<QString> answer = texts_.front();
    texts_.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::openFileName(const QString& pattern,
                                                     const QString& startDir) {
    asked_.append({Kind::OpenFile, pattern, QString(), Echo::Shown, startDir});
    if (opens_.empty()) {
        unexpected(asked_.constLast());
        return std::nullopt;
    }
    std::optional<QString> answer = opens_.front();
    opens_.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::saveFileName(const QString& pattern,
                                                     const QString& startDir) {
    asked_.append({Kind::SaveFile, pattern, QString(), Echo::Shown, startDir});
    if (saves_.empty()) {
        unexpected(asked_.constLast());
        return std::nullopt;
    }
    std::optional<QString> answer = saves_.front();
    saves_.pop_front();
    return answer;
}
