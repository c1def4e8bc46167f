#pragma once

// A real main window for the benchmarks, shown offscreen, with no one to answer questions.
#include "prompts.h"
#include "view.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <optional>

namespace BenchWindow {

// The benchmarks ask the user nothing; any question would be a fault in the measurement.
class SilentPrompts : public Prompts {
public:
    void message(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    Answer askYesNoCancel(const QString&, const QString&) override { return Answer::No; }
    std::optional<QString> askText(const QString&, Echo) override { return QString(); }
    std::optional<QString> openFileName(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFileName(const QString&, const QString&) override { return {}; }
    void beep() override {}
};

class FixedRandom : public RandomSource {
public:
    double next() override { return 0.5; }
};

// The full vorn's pictures (.\zoo\picture0.png .. picture19.png), made once in a temporary
// folder that becomes the working directory, as the program's start folder.
inline void makePictures() {
    static QTemporaryDir folder;
    static const bool made = [] {
        QDir(folder.path()).mkdir(QStringLiteral("zoo"));
        for (int i = 0; i < 20; ++i) {
            QImage image(160, 120, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i * 18, 160, 220));
            image.save(folder.filePath(QStringLiteral("zoo/picture%1.png").arg(i)));
        }
        return QDir::setCurrent(folder.path());
    }();
    Q_UNUSED(made);
}

struct Window {
    SilentPrompts prompts;
    FixedRandom random;
    View view{(makePictures(), prompts), random};
    Window() {
        view.show();
        QApplication::processEvents();
    }
    QListWidget* list() { return view.findChild<QListWidget*>(QStringLiteral("VornList")); }
};

// The process's resident memory now (VmRSS) or at its peak (VmHWM), in KiB.
inline long residentKiB(const char* field = "VmHWM:") {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

#ifdef TESSAVORN_PEAK_MEMORY_PROGRAM
// The peak memory of the lean measuring program (bench/peakmemory.cpp) after it loaded the vorn
// file and showed its first entry, in KiB; it runs in the pictures' folder, the working
// directory.
inline std::optional<long> peakMemoryInFreshProcess(const QString& vornFile) {
    makePictures();
    QProcess run;
    run.setWorkingDirectory(QDir::currentPath());
    run.start(QStringLiteral(TESSAVORN_PEAK_MEMORY_PROGRAM), {vornFile});
    if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit ||
        run.exitCode() != 0)
        return std::nullopt;
    bool ok = false;
    const long kib = run.readAllStandardOutput().trimmed().toLong(&ok);
    return ok ? std::optional<long>(kib) : std::nullopt;
}
#endif

} // namespace BenchWindow
