#pragma once

#include <QString>

#include <optional>

// Every question the program puts to the user goes through this interface, so that the
// window code never opens a message box or a file dialog itself and tests can answer in
// advance (tests/support/scriptedprompts.h).
class Prompts {
public:
    enum class Answer { Yes, No, Cancel };
    enum class Echo { Shown, Hidden };

    virtual ~Prompts() = default;

    // The title a message box shows: the given one, or the program's title when none is given.
    static QString titleOr(const QString& title) {
        return title.isEmpty() ? QStringLiteral("Tessavorn") : title;
    }

    // A message with an OK button. An empty title means the program's title, "Tessavorn".
    virtual void message(const QString& text, const QString& title = {}) = 0;
    virtual bool askYesNo(const QString& text, const QString& title = {}) = 0;
    virtual Answer askYesNoCancel(const QString& text, const QString& title = {}) = 0;
    // The input dialog: a bare text line with OK. Nothing when the user closed the dialog
    // through its frame instead of pressing OK.
    virtual std::optional<QString> askText(const QString& caption, Echo echo = Echo::Shown) = 0;
    // File dialogs; pattern like "*.vorn", or several such separated by ";;" ("*.csv;;*"),
    // offered in that order. Nothing when cancelled.
    virtual std::optional<QString> openFileName(const QString& pattern,
                                                const QString& startDir) = 0;
    virtual std::optional<QString> saveFileName(const QString& pattern,
                                                const QString& startDir) = 0;
    virtual void beep() = 0;
};

// Pseudo-random numbers in [0, 1) for placing new boxes.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};
