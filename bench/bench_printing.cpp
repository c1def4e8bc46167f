// Printing: the full vorn's cards as a PDF file, as «Сохранить в PDF...» writes it.
#include "cardprinter.h"
#include "fullvorn.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The full vorn's pictures (.\zoo\picture0.png .. picture19.png) in the vorn's start folder.
void makePictures(const QTemporaryDir& folder) {
    QDir(folder.path()).mkdir(QStringLiteral("zoo"));
    for (int i = 0; i < 20; ++i) {
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 18, 160, 220));
        image.save(folder.filePath(QStringLiteral("zoo/picture%1.png").arg(i)));
    }
}

void BM_PdfFullVorn(benchmark::State& state) {
    QTemporaryDir folder;
    makePictures(folder);
    Vorn vorn = makeFullVorn(int(state.range(0)));
    vorn.StartDir = folder.path();
    const QString path = folder.filePath(QStringLiteral("zoo.pdf"));
    const CardPrinter printer(vorn);
    for (auto _ : state) {
        QString error;
        if (printer.savePdf(path, &error) != CardPrinter::Outcome::Done) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
    state.counters["cards"] = double(printer.cardCount());
    state.counters["MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PdfFullVorn)->Apply(growthSizes);

} // namespace
