// Writes the cards of a vorn file as a PDF, to look at them as a user would:
// print_vorn FILE.vorn OUT.pdf (run with QT_QPA_PLATFORM=offscreen). Pictures are found
// from the working directory, as the program finds them.
#include "cardprinter.h"
#include "vornfile.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    Vorn base;
    base.StartDir = QDir::currentPath();
    const LoadResult read =
        LoadFrom(QString::fromLocal8Bit(argv[1]), base, [] { return QStringLiteral("New"); });
    if (!read.vorn) {
        std::fprintf(stderr, "%s\n", qPrintable(read.error));
        return 1;
    }
    QString error;
    const auto outcome = CardPrinter(*read.vorn).savePdf(QString::fromLocal8Bit(argv[2]), &error);
    if (outcome != CardPrinter::Outcome::Done)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return outcome == CardPrinter::Outcome::Done ? 0 : 1;
}
