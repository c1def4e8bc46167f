#include "clockrandom.h"
#include "commandline.h"
#include "qtprompts.h"
#include "view.h"

#include <QApplication>
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
