// The file side at full size: writing, reading, and the Scrim codec's throughput.
#include "fullvorn.h"
#include "scrim.h"
#include "vornfile.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString namer() {
    return QStringLiteral("zoo");
}

void BM_SaveTo(benchmark::State& state) {
    const Vorn vorn = makeFullVorn(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.vorn"));
    for (auto _ : state) {
        QString error;
        if (!SaveTo(path, vorn, &error))
            state.SkipWithError(error.toUtf8().constData());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveTo)->Apply(growthSizes);

void BM_LoadFrom(benchmark::State& state) {
    const Vorn vorn = makeFullVorn(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.vorn"));
    SaveTo(path, vorn);
    const Vorn base;
    for (auto _ : state) {
        LoadResult result = LoadFrom(path, base, namer);
        if (!result.vorn)
            state.SkipWithError(result.error.toUtf8().constData());
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadFrom)->Apply(growthSizes);

// Every text value of the full vorn, as the file writer sees them.
QStringList allTexts() {
    const Vorn vorn = makeFullVorn(VornLimits::MaxEntries);
    QStringList texts;
    for (int p = 1; p <= vorn.EntryCount; ++p)
        for (int j = 1; j <= vorn.BoxCount; ++j)
            texts << vorn.value(p, j);
    return texts;
}

qint64 utf8Bytes(const QStringList& texts) {
    qint64 bytes = 0;
    for (const QString& t : texts)
        bytes += t.toUtf8().size();
    return bytes;
}

void BM_ScrimEncode(benchmark::State& state) {
    const QStringList texts = allTexts();
    for (auto _ : state)
        for (const QString& t : texts)
            benchmark::DoNotOptimize(Scrim::EncodeStr(t));
    state.SetBytesProcessed(state.iterations() * utf8Bytes(texts));
}
BENCHMARK(BM_ScrimEncode)->Unit(benchmark::kMillisecond);

// The reader's path: the file's bytes straight to text.
void BM_ScrimDecode(benchmark::State& state) {
    const QStringList texts = allTexts();
    QList<QByteArray> encoded;
    for (const QString& t : texts)
        encoded << Scrim::EncodeStr(t).toLatin1();
    for (auto _ : state)
        for (const QByteArray& e : encoded)
            benchmark::DoNotOptimize(Scrim::decodeStr(e));
    state.SetBytesProcessed(state.iterations() * utf8Bytes(texts));
}
BENCHMARK(BM_ScrimDecode)->Unit(benchmark::kMillisecond);

// The same through the QString operation.
void BM_ScrimDecodeQString(benchmark::State& state) {
    const QStringList texts = allTexts();
    QStringList encoded;
    for (const QString& t : texts)
        encoded << Scrim::EncodeStr(t);
    for (auto _ : state)
        for (const QString& e : encoded)
            benchmark::DoNotOptimize(Scrim::DecodeStr(e));
    state.SetBytesProcessed(state.iterations() * utf8Bytes(texts));
}
BENCHMARK(BM_ScrimDecodeQString)->Unit(benchmark::kMillisecond);

} // namespace
