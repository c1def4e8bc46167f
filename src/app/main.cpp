#include "clockrandom.h"
#include "commandline.h"
#include "qtprompts.h"
#include "view.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <memory>

namespace {
// The window needs its prompts when it is made, and the prompts want the window as the
// parent of their dialogs: this hands the questions on to prompts made afterwards.
class WindowPrompts : public Prompts {
public:
    void attach(QWidget* window) { real_ = std::make_unique<QtPrompts>(window); }

    void message(const QString& text, const QString& title) override {
        if (real_)
            real_->message(text, title);
    }
    bool askYesNo(const QString& text, const QString& title) override {
        return real_ && real_->askYesNo(text, title);
    }
    Answer askYesNoCancel(const QString& text, const QString& title) override {
        return real_ ? real_->askYesNoCancel(text, title) : Answer::Cancel;
    }
    std::optional<QString> askText(const QString& caption, Echo echo) override {
        return real_ ? real_->askText(caption, echo) : std::nullopt;
    }
    std::optional<QString> openFileName(const QString& pattern, const QString& startDir) override {
        return real_ ? real_->openFileName(pattern, startDir) : std::nullopt;
    }
    std::optional<QString> saveFileName(const QString& pattern, const QString& startDir) override {
        return real_ ? real_->saveFileName(pattern, startDir) : std::nullopt;
    }
    void beep() override {
        if (real_)
            real_->beep();
    }

private:
    std::unique_ptr<QtPrompts> real_;
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessavorn"));
    // QApplication has taken its own options out of the arguments by now.
    const CommandLine commandLine = CommandLine::parse(QApplication::arguments());
    if (commandLine.kind == CommandLine::Kind::Usage) {
        std::fputs(qPrintable(commandLine.usageText(QApplication::arguments().constFirst())),
                   stderr);
        return UsageExitCode;
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessavorn-256.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("tessavorn"));

    ClockRandom random;
    WindowPrompts prompts;
    View view(prompts, random);
    prompts.attach(&view);
    view.show();
    // A file handed over by the desktop or typed after the program's name opens as the
    // Load command would open it; one that cannot be read leaves the new empty vorn.
    if (commandLine.kind == CommandLine::Kind::OpenFile)
        view.loadVornFile(commandLine.file);
    return app.exec();
}
