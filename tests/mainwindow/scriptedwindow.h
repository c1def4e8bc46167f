#pragma once

// A main window driven by scripts of steps, with scripted answers, read back as text.
#include "boxdragger.h"
#include "databox.h"
#include "designerpart.h"
#include "orderdialog.h"
#include "printpart.h"
#include "support/modal.h"
#include "support/samplevorn.h"
#include "support/scriptedprompts.h"
#include "support/sequencerandom.h"
#include "support/typing.h"
#include "view.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using Kind = ScriptedPrompts::Kind;

inline QString shown(QString value) {
    return value.replace(ListSeparator, u'|').replace(u'\n', u'/');
}

// A window showing SampleVorn::make(kinds, titles) unlocked on the card item, with a scratch
// folder. Commands come as scripts (run) and answers as short codes (answer); the outcome is
// read back as one string (state).
struct Window {
    ScriptedPrompts prompts;
    SequenceRandom random;
    View view{prompts, random};
    QTemporaryDir dir;
    QTemporaryDir saves; // where "#N" saves the vorn, out of sight of the scratch folder
    QString kinds;
    QStringList notes;     // what "close" came to, "print" for each print dialog
    bool patterns = false; // log() shows the file dialogs' patterns
    std::deque<std::optional<QString>> printTo; // the print dialog's answers, as for save

