#include "clockrandom.h"
#include "commandline.h"
#include "qtprompts.h"
#include "view.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

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
    view.show();
    // A file handed over by the desktop or typed after the program's name opens as the
    // Load command would open it; one that cannot be read leaves the new empty vorn.
    if (commandLine.kind == CommandLine::Kind::OpenFile)
        view.loadVornFile(commandLine.file);
    return app.exec();
}
