// The window at full size: loading as the user feels it, stepping through entries, the
// exports and the report, and the memory the program holds.
#include "benchwindow.h"
#include "counting.h"
#include "exporttext.h"
#include "fullvorn.h"
#include "prompts.h"
#include "textfile.h"
#include "view.h"
#include "vornfile.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

namespace {
using namespace BenchWindow;

QString namer() {
    return QStringLiteral("zoo");
}

// Read the file, adopt the vorn, lay the boxes out and show the card. Each load starts from
// a window emptied by New and painted, as the user opens a file into an empty window: the
// boxes show nothing of the last load.
void BM_LoadCommand(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.vorn"));
    SaveTo(path, makeFullVorn(int(state.range(0))));
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.view.Reset();
        QApplication::processEvents();
        state.ResumeTiming();
        LoadResult result = LoadFrom(path, w.view.vorn(), namer);
        if (!result.vorn) {
            state.SkipWithError(result.error.toUtf8().constData());
            break;
        }
        w.view.adoptVorn(std::move(*result.vorn));
        QApplication::processEvents();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadCommand)->Apply(growthSizes);

// One step down the entry list on the full card, unlocked, so that every box's change is
// stored back as it is in real use.
void BM_StepToNextEntry(benchmark::State& state) {
    Window w;
    w.view.adoptVorn(makeFullVorn(VornLimits::MaxEntries));
    w.view.TurnEdit(false);
    QListWidget* list = w.list();
    int row = 1;
    for (auto _ : state) {
        list->setCurrentRow(row);
        QApplication::processEvents();
        row = row % VornLimits::MaxEntries + 1;
    }
}
BENCHMARK(BM_StepToNextEntry)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

std::vector<int> allPositions() {
    std::vector<int> positions;
    for (int s = 1; s <= VornLimits::MaxBoxes; ++s)
        positions.push_back(s);
    return positions;
}

void BM_DetailedList(benchmark::State& state) {
    const Vorn vorn = makeFullVorn(VornLimits::MaxEntries);
    const auto positions = allPositions();
    QTemporaryDir dir;
    for (auto _ : state) {
        QString error;
        if (!TextFile::save(dir.filePath(QStringLiteral("long.txt")),
                            Export::detailedList(vorn, positions), &error))
            state.SkipWithError(error.toUtf8().constData());
    }
}
BENCHMARK(BM_DetailedList)->Unit(benchmark::kMillisecond);

void BM_ThisEntry(benchmark::State& state) {
    const Vorn vorn = makeFullVorn(VornLimits::MaxEntries);
    QTemporaryDir dir;
    for (auto _ : state)
        TextFile::save(dir.filePath(QStringLiteral("one.txt")),
                       Export::thisEntry(vorn, VornLimits::MaxEntries / 2).value_or(QString()));
}
BENCHMARK(BM_ThisEntry)->Unit(benchmark::kMillisecond);

void BM_StatsReport(benchmark::State& state) {
    const Vorn vorn = makeFullVorn(VornLimits::MaxEntries, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(Counting::statsReport(vorn));
}
BENCHMARK(BM_StatsReport)->Unit(benchmark::kMillisecond);

// The program's peak resident memory after loading the full vorn from its file and showing it.
// VmHWM only grows, so it is taken in a process of its own, whatever ran before in this one.
void BM_PeakMemoryFullVorn(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.vorn"));
    SaveTo(path, makeFullVorn(VornLimits::MaxEntries));
    for (auto _ : state) {
        const std::optional<long> kib = peakMemoryInFreshProcess(path);
        if (!kib) {
            state.SkipWithError("the measuring process failed");
            break;
        }
        state.counters["peak_MiB"] = double(*kib) / 1024.0;
    }
}
BENCHMARK(BM_PeakMemoryFullVorn)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
