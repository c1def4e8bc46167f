// The benchmarks need a QApplication for the window measurements; run them offscreen.
#include "benchwindow.h"

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {
// The offscreen platform warns about window hints it cannot honour; keep the table clean.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
