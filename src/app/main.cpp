#include "clockrandom.h"
#include "commandline.h"
#include "qtprompts.h"
#include "qttranslations.h"
#include "view.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

// For measuring start-up (scripts/measure-startup): with TESSAVORN_QUIT_AFTER_SHOW set, the
// process ends as soon as the window's first frame has been drawn, so the CPU time it used
// is what starting up costs. Ending at once leaves out the tear-down.
class EndAfterFirstFrame : public QObject {
public:
    explicit EndAfterFirstFrame(const QWidget& window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The expose draws the frame; the timer fires once that is done.
        if (event->type() == QEvent::Expose && watched == window_.windowHandle())
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return false;
    }

private:
    const QWidget& window_;
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
    QApplication::setApplicationName(QStringLiteral("Tessavorn"));
    // Without the catalogue Qt's buttons stay English; the program still works.
    installQtTranslations(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessavorn-256.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("tessavorn"));

    ClockRandom random;
    QtPrompts prompts;
    View view(prompts, random);
    prompts.setParentWindow(&view);
    EndAfterFirstFrame endAfterFirstFrame(view);
    if (qEnvironmentVariableIsSet("TESSAVORN_QUIT_AFTER_SHOW"))
        app.installEventFilter(&endAfterFirstFrame);
    view.show();
    // A file handed over by the desktop or typed after the program's name opens as the
    // Load command would open it; one that cannot be read leaves the new empty vorn.
    if (commandLine.kind == CommandLine::Kind::OpenFile)
        view.loadVornFile(commandLine.file);
    return app.exec();
}