    explicit Window(const QString& kinds = {}, const QString& titles = {},
                    std::initializer_list<double> numbers = {})
        : random(numbers), kinds(kinds) {
        view.adoptVorn(SampleVorn::make(kinds, titles));
        view.TurnEdit(false);
        prompts.clearRecord();
        // The print dialog prints to a PDF file on A4, as a user choosing that would.
        view.findChild<PrintPart*>()->setPrintDialog([this](QPrinter& printer) {
            notes << QStringLiteral("print");
            if (printTo.empty()) {
                QTest::qFail("unexpected print dialog", __FILE__, __LINE__);
                return false;
            }
            const std::optional<QString> file = printTo.front();
            printTo.pop_front();
            if (file) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(*file);
                printer.setPageSize(QPageSize(QPageSize::A4));
            }
            return file.has_value();
        });
    }
    QListWidget* list() const { return view.findChild<QListWidget*>(QStringLiteral("VornList")); }
    template <class T = QWidget> T* at(const QString& name, int k = -1) const {
        return k < 0 ? view.findChild<T*>(name) : view.Box(k)->findChild<T*>(name);
    }
    QLineEdit* fras(int k) const { return at<QLineEdit>(QStringLiteral("Fras"), k); }
    DesignerPart* designer() const { return view.findChild<DesignerPart*>(); }
    QPoint boxPosition(int k) const { return {view.Box(k)->leftTwips(), view.Box(k)->topTwips()}; }

    // %d is the scratch folder, %f a regular file in it where a folder is expected.
    QString path(QString name) const {
        if (name.contains(QLatin1String("%f")))
            QFile(dir.filePath(QStringLiteral("f"))).open(QIODevice::WriteOnly);
        return name.replace(QLatin1String("%f"), dir.filePath(QStringLiteral("f")))
            .replace(QLatin1String("%d"), dir.path());
    }
    // y/n: yes or no; Y/N/C: yes, no or cancel; =text: typed and OK; x: the text dialog
    // closed; save:path, open:path, print:path: the file chosen ("save:", "print:" cancel).
    void answer(const QString& code) {
        const QString rest = code.section(u':', 1);
        const auto file = [&] { return rest.isEmpty() ? std::nullopt : std::optional(path(rest)); };
        if (code == "y" || code == "n")
            prompts.queueYesNo(code == "y");
        else if (code == "Y" || code == "N" || code == "C")
            prompts.queueYesNoCancel(code == "Y"   ? Prompts::Answer::Yes
                                     : code == "N" ? Prompts::Answer::No
                                                   : Prompts::Answer::Cancel);
        else if (code.startsWith(u'=') || code == "x")
            prompts.queueText(code == "x" ? std::nullopt : std::optional(code.mid(1)));
        else if (code.startsWith(QLatin1String("save:")))
            prompts.queueSaveFileName(file());
        else if (code.startsWith(QLatin1String("print:")))
            printTo.push_back(file());
        else
            prompts.queueOpenFileName(file());
    }
    // Blank-separated steps: #N selects list item N and saves the vorn, so that a row shows
    // what its commands changed; * stores box 1's value again, which is a change; ^ and v are
    // Up and Down in the title box; count right-clicks Next; show puts the window on screen,
    // active, and close closes it; key=Ctrl+Z types those keys into the focused control;
    // width=N makes the window N pixels wide; head= sets the new header; type= retypes the
    // title box key by key; fields=a,b picks those headers in the fields dialog about to open
    // (fields=! closes it); order=2uu moves row 2 of the output order up twice and takes it
    // (order=!2uu closes the dialog); dbl@k double-clicks box k; any other step clicks the
    // button or triggers the action of that name, Name@k from box k's popup, Name*N N times.
    void run(const QString& script) {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            const QString key = step.section(u'=', 0, 0), arg = step.section(u'=', 1);
            if (step.startsWith(u'#')) {
                list()->setCurrentRow(step.mid(1).toInt());
                prompts.answerNextSave(saves.filePath(QStringLiteral("saved.vorn")));
                command(QStringLiteral("mSaveAs"));
                prompts.clearRecord();
                QVERIFY(!view.vorn().Modified);
            } else if (step == "*") {
                Q_EMIT view.Box(0)->Change();
            } else if (step == "^" || step == "v") {
                QTest::keyClick(fras(0), step == "^" ? Qt::Key_Up : Qt::Key_Down);
            } else if (step == "count") {
                QTest::mouseClick(at(QStringLiteral("Next")), Qt::RightButton);
            } else if (step == "show") {
                view.show();
                QApplication::setActiveWindow(&view);
                QVERIFY(QTest::qWaitForWindowActive(&view));
            } else if (step == "close") {
                notes << (view.close() ? "closed" : "open");
            } else if (key == "key") {
                QTest::keySequence(QApplication::focusWidget(), QKeySequence(arg));
            } else if (key == "width") {
                view.resize(arg.toInt(), view.height());
            } else if (key == "head") {
                at<QLineEdit>(QStringLiteral("HeadNam"))->setText(arg);
            } else if (key == "type") {
                fras(0)->clear();
                typeText(fras(0), arg);
            } else if (key == "fields") {
                onNextModal<OrderDialog>([arg](OrderDialog* d) {
                    for (const QString& header : arg.split(u',', Qt::SkipEmptyParts))
                        for (QListWidgetItem* item : d->mList->findItems(header, Qt::MatchExactly))
                            item->setSelected(true);
                    arg == "!" ? void(d->close()) : d->Ok->click();
                });
            } else if (key == "order") {
                const QString moves = QString(arg).remove(u'!');
                onNextModal<OrderDialog>([arg, moves](OrderDialog* d) {
                    d->oList->setCurrentRow(moves.left(1).toInt());
                    for (const QChar m : moves.mid(1))
                        d->LiftLow[m == u'u' ? 0 : 1]->click();
                    arg.startsWith(u'!') ? void(d->close()) : d->Ok->click();
                });
                command(QStringLiteral("mBoxOrder"));
            } else if (step.startsWith(QLatin1String("dbl@"))) {
                Q_EMIT view.Box(step.mid(4).toInt())->DblClick();
            } else {
                command(step);
            }
        }
    }
    void command(const QString& step) {
        const QString name = step.section(u'@', 0, 0).section(u'*', 0, 0);
        if (step.contains(u'@'))
            QVERIFY(designer()->prepareBoxPopup(step.section(u'@', 1).toInt()));
        for (int i = step.contains(u'*') ? step.section(u'*', 1).toInt() : 1; i > 0; --i) {
            if (auto* button = at<QPushButton>(name))
                button->click();
            else if (auto* action = at<QAction>(name))
                action->trigger();
            else
                QFAIL(qPrintable(QStringLiteral("no control ") + name));
        }
    }

    // "row|entries|flags": the selected item, then each entry as its caption's title ("-"
    // empty, "~" no title box) followed by its values in brackets when they are not the
    // sample's values for that title; flags * Modified, L locked; then the caption unless it
    // is the start-up one.
    QString entries() const {
        const Vorn& v = view.vorn();
        const QString boxKinds = kinds.leftJustified(v.BoxCount, u' ');
        QStringList shownEntries;
        for (int p = 1; p < list()->count() && v.EntryCount <= 30; ++p) {
            const QString caption = list()->item(p)->text();
            const QString title = caption.mid(4);
            QString entry = caption.left(3).toInt() != p ? "!" + caption
                            : caption.size() == 3        ? QStringLiteral("~")
                            : title.isEmpty()            ? QStringLiteral("-")
                                                         : title;
            QStringList values;
            bool sample = true;
            for (int j = 1; j <= v.BoxCount; ++j) {
                values << shown(v.value(p, j));
                sample = sample && v.value(p, j) == SampleVorn::value(boxKinds[j - 1], j, title);
            }
            shownEntries << (sample ? entry : entry + "(" + values.join(u',') + ")");
        }
        if (v.EntryCount > 30)
            shownEntries << QStringLiteral("%1 entries").arg(v.EntryCount);
        QString text =
            QStringLiteral("%1|%2|").arg(list()->currentRow()).arg(shownEntries.join(u' '));
        text += QString(v.Modified ? "*" : "") + (v.Unlocked ? "" : "L");
        if (view.windowTitle() != QStringLiteral("Ворн \"New\""))
            text += " " + view.windowTitle();
        return text;
    }
    // The boxes on the card: kind letter, ! for the title box, the value shown.
    QString card() const {
        QStringList boxes;
        for (int k = 0; k < VornLimits::MaxBoxes; ++k) {
            const DataBox* box = view.Box(k);
            if (!box->isVisibleTo(&view))
                continue;
            const bool number = box->BoxType() == BoxKind::Phrase && box->Length() == 500;
            boxes << QString(QStringLiteral("WPTILN")[number ? 5 : box->BoxType()]) +
                         (k + 1 == view.vorn().TitleBox ? "!:" : ":") + shown(box->Data());
        }
        return boxes.size() > 10 ? QStringLiteral("%1 boxes").arg(boxes.size()) : boxes.join(u' ');
    }
    // What was asked, in order: messages as shown (after the file name only the system's
    // reason follows), ?question, <> a text asked (<*> hidden), open/save dialogs (and their
    // patterns), beeps, what out.txt holds read as windows-1251, the files left in the scratch
    // folder, then notes.
    QString log() const {
        QStringList log;
        for (const ScriptedPrompts::Asked& a : prompts.asked()) {
            QString text = QString(a.text).replace(dir.path(), QLatin1String("%d"));
            if (text.contains(QLatin1String("%d")) && text.contains(u'»'))
                text.truncate(text.indexOf(u'»') + 1);
            if (a.kind == Kind::Text)
                text = a.echo == Prompts::Echo::Hidden ? "<*>" : "<>";
            const QString file = patterns ? " " + text : QString();
            const QString tags[] = {text, "?" + text,    "?" + text,
                                    text, "open" + file, "save" + file};
            log << tags[int(a.kind)];
        }
        for (int i = 0; i < prompts.beeps(); ++i)
            log << QStringLiteral("beep");
        QFile out(dir.filePath(QStringLiteral("out.txt")));
        if (out.open(QIODevice::ReadOnly))
            log << QString(QStringDecoder("windows-1251").decode(out.readAll()));
        const QStringList files =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        if (!files.isEmpty())
            log << "[" + files.join(u',') + "]";
        return (log + notes).join(QLatin1String(" / "));
    }
    QString state() const {
        return (QStringList{entries()} + QStringList{log()}).join(u' ').trimmed();
    }

    // The boxes (1-based) that Tab visits after Locker.
    QList<int> tabWalk() const {
        auto* locker = at<QPushButton>(QStringLiteral("Locker"));
        QList<int> visited;
        QWidget* w = locker->nextInFocusChain();
        for (int step = 0; step < 1000 && w != locker; ++step, w = w->nextInFocusChain())
            for (int k = 0; k < view.vorn().BoxCount; ++k)
                if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&view) && w->isEnabled() &&
                    view.Box(k)->isAncestorOf(w) && !visited.endsWith(k + 1))
                    visited << k + 1;
        return visited;
    }
};

// A failing state shows both states cut at their seams ("|" between the row, the entries and
// the flags, " / " between the things asked), a part a line, the parts that differ marked.
inline QString stateDifference(const QString& actual, const QString& expected) {
    const auto parts = [](QString state) { return state.replace(" / ", "|").split(u'|'); };
    const QStringList a = parts(actual), e = parts(expected);
    QString lines = QStringLiteral("state differs:   actual  |  expected");
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        const QString left = a.value(i, "(none)"), right = e.value(i, "(none)");
        lines += (left == right ? "\n   " : "\n>> ") + left + "  |  " + right;
    }
    return lines;
}

#define COMPARE_STATE(actual, expected)                                                            \
    do {                                                                                           \
        const QString actual_ = (actual), expected_ = (expected);                                  \
        QVERIFY2(actual_ == expected_, qPrintable(stateDifference(actual_, expected_)));           \
    } while (false)
