// The program's peak resident memory with the full vorn on screen, measured in a process of its
// own that links only what the program links: the benchmark library and the benchmarks' own
// work (the pictures they write, the vorns they build) would otherwise count towards it. It
// starts as the program does (its application set up, its window shown), opens the file as
// the Load command does and shows the first entry.
// Usage: tessavorn_peakmemory VORN_FILE, started in the folder that holds the vorn's pictures;
// writes the peak (VmHWM) in KiB.
#include "applicationsetup.h"
#include "benchwindow.h"

#include <QApplication>
#include <QListWidget>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: tessavorn_peakmemory VORN_FILE\n");
        return 2;
    }
    BenchWindow::SilentPrompts prompts;
    BenchWindow::FixedRandom random;
    View view(prompts, random);
    view.show();
    QApplication::processEvents();
    if (!view.loadVornFile(arguments.at(1)))
        return 1;
    view.findChild<QListWidget*>(QStringLiteral("VornList"))->setCurrentRow(1);
    QApplication::processEvents();
    std::printf("%ld\n", BenchWindow::residentKiB());
    return 0;
}
