// The main window driven through its buttons, menus, popups and keys with scripted answers:
// the entry list, the card designer, the document and report commands, and the command line.
#include "commandline.h"
#include "databox.h"
#include "orderdialog.h"
#include "readmewindow.h"
#include "scrim.h"
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
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using Kind = ScriptedPrompts::Kind;

namespace {

QString shown(QString value) {
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
    QString kinds;
    QStringList notes; // what "close" came to

    explicit Window(const QString& kinds = {}, const QString& titles = {},
                    std::initializer_list<double> numbers = {})
        : random(numbers), kinds(kinds) {
        view.adoptVorn(SampleVorn::make(kinds, titles));
        view.TurnEdit(false);
        view.vorn().Modified = false;
    }
    QListWidget* list() const { return view.findChild<QListWidget*>(QStringLiteral("VornList")); }
    template <class T = QWidget> T* at(const QString& name, int k = -1) const {
        return k < 0 ? view.findChild<T*>(name) : view.Box(k)->findChild<T*>(name);
    }
    QLineEdit* fras(int k) const { return at<QLineEdit>(QStringLiteral("Fras"), k); }

    // %d is the scratch folder, %f a regular file in it where a folder is expected.
    QString path(QString name) const {
        if (name.contains(QLatin1String("%f")))
            QFile(dir.filePath(QStringLiteral("f"))).open(QIODevice::WriteOnly);
        return name.replace(QLatin1String("%f"), dir.filePath(QStringLiteral("f")))
            .replace(QLatin1String("%d"), dir.path());
    }
    // y/n: yes or no; Y/N/C: yes, no or cancel; =text: typed and OK; x: the text dialog
    // closed; save:path, open:path: the file chosen ("save:" cancels).
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
        else
            prompts.queueOpenFileName(file());
    }
    // Blank-separated steps: #N selects list item N and clears Modified, so that a row shows
    // what its commands changed; * sets Modified; ^ and v are Up and Down in the title box;
    // count right-clicks Next; find=, pw=, path=, head= set the search phrase, the password,
    // the file and the new header; type= retypes the title box key by key; fields=a,b picks
    // those headers in the fields dialog about to open (fields=! closes it); dbl@k
    // double-clicks box k; show and close the window; any other step clicks the button or
    // triggers the action of that name, Name@k from box k's popup, Name*N N times.
    void run(const QString& script) {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            const QString key = step.section(u'=', 0, 0), arg = step.section(u'=', 1);
            if (step.startsWith(u'#')) {
                list()->setCurrentRow(step.mid(1).toInt());
                view.vorn().Modified = false;
            } else if (step == "*") {
                view.vorn().Modified = true;
            } else if (step == "^" || step == "v") {
                QTest::keyClick(fras(0), step == "^" ? Qt::Key_Up : Qt::Key_Down);
            } else if (step == "count") {
                QTest::mouseClick(at(QStringLiteral("Next")), Qt::RightButton);
            } else if (step == "show") {
                view.show();
                QVERIFY(QTest::qWaitForWindowExposed(&view));
            } else if (step == "close") {
                notes << (view.close() ? "closed" : "open");
            } else if (key == "find" || key == "pw" || key == "path") {
                Vorn& v = view.vorn();
                (key == "find" ? v.SearchPhrase
                 : key == "pw" ? v.Password
                               : v.VornPath) = path(arg);
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
            QVERIFY(view.prepareBoxPopup(step.section(u'@', 1).toInt()));
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
    // reason follows), ?question, <> a text asked (<*> hidden), open/save dialogs, beeps, what
    // out.txt holds read as windows-1251, the files left in the scratch folder, then notes.
    QString log() const {
        QStringList log;
        for (const ScriptedPrompts::Asked& a : prompts.asked()) {
            QString text = QString(a.text).replace(dir.path(), QLatin1String("%d"));
            if (text.contains(QLatin1String("%d")) && text.contains(u'»'))
                text.truncate(text.indexOf(u'»') + 1);
            if (a.kind == Kind::Text)
                text = a.echo == Prompts::Echo::Hidden ? "<*>" : "<>";
            const QString tags[] = {text, "?" + text, "?" + text, text, "open", "save"};
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

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUp();
    void commands_data();
    void commands();
    void defaultButton();
    void lockedSize();
    void outputOrder_data();
    void outputOrder();
    void placement();
    void drops_data();
    void drops();
    void popupMarks();
    void removeFirstOfThree();
    void roundTrip();
    void oldFileUpgraded();
    void commandLine();
    void readme();
};

void TestMainWindow::startUp() {
    ScriptedPrompts prompts;
    SequenceRandom random;
    View view(prompts, random);
    QCOMPARE(view.windowTitle(), QStringLiteral("Ворн \"New\""));
    QCOMPARE(view.findChild<QListWidget*>()->item(0)->text(), QStringLiteral("000 Форма"));
    QCOMPARE(view.findChild<QListWidget*>()->count(), 1);
    QVERIFY(view.vorn().Unlocked);
    QStringList items;
    for (const char* menu : {"mVorn", "mToFile", "mCounting"})
        for (QAction* a : view.findChild<QMenu*>(QLatin1String(menu))->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items, (QStringList{"Новый", "Сохранить", "Сохранить как", "Загрузить", "Назвать", "-",
                                 "Порядок для вывода", "Вывод в файл", "-", "Выход",
                                 "Краткий список", "Детальный список", "Эту запись", "Вхождения",
                                 "Пустые", "Непустые", "Отчёт"}));
}

// Each row runs a script on a fresh window and compares the whole outcome: the card's boxes
// too in the designer rows.
void TestMainWindow::commands_data() {
    QTest::addColumn<QString>("vorn"); // kinds:titles
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("withCard");
    QString vorn = QStringLiteral("PT:a b c d e f");
    bool withCard = false;
    const auto row = [&](const char* name, const QString& script, const QString& state,
                         const QStringList& answers = {}) {
        QTest::newRow(name) << vorn << script << answers << state << withCard;
    };
    row("add on the card item: entry 1", "#0 AddVorn", "1|x a b c d e f|*");
    row("add on entry 4: entry 5", "#4 AddVorn", "5|a b c d x e f|*");
    row("add on the last: appended", "#6 AddVorn", "7|a b c d e f x|*");
    row("remove: the next one moves up", "#3 DelVorn", "3|a b d e f|*");
    row("remove the last: the one before", "#6 DelVorn", "5|a b c d e|*");
    row("remove and add after moves", "#1 Low Low #3 DelVorn AddVorn #1 DelVorn AddVorn",
        "2|c x d x e f|*");
    row("Lift", "#3 Lift", "2|a c b d e f|*");
    row("Lift on entry 1", "#1 Lift", "1|a b c d e f|");
    row("Low on the last", "#6 Low", "6|a b c d e f|");
    row("Up on entry 1 shows the card", "#1 ^", "0|a b c d e f|*");
    row("browsing sets Modified", "#1 v", "2|a b c d e f|*");
    row("title follows typing", "#2 type=Лис", "2|a Лис(Лис,bb) c d e f|*");
    vorn = QStringLiteral("PT:a");
    row("remove the only entry: the card", "#1 DelVorn", "0||*");
    row("lock and unlock, no password", "Locker Locker", "0|a|");
    row("locking asks nothing", "pw=Кот Locker", "0|a|L");
    row("right password", "pw=Кот Locker Locker", "0|a| <*>", {"=Кот"});
    row("letter case differs", "pw=Кот Locker Locker", "0|a|L <*> / Неверный пароль!", {"=кот"});
    row("wrong password", "pw=Кот Locker Locker", "0|a|L <*> / Неверный пароль!", {"=Кит"});
    row("password dialog closed", "pw=Кот Locker Locker", "0|a|L <*>", {"x"});
    row("password set, then asked", "SetPass Locker Locker", "0|a|* <> / <*>", {"=Я", "=Я"});
    vorn = QStringLiteral("PT:Кот пёс КОТЁНОК мышь кот");
    const char* animals = "Кот пёс КОТЁНОК мышь кот";
    const auto at = [animals](int row, const char* rest = "") {
        return QStringLiteral("%1|%2|*%3").arg(row).arg(animals, rest);
    };
    row("Next: capitals by lower case", "find=кот #1 Next", at(3));
    row("Next: lower case by capitals", "find=КОТ #3 Next", at(5));
    row("Next wraps round", "find=кот #5 Next", at(1));
    row("Next: only the current one", "find=мышь #4 Next", "4|Кот пёс КОТЁНОК мышь кот|");
    row("Next: no match beeps", "find=слон #2 Next", "2|Кот пёс КОТЁНОК мышь кот| beep");
    row("Find asks for the phrase", "#1 Find", at(2, " <>"), {"=пёс"});
    row("count", "find=кОт count", "0|Кот пёс КОТЁНОК мышь кот| Найдено 3 случаев.");
    row("count: empty phrase counts all", "find= count",
        "0|Кот пёс КОТЁНОК мышь кот| Найдено 5 случаев.");
    row("count: none", "find=слон count", "0|Кот пёс КОТЁНОК мышь кот| Найдено 0 случаев.");
    vorn = "PT:" + QStringLiteral("- ").repeated(70);
    row("07 finds 70", "find=07 #8 Next", "70|70 entries|*");
    row("07 finds 7", "find=07 #70 Next", "7|70 entries|*");
    vorn = "PT:" + QStringLiteral("a ").repeated(500);
    row("no entry past 500", "#250 AddVorn",
        "250|500 entries| В ворне уже 500 записей: больше добавить нельзя.");
    vorn = QStringLiteral("PT:кот котёл пёскот рыба");
    row("occurrences", "mCount", "0|кот котёл пёскот рыба| <> / Найдено 4 вхождений (100%).",
        {"=кот+пёс"});
    vorn = QStringLiteral("PT:a");
    row("no counting without a title box", "mTyp(0)@0 mCount mEmpty mFull mStats", "0|~(a,aa)|*");

    vorn = QStringLiteral("PT:a b");
    const char* ask = "?Ворн был изменён. Сохранить?";
    const QString named = QStringLiteral("0|| Ворн \"Сад\" ");
    const auto goesOn = [&](const char* between, const char* after = "") {
        return named + ask + between + " / Как назвать ворн? / <>" + after;
    };
    row("New, unchanged", "mNew", named + "Как назвать ворн? / <>", {"=Сад"});
    row("New, No", "* mNew", goesOn(""), {"N", "=Сад"});
    row("New, Yes: saved", "* mNew", goesOn(" / save", " / beep / [a.vorn]"),
        {"Y", "save:%d/a.vorn", "=Сад"});
    // A save that fails or is cancelled stops the command: the changes stay.
    row("New, Yes: save failed", "* mNew",
        QStringLiteral("0|a b|* ") + ask + " / save / Ворн не сохранён в файл «%d/f/a.vorn» / [f]",
        {"Y", "save:%f/a.vorn"});
    row("New, Yes: save dialog cancelled", "* mNew", QStringLiteral("0|a b|* ") + ask + " / save",
        {"Y", "save:"});
    row("New, Cancel", "* mNew", "0|a b|* ?Ворн был изменён. Сохранить?", {"C"});
    row("Load, Cancel", "* mLoad", "0|a b|* ?Ворн был изменён. Сохранить?", {"C"});
    row("close, Cancel", "* show close", "0|a b|* ?Ворн был изменён. Сохранить? / open", {"C"});
    row("close, No", "* show close", "0|a b|* ?Ворн был изменён. Сохранить? / closed", {"N"});
    row("Save", "* path=%d/a.vorn mSave", "0|a b| Сохранено успешно. / [a.vorn]");
    row("Save as", "* mSaveAs", "0|a b| save / beep / [b.vorn]", {"save:%d/b"});
    row("failed save", "* mSaveAs", "0|a b|* save / Ворн не сохранён в файл «%d/f/x.vorn» / [f]",
        {"save:%f/x.vorn"});
    row("load: no file", "#1 mLoad", "1|a b| open / Не удалось открыть файл «%d/in.vorn»",
        {"open:%d/in.vorn"});
    row("load: not a vorn", "#1 mLoad",
        "1|a b| open / Не удалось загрузить ворн из файла «%d/f» / [f]", {"open:%f"});

    vorn = QStringLiteral("PT:кот пёс пёс -");
    const QStringList out{"save:%d/out.txt"};
    const QString pets = "|кот пёс пёс -|", all = "4 записей в ворне.\r\n\r\n";
    const QString pes = "пёс\r\n\tЗаметка\r\nпёспёс\r\n\r\n", saved = " / [out.txt]";
    row("short list", "mShortList",
        "0" + pets + " save / Вывод успешный. / " + all +
            "001 кот\r\n002 пёс\r\n003 пёс\r\n004 \r\n" + saved,
        out);
    row("detailed list", "fields=Заметка mLongList",
        "0" + pets + " save / Вывод успешен. / " + all +
            "001 кот\r\n\tЗаметка\r\nкоткот\r\n\r\n002 " + pes + "003 " + pes + "004 \r\n\r\n" +
            saved,
        out);
    row("this entry", "#2 mThisEntry", "2" + pets + " save / Вывод успешный / 002 " + pes + saved,
        out);
    row("this entry on the card item", "mThisEntry", "0" + pets);
    row("file dialog cancelled", "mShortList", "0" + pets + " save", {"save:"});
    row("fields dialog closed", "fields=! mLongList", "0" + pets);
    row("write fails", "#1 mThisEntry",
        "1" + pets + " save / Не удалось записать файл «%d/f/out.txt» / [f]", {"save:%f/out.txt"});
    const QString report = QStringLiteral("пёс: 2 (50%).\r\nкот: 1 (25%).\r\nПустые: 1 (25%).");
    row("report saved", "mStats",
        "0" + pets + " ?" + report + " / save / " + report + "\r\n" + saved, {"y", out[0]});
    row("report not saved", "mStats", "0" + pets + " ?" + report, {"n"});

    withCard = true;
    vorn = QStringLiteral(":a b");
    row("phrase first: the title", "AddFrase AddText", "P!: T: 0|- -|*");
    row("text first: the title", "AddText AddFrase", "T!: P: 0|- -|*");
    row("number first: the title", "AddNum AddPic", "N!: I: 0|- -|*");
    row("list first: no title", "AddList AddFrase", "L:| P: 0|~ ~|*");
    row("picture first: no title", "AddPic AddNum", "I: N: 0|~ ~|*");
    row("49 boxes at most", "AddFrase*48 AddPic AddText AddNum AddList", "49 boxes 0|- -|*");
    vorn = QStringLiteral("PL:a b");
    row("retype phrase -> text", "mTyp(2)@0", "T!:Новое поле L:|xx 0|a b|*");
    row("retype phrase -> number", "mTyp(5)@0", "N!: L:|xx 0|a b|*");
    row("retype list -> phrase, Yes", "mTyp(1)@1",
        "P!:x P:Новое поле 0|a b|* ?Это уничтожит элементы списка. Выполнить?", {"y"});
    row("retype list -> text, No", "mTyp(2)@1",
        "P!:x L:|xx 0|a b| ?Это уничтожит элементы списка. Выполнить?", {"n"});
    row("retype to the same kind", "mTyp(4)@1", "P!:x L:|xx 0|a b|");
    row("retype the title to a word", "mTyp(0)@0", "W:Новое поле L:|xx 0|~(a,|aa) ~(b,|bb)|*");
    row("add 3 items", "#1 mAddN@1", "P!:a L:|aa|001|002|003 1|a(a,|aa|001|002|003) b|* <>",
        {"=3"});
    row("add 2.5 items", "#1 mAddN@1", "P!:a L:|aa|001|002 1|a(a,|aa|001|002) b|* <>", {"=2.5"});
    row("add 3.5 items", "#1 mAddN@1",
        "P!:a L:|aa|001|002|003|004 1|a(a,|aa|001|002|003|004) b|* <>", {"=3.5"});
    row("add no items", "#1 mAddN@1", "P!:a L:|aa 1|a b|* <>", {"="});
    row("add a word of items", "#1 mAddN@1", "P!:a L:|aa 1|a b|* <>", {"=пять"});
    row("add 99999 items", "#1 mAddN@1", "P!:a L:|aa 1|a b| <> / beep", {"=99999"});
    row("copy and paste", "#1 mCopyList@1 #2 mPasteList@1", "P!:b L:|aa 2|a b(b,|aa)|*");
    row("list commands on the card", "head=н mInsert@1 mAddN@1 AddVorn",
        "P!:x L:|н|xx|001|002 1|x(x,|н|xx|001|002) a b|* <>", {"=2"});
    vorn = QStringLiteral("PI:a b c d");
    row("picture on entry 3", "#3 head=мурка.png dbl@1",
        "P!:c I:.\\New\\мурка.png 3|a b c(c,.\\New\\мурка.png) d|*");
}

void TestMainWindow::commands() {
    QFETCH(QString, vorn);
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    QFETCH(QString, state);
    QFETCH(bool, withCard);
    Window w(vorn.section(u':', 0, 0), vorn.section(u':', 1));
    for (const QString& a : answers)
        w.answer(a);
    w.run(script);
    QCOMPARE(withCard ? w.card() + " " + w.state() : w.state(), state);
    VERIFY_ALL_ANSWERS_USED(w.prompts);
}

// Enter adds an entry from a phrase box, where the Add button is the default one, but
// makes a new line in a text box, where it is not.
void TestMainWindow::defaultButton() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    w.view.show();
    QApplication::setActiveWindow(&w.view);
    QVERIFY(QTest::qWaitForWindowActive(&w.view));
    w.run(QStringLiteral("#1"));
    auto* add = w.at<QPushButton>(QStringLiteral("AddVorn"));
    QList<bool> defaults;
    for (QWidget* editor : {w.at(QStringLiteral("Tex"), 1), w.at(QStringLiteral("Fras"), 0)}) {
        editor->setFocus();
        defaults << add->isDefault();
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    QCOMPARE(defaults, (QList<bool>{false, true}));
    QCOMPARE(w.entries(), QStringLiteral("2|a(a,aa/) x b|*"));
}

// Locked, the window keeps the size it was locked at; unlocked, it may change again. Taking
// the layout from the window leaves the card's defaults alone.
void TestMainWindow::lockedSize() {
    Window w(QStringLiteral("PTLIN"), QStringLiteral("a b"));
    w.run(QStringLiteral("#2"));
    const Vorn before = w.view.vorn();
    w.view.GetFormat();
    QCOMPARE(w.view.vorn(), before);
    w.view.resize(700, 600);
    w.run(QStringLiteral("Locker"));
    w.view.resize(900, 800);
    const QSize locked = w.view.size();
    w.run(QStringLiteral("Locker"));
    w.view.resize(900, 800);
    QCOMPARE((QList<QSize>{locked, w.view.size()}), (QList<QSize>{{700, 600}, {900, 800}}));
}

void TestMainWindow::outputOrder_data() {
    QTest::addColumn<QString>("moves"); // the row selected, then u up or d down
    QTest::addColumn<bool>("ok");       // or closed through the frame
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QList<int>>("tab");
    QTest::newRow("third to the top")
        << "2uu" << true << QList<int>{2, 3, 1, 4, 5, 6} << QList<int>{3, 1, 5, 6};
    QTest::newRow("first to the end")
        << "0ddddddd" << true << QList<int>{6, 1, 2, 3, 4, 5} << QList<int>{3, 5, 6, 1};
    QTest::newRow("closed: dropped")
        << "2uu" << false << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{1, 3, 5, 6};
}

// Word and picture boxes take no Tab stop; the others follow the output order.
void TestMainWindow::outputOrder() {
    QFETCH(QString, moves);
    QFETCH(bool, ok);
    QFETCH(QList<int>, order);
    QFETCH(QList<int>, tab);
    Window w(QStringLiteral("PWTILN"));
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        d->oList->setCurrentRow(moves.left(1).toInt());
        for (const QChar m : moves.mid(1))
            d->LiftLow[m == u'u' ? 0 : 1]->click();
        ok ? d->Ok->click() : void(d->close());
    });
    w.run(QStringLiteral("mBoxOrder"));
    QList<int> stored;
    for (int j = 1; j <= 6; ++j)
        stored << w.view.vorn().boxOrder(j);
    QCOMPARE(stored, order);
    QCOMPARE(w.tabWalk(), tab);
}

// A new phrase box with the numbers 0.25 and 0.5 in a window of 8880 x 7725 twips; a box
// 3000 twips long still fits as r nears 1, and starts left of the card area in a narrow window.
void TestMainWindow::placement() {
    Window w({}, {}, {0.25, 0.5});
    w.run(QStringLiteral("AddFrase"));
    QCOMPARE(w.view.boxPosition(0), QPoint(2200 + 920, 900 + 3063));
    QCOMPARE((QList<int>{View::randomPlace(0.9999999, 8880, 3000, 2200),
                         View::randomPlace(0.5, 4000, 3000, 2200),
                         View::randomPlace(0.001, 4000, 3000, 2200)}),
             (QList<int>{5880, 1600, 2198}));
}

void TestMainWindow::drops_data() {
    QTest::addColumn<int>("target"); // -1: the card
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QPoint>("expected"); // -1: flush with the right or bottom edge
    QTest::newRow("on the card") << -1 << QPoint(4100, 3050) << QPoint(4000, 3000);
    QTest::newRow("left of the card area") << -1 << QPoint(2000, 3050) << QPoint(2200, 3000);
    QTest::newRow("above the card area") << -1 << QPoint(4100, 500) << QPoint(4000, 900);
    QTest::newRow("past the right and bottom edges")
        << -1 << QPoint(30000, 30000) << QPoint(-1, -1);
    // Box 2 lies at (5400, 1100).
    QTest::newRow("on another box") << 1 << QPoint(300, 400) << QPoint(5600, 1450);
}

// The box is grabbed 100 twips right and 50 down of its corner.
void TestMainWindow::drops() {
    QFETCH(int, target);
    QFETCH(QPoint, at);
    QFETCH(QPoint, expected);
    Window w(QStringLiteral("PT"), QStringLiteral("a"));
    w.run(QStringLiteral("show"));
    Q_EMIT w.view.Box(0)->MouseDown(1, 0, 100, 50);
    target < 0 ? w.view.dropBox(0, at) : w.view.dropBoxOn(0, target, at);
    const QSize room = w.at(QStringLiteral("Card"))->size() * 15;
    if (expected.x() < 0)
        expected = {room.width() - w.view.Box(0)->widthTwips(),
                    room.height() - w.view.Box(0)->heightTwips()};
    QCOMPARE(w.view.boxPosition(0), expected);
    QVERIFY(w.view.vorn().Modified);
}

// The kind and header position of the box are checked; the list submenu and "make title"
// show only where they apply.
void TestMainWindow::popupMarks() {
    Window w(QStringLiteral("WPTILN"));
    QStringList marks;
    for (int k = 0; k < 6; ++k) {
        QMenu* menu = w.view.prepareBoxPopup(k);
        QCOMPARE(menu, w.at<QMenu>(QStringLiteral("mBox")));
        QString m;
        for (const QAction* a : menu->findChildren<QAction*>())
            if (a->isChecked())
                m += a->objectName() + " ";
        m += QString(w.at<QMenu>(QStringLiteral("mList"))->menuAction()->isVisible() ? "list "
                                                                                     : "") +
             (w.at<QAction>(QStringLiteral("mFront"))->isVisible() ? "front" : "");
        marks << m.trimmed();
    }
    QCOMPARE(marks, (QStringList{"mTyp(0) mPos(1)", "mTyp(1) mPos(2) front",
                                 "mTyp(2) mPos(3) front", "mTyp(3) mPos(4)",
                                 "mTyp(4) mPos(5) list front", "mTyp(5) mPos(6) front"}));
}

// Removing the first of three boxes: the others move up with their values, the title box
// and their places in the output order.
void TestMainWindow::removeFirstOfThree() {
    Window w(QStringLiteral("PLN"), QStringLiteral("a b"));
    for (int j = 1; j <= 3; ++j)
        w.view.vorn().setBoxOrder(j, qint16(j % 3 + 1)); // output order: N, P, L
    w.run(QStringLiteral("mFront@2 mDelBox@0"));
    w.kinds = QStringLiteral("LN");
    QCOMPARE(w.card() + " " + w.state(),
             QStringLiteral("L:|xx N!:xxx 0|aaa(|aa,aaa) bbb(|bb,bbb)|*"));
    QCOMPARE(w.view.vorn().outputSequence(), (std::vector<int>{2, 1}));
}

// Everything a file holds comes back through the menu in a fresh window, locked.
void TestMainWindow::roundTrip() {
    Window a(QStringLiteral("PITL"), QStringLiteral("Ёж Zebra,\"в\" -"));
    a.view.vorn().Password = QStringLiteral("пароль, \"с кавычками\"");
    a.view.vorn().VornName = QStringLiteral("Зоопарк");
    a.answer(QStringLiteral("save:%d/зоопарк.vorn"));
    a.run(QStringLiteral("mSaveAs"));
    Window b;
    b.answer(QStringLiteral("open:") + a.dir.filePath(QStringLiteral("зоопарк.vorn")));
    b.run(QStringLiteral("mLoad"));
    Vorn expected = a.view.vorn();
    expected.Unlocked = expected.Designing = false;
    expected.VornPath.clear();
    QCOMPARE(b.view.vorn(), expected);
    b.kinds = a.kinds;
    QCOMPARE(b.entries(), QStringLiteral("0|Ёж Zebra,\"в\" -|L Ворн \"Зоопарк\""));
    // Saving a loaded vorn asks for a file; naming it rewrites the picture paths.
    b.answer(QStringLiteral("save:%d/b.vorn"));
    b.answer(QStringLiteral("="));
    b.run(QStringLiteral("mSave mNaming"));
    QCOMPARE(b.log(), QStringLiteral("open / save / <> / beep / [b.vorn]"));
    QCOMPARE(b.view.windowTitle(), QStringLiteral("Ворн \"\""));
    const Vorn& named = b.view.vorn();
    QCOMPARE((QStringList{named.value(1, 2), named.value(3, 2)}),
             (QStringList{".\\\\ЁжЁж.png", ""}));
}

// A file of the first version: no name, pictures by file name alone. Its lines: the counts
// and the card size; two boxes (kind, left, top, header position, default, header); the title
// box and the password; the entries' values; the output order.
void TestMainWindow::oldFileUpgraded() {
    const auto num = [](int n) { return Scrim::EncodeNum(qint16(n)); };
    const auto str = [](const QString& s) { return Scrim::EncodeStr(s); };
    const QStringList lines{num(2),         num(2),   num(9000),    num(8000),   num(3), num(2400),
                            num(1100),      num(1),   str("d.bmp"), str("Фото"), num(1), num(5400),
                            num(1100),      num(1),   str(""),      str("Имя"),  num(2), str(""),
                            str("кот.bmp"), str("a"), str(""),      str("b"),    num(1), num(2)};
    Window w;
    QFile file(w.dir.filePath(QStringLiteral("old.vorn")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write((lines.join(QLatin1String("\r\n")) + "\r\n").toLatin1());
    file.close();
    w.answer(QStringLiteral("open:%d/old.vorn"));
    w.answer(QStringLiteral("=Сад"));
    w.run(QStringLiteral("mLoad"));
    QCOMPARE(w.state(),
             "0|a(.\\Сад\\кот.bmp,a) b(,b)|L Ворн \"Сад\" open / " +
                 QStringLiteral("При переходе в новую версию необходимо дать ворну имя и "
                                "переместить картинки в папку с тем же названием.") +
                 " / <> / [old.vorn]");
}

// One file name opens it; anything else is a usage error that says what was wrong (!).
void TestMainWindow::commandLine() {
    QStringList seen;
    for (const QStringList& arguments :
         {QStringList(), {"зоопарк.vorn"}, {"--bogus"}, {"a.vorn", "b.vorn"}}) {
        const CommandLine line = CommandLine::parse(QStringList{"tessavorn"} + arguments);
        seen << QStringList{"start", "open ", "usage"}[int(line.kind)] + line.file +
                    (line.problem.isEmpty() ? "" : "!");
    }
    QCOMPARE(seen, (QStringList{"start", "open зоопарк.vorn", "usage!", "usage!"}));
}

void TestMainWindow::readme() {
    Window w;
    w.run(QStringLiteral("mReadme"));
    auto* window = w.view.findChild<ReadmeWindow*>();
    QVERIFY(window && window->isVisible() && window->textView()->isReadOnly());
    QVERIFY(!window->textView()->toPlainText().isEmpty());
    QCOMPARE(w.log(), QString());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
