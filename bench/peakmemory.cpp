// The program's peak resident memory with the full vorn on screen, measured in a process of its
// own that links only what the program links: the benchmark library and the benchmarks' own
// work (the pictures they write, the vorns they build) would otherwise count towards it.
// Usage: tessavorn_peakmemory VORN_FILE, started in the folder that holds the vorn's pictures;
// writes the peak (VmHWM) in KiB.
#include "benchwindow.h"
#include "vornfile.h"

#include <QApplication>
#include <QListWidget>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    // Loaded as the Load command does, and its first entry shown.
    LoadResult loaded =
        LoadFrom(arguments.at(1), view.vorn(), [] { return QStringLiteral("zoo"); });
    if (!loaded.vorn)
        return 1;
    view.adoptVorn(std::move(*loaded.vorn));
    view.findChild<QListWidget*>(QStringLiteral("VornList"))->setCurrentRow(1);
    QApplication::processEvents();
    std::printf("%ld\n", BenchWindow::residentKiB());
    return 0;
}
