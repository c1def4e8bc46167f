// The CSV export and import at full size: 50 boxes of every kind, up to 500 entries.
#include "csvexport.h"
#include "csvimport.h"
#include "fullvorn.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_CsvExport(benchmark::State& state) {
    const Vorn vorn = makeFullVorn(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvExport::exportVorn(vorn));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CsvExport)->Apply(growthSizes);

void BM_CsvSaveTo(benchmark::State& state) {
    const Vorn vorn = makeFullVorn(VornLimits::MaxEntries);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.csv"));
    for (auto _ : state) {
        QString error;
        if (!CsvExport::saveTo(path, vorn, &error))
            state.SkipWithError(error.toUtf8().constData());
    }
}
BENCHMARK(BM_CsvSaveTo)->Unit(benchmark::kMillisecond);

// The import reads the export of the full vorn: quoted cells with line breaks in a fifth of
// the columns, Cyrillic throughout.
void BM_CsvImport(benchmark::State& state) {
    const QByteArray bytes = CsvExport::exportVorn(makeFullVorn(int(state.range(0))));
    for (auto _ : state) {
        CsvImport::Result result = CsvImport::importCsv(bytes, QStringLiteral("zoo"));
        if (!result.vorn)
            state.SkipWithError(result.error.toUtf8().constData());
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CsvImport)->Apply(growthSizes);

} // namespace
