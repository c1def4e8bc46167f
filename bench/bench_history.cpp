// Undo on the full vorn: how long taking back a box removal takes, and what a history of
// typing and entry steps holds in memory.
#include "benchwindow.h"
#include "databox.h"
#include "fullvorn.h"
#include "vornhistory.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {
using namespace BenchWindow;

QAction* action(const View& view, const char* name) {
    return view.findChild<QAction*>(QLatin1String(name));
}

// Removing box 2 of 50 moves every later column of all 500 entries; undo brings the whole
// vorn back and shows it. Only the undo is timed.
void BM_UndoBoxRemoval(benchmark::State& state) {
    Window w;
    w.view.adoptVorn(makeFullVorn(VornLimits::MaxEntries));
    w.view.TurnEdit(false);
    QAction* undo = action(w.view, "mUndo");
    QAction* remove = action(w.view, "mDelBox");
    for (auto _ : state) {
        state.PauseTiming();
        QMetaObject::invokeMethod(w.view.Box(1), "MouseUp", Q_ARG(int, 2), Q_ARG(int, 0),
                                  Q_ARG(double, 0), Q_ARG(double, 0));
        for (QMenu* menu : w.view.findChildren<QMenu*>())
            menu->hide();
        remove->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
        undo->trigger();
        QApplication::processEvents();
    }
    if (w.view.vorn().BoxCount != VornLimits::MaxBoxes)
        state.SkipWithError("the box did not come back");
}
BENCHMARK(BM_UndoBoxRemoval)->Unit(benchmark::kMillisecond);

// 100 typing steps (ten keystrokes each, one entry after another) and 100 entry steps (an
// entry removed and another moved, in turn): the heap and the resident memory they add.
void BM_HistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        Window w;
        w.view.adoptVorn(makeFullVorn(VornLimits::MaxEntries));
        w.view.TurnEdit(false);
        auto* list = w.list();
        QApplication::processEvents();
        const std::size_t heapBefore = mallinfo2().uordblks;
        const long rssBefore = residentKiB("VmRSS:");
        for (int i = 0; i < 100; ++i) {
            list->setCurrentRow(1 + i * 4);
            QLineEdit* title = w.view.Box(0)->findChild<QLineEdit*>(QStringLiteral("Fras"));
            for (int key = 0; key < 10; ++key) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
                QCoreApplication::sendEvent(title, &press);
            }
        }
        for (int i = 0; i < 50; ++i) {
            list->setCurrentRow(1 + i * 8);
            QMetaObject::invokeMethod(w.view.findChild<QObject*>(QStringLiteral("DelVorn")),
                                      "click");
            QMetaObject::invokeMethod(w.view.findChild<QObject*>(QStringLiteral("Low")), "click");
        }
        QApplication::processEvents();
        state.counters["heap_MiB"] = double(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
        state.counters["rss_MiB"] = double(residentKiB("VmRSS:") - rssBefore) / 1024.0;
        state.counters["steps"] = double(w.view.findChild<VornHistory*>()->stack()->count());
    }
}
BENCHMARK(BM_HistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
