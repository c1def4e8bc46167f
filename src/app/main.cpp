#include "applicationsetup.h"
#include "clockrandom.h"
#include "commandline.h"
#include "qtprompts.h"
#include "view.h"

#include <QApplication>
#include <QFile>

#include <sys/resource.h>

#include <cstdio>
#include <optional>

namespace {

// Measuring the start-up (scripts/measure-startup): with TESSAVORN_QUIT_AFTER_SHOW set, the
// program writes the processor time it used until its window was first painted, user plus
// system in milliseconds, and quits.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget* window) : window_(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            // The window is painted before its children, in the same pass; a queued call
            // comes after the whole pass.
            QMetaObject::invokeMethod(this, &QuitAfterFirstPaint::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
        std::printf("%.1f\n", ms(usage.ru_utime) + ms(usage.ru_stime));
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    QWidget* window_;
};

} // namespace

int main(int argc, char* argv[]) {
    // Read before QApplication is made: help, the version and a mistake need no display, and
    // without one QApplication would abort before a mistake could be reported.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const CommandLine commandLine = CommandLine::parse(arguments);
    switch (commandLine.kind) {
    case CommandLine::Kind::Help:
        std::fputs(qPrintable(CommandLine::helpText(arguments.constFirst())), stdout);
        return 0;
    case CommandLine::Kind::Version:
        std::fputs(qPrintable(CommandLine::versionText()), stdout);
        return 0;
    case CommandLine::Kind::Usage:
        std::fputs(qPrintable(commandLine.usageText(arguments.constFirst())), stderr);
        return UsageExitCode;
    case CommandLine::Kind::Start:
    case CommandLine::Kind::OpenFile:
        break;
    }

    // Qt's own options are still in argv; QApplication takes them.
    QApplication app(argc, argv);
    setUpApplication(app);

    ClockRandom random;
    QtPrompts prompts;
    View view(prompts, random);
    prompts.setParentWindow(&view);
    std::optional<QuitAfterFirstPaint> measuring;
    if (qEnvironmentVariableIsSet("TESSAVORN_QUIT_AFTER_SHOW"))
        measuring.emplace(&view);
    view.show();
    // A file handed over by the desktop or typed after the program's name opens as the
    // Load command would open it; one that cannot be read leaves the new empty vorn.
    if (commandLine.kind == CommandLine::Kind::OpenFile)
        view.loadVornFile(commandLine.file);
    return app.exec();
}
