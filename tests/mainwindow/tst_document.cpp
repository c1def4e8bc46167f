// The document commands driven through the «Ворн» menu: new, save, save as, load, name,
// exit and closing, the unsaved-changes question, failures of the file system, opening a
// file named on the command line, and the instructions window.
#include "databox.h"
#include "readmewindow.h"
#include "scrim.h"
#include "support/samplevorn.h"
#include "support/scriptedprompts.h"
#include "support/sequencerandom.h"
#include "view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using Kind = ScriptedPrompts::Kind;
using Answer = Prompts::Answer;

namespace {

const QString AskSave = QStringLiteral("Ворн был изменён. Сохранить?");
const QString AskName = QStringLiteral("Как назвать ворн?");
const QString Saved = QStringLiteral("Сохранено успешно.");
const QString OldFormat = QStringLiteral("При переходе в новую версию необходимо дать ворну имя "
                                         "и переместить картинки в папку с тем же названием.");

struct Fixture {
    ScriptedPrompts prompts;
    SequenceRandom random;
    View view{prompts, random};

    QAction* action(const char* name) const {
        return view.findChild<QAction*>(QLatin1String(name));
    }
    void trigger(const char* name) const {
        QAction* a = action(name);
        QVERIFY2(a, name);
        a->trigger();
    }
    QListWidget* list() const { return view.findChild<QListWidget*>(QStringLiteral("VornList")); }
    // Shows v unlocked with the card item selected, as if the user had made it.
    void open(Vorn v, bool modified = true) {
        view.adoptVorn(std::move(v));
        view.TurnEdit(false);
        view.vorn().Modified = modified;
    }
    // Saves through Save as into path; the record of questions starts afresh afterwards.
    void saveAs(const QString& path) {
        prompts.queueSaveFileName(path);
        trigger("mSaveAs");
        prompts.clearRecord();
    }
    void load(const QString& path) {
        prompts.queueOpenFileName(path);
        trigger("mLoad");
    }
};

// A card with a box of every kind that holds its own value, entries with Cyrillic, list
// and picture values, and a title box.
Vorn sampleCard() {
    using SampleVorn::box;
    Vorn v = SampleVorn::make(
        {box(BoxKind::Phrase, "Кличка", "кто?", 2400, 1100, 2),
         box(BoxKind::Text, "Заметки", "пусто", 5400, 1100, 7),
         box(BoxKind::List, "Корм", "\x0bсено", 2400, 3000, 12),
         box(BoxKind::Picture, "Фото", "", 5400, 3500, 11)},
        {{"Ёжик", "ест «яблоки»,\nспит днём", "\x0bмолоко\x0bгрибы", ".\\Зоопарк\\ёж.png"},
         {"Zebra, \"в полоску\"", "", "", ""},
         {"Лиса", "рыжая", "\x0bмыши", ".\\Зоопарк\\лиса.bmp"}},
        1);
    v.VornName = QStringLiteral("Зоопарк");
    v.setBoxOrder(1, 3);
    v.setBoxOrder(3, 1);
    return v;
}

// A path that cannot be written, even by root: its parent is a regular file.
QString unwritablePath(const QTemporaryDir& dir) {
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    if (file.open(QIODevice::WriteOnly))
        file.write("not a folder");
    return blocker + QStringLiteral("/x.vorn");
}

bool writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& line : lines)
        file.write(line.toLatin1() + "\r\n");
    return true;
}

QString num(int n) {
    return Scrim::EncodeNum(static_cast<qint16>(n));
}
QString str(const QString& s) {
    return Scrim::EncodeStr(s);
}

// The lines of a file in the old layout (no version line, no name): one picture box and
// one phrase box, the entries' picture values naming files in the working directory.
QStringList oldLayoutLines(const QStringList& pictures) {
    QStringList lines{num(2), num(static_cast<int>(pictures.size())), num(9000), num(8000)};
    lines << num(BoxKind::Picture) << num(2400) << num(1100) << num(1) << str("дефолт.bmp")
          << str("Фото");
    lines << num(BoxKind::Phrase) << num(5400) << num(1100) << num(1) << str("") << str("Имя");
    lines << num(2) << str("");
    for (int p = 0; p < pictures.size(); ++p)
        lines << str(pictures[p]) << str(QStringLiteral("зверь %1").arg(p + 1));
    lines << num(1) << num(2);
    return lines;
}

// What the window shows besides the vorn, compared before and after a command that must
// change nothing.
struct Shown {
    QString caption;
    QStringList items;
    int row = 0;
    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown shown(const Fixture& f) {
    Shown s{f.view.windowTitle(), {}, f.list()->currentRow()};
    for (int i = 0; i < f.list()->count(); ++i)
        s.items << f.list()->item(i)->text();
    return s;
}

} // namespace

namespace QTest {
template <> char* toString(const BoxDescriptor& d) {
    return qstrdup(qPrintable(QStringLiteral("{type %1, \"%2\", pose %3, \"%4\", %5, %6}")
                                  .arg(d.Type)
                                  .arg(d.Header)
                                  .arg(d.HeadPose)
                                  .arg(d.DefaultValue)
                                  .arg(d.Left)
                                  .arg(d.Top)));
}
} // namespace QTest

namespace {

// The fields a file carries; what belongs to the window (flags, path) is left out.
void compareFileFields(const Vorn& actual, const Vorn& expected) {
    QCOMPARE(actual.VornName, expected.VornName);
    QCOMPARE(actual.BoxCount, expected.BoxCount);
    QCOMPARE(actual.EntryCount, expected.EntryCount);
    QCOMPARE(actual.CardWidth, expected.CardWidth);
    QCOMPARE(actual.CardHeight, expected.CardHeight);
    QCOMPARE(actual.TitleBox, expected.TitleBox);
    QCOMPARE(actual.Password, expected.Password);
    for (int j = 1; j <= expected.BoxCount; ++j) {
        QCOMPARE(actual.descriptor(j), expected.descriptor(j));
        QCOMPARE(actual.boxOrder(j), expected.boxOrder(j));
        for (int p = 1; p <= expected.EntryCount; ++p)
            QCOMPARE(actual.value(p, j), expected.value(p, j));
    }
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void menuItems_data();
    void menuItems();

    void guardedCommands_data();
    void guardedCommands();
    void newCommand_data();
    void newCommand();

    void saveFeedback_data();
    void saveFeedback();
    void cancelledDialogChangesNothing_data();
    void cancelledDialogChangesNothing();
    void saveAfterLoadAsksForFile();
    void roundTrip();
    void failedSave_data();
    void failedSave();

    void naming_data();
    void naming();
    void oldFileUpgraded_data();
    void oldFileUpgraded();
    void failedLoad_data();
    void failedLoad();
    void damagedValuesWarn();
    void fileFromCommandLine_data();
    void fileFromCommandLine();

    void readmeWindow();
    void readmeLookup();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestDocument::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

// --- the menu ---------------------------------------------------------------------------------

void TestDocument::menuItems_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("new") << "mNew"
                         << "Новый" << QKeySequence(QKeySequence::New);
    QTest::newRow("save") << "mSave"
                          << "Сохранить" << QKeySequence(QKeySequence::Save);
    QTest::newRow("save as") << "mSaveAs"
                             << "Сохранить как" << QKeySequence(QKeySequence::SaveAs);
    QTest::newRow("load") << "mLoad"
                          << "Загрузить" << QKeySequence(QKeySequence::Open);
    QTest::newRow("name") << "mNaming"
                          << "Назвать" << QKeySequence();
    QTest::newRow("exit") << "mExit"
                          << "Выход" << QKeySequence(QKeySequence::Quit);
}

void TestDocument::menuItems() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    Fixture f;
    auto* menu = f.view.findChild<QMenu*>(QStringLiteral("mVorn"));
    QVERIFY(menu);
    QAction* item = f.action(qPrintable(name));
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);
    QVERIFY(item->isVisible());

    // The commands open the menu, Exit closes it, with the separators between them.
    const QList<QAction*> items = menu->actions();
    QVERIFY(items.size() >= 8);
    QStringList names;
    for (int i = 0; i < 5; ++i)
        names << items[i]->objectName();
    QCOMPARE(names, (QStringList{"mNew", "mSave", "mSaveAs", "mLoad", "mNaming"}));
    QVERIFY(items[5]->isSeparator());
    QCOMPARE(items.constLast()->objectName(), QStringLiteral("mExit"));
    QVERIFY(items[items.size() - 2]->isSeparator());
}

// --- the unsaved-changes question ---------------------------------------------------------------

namespace {
enum class SaveOutcome { None, Written, Failed, Cancelled };
}

void TestDocument::guardedCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer"); // Prompts::Answer; ignored when not modified
    QTest::addColumn<int>("save");   // SaveOutcome after Yes
    QTest::addColumn<bool>("goesOn");
    for (const char* command : {"New", "Load", "Exit", "close"}) {
        const auto row = [command](const char* label) -> QTestData& {
            return QTest::addRow("%s, %s", command, label) << QString::fromLatin1(command);
        };
        row("unchanged") << false << 0 << int(SaveOutcome::None) << true;
        row("No") << true << int(Answer::No) << int(SaveOutcome::None) << true;
        row("Cancel") << true << int(Answer::Cancel) << int(SaveOutcome::None) << false;
        row("Yes, saved") << true << int(Answer::Yes) << int(SaveOutcome::Written) << true;
        row("Yes, save failed") << true << int(Answer::Yes) << int(SaveOutcome::Failed) << true;
        row("Yes, save dialog cancelled")
            << true << int(Answer::Yes) << int(SaveOutcome::Cancelled) << true;
    }
}

// Yes on a vorn without a file opens the save dialog; whatever the save comes to, the
// command goes on. Cancel stops it with nothing changed.
void TestDocument::guardedCommands() {
    QFETCH(QString, command);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(int, save);
    QFETCH(bool, goesOn);
    Fixture f;
    f.open(SampleVorn::titled({"раз", "два"}), modified);
    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const Vorn before = f.view.vorn();

    const QString good = dir_->filePath(QStringLiteral("saved.vorn"));
    const QString bad = unwritablePath(*dir_);
    QStringList expected;
    if (modified) {
        f.prompts.queueYesNoCancel(Answer(answer));
        expected << AskSave;
    }
    switch (SaveOutcome(save)) {
    case SaveOutcome::None:
        break;
    case SaveOutcome::Written:
        f.prompts.queueSaveFileName(good);
        expected << "save dialog";
        break;
    case SaveOutcome::Failed:
        f.prompts.queueSaveFileName(bad);
        expected << "save dialog"
                 << "error";
        break;
    case SaveOutcome::Cancelled:
        f.prompts.queueSaveFileName(std::nullopt);
        expected << "save dialog";
        break;
    }
    if (goesOn && command == "New") {
        f.prompts.queueText(QStringLiteral("Другой"));
        expected << AskName << "text";
    } else if (goesOn && command == "Load") {
        f.prompts.queueOpenFileName(std::nullopt); // the open dialog ends the command
        expected << "open dialog";
    }

    bool closed = false;
    if (command == "New")
        f.trigger("mNew");
    else if (command == "Load")
        f.trigger("mLoad");
    else if (command == "Exit")
        f.trigger("mExit");
    else
        closed = f.view.close();

    QStringList asked;
    for (const ScriptedPrompts::Asked& a : f.prompts.asked()) {
        switch (a.kind) {
        case Kind::SaveFile:
            asked << "save dialog";
            QCOMPARE(a.text, QStringLiteral("*.vorn"));
            QCOMPARE(a.startDir, f.view.vorn().StartDir);
            break;
        case Kind::OpenFile:
            asked << "open dialog";
            QCOMPARE(a.text, QStringLiteral("*.vorn"));
            break;
        case Kind::Text:
            asked << "text";
            QCOMPARE(a.text, QString()); // the input dialog has an empty caption
            break;
        case Kind::Message:
            // A failed save names its file; the other messages are quoted exactly.
            asked << (a.text.contains(bad) ? QStringLiteral("error") : a.text);
            break;
        default:
            asked << a.text;
        }
    }
    QCOMPARE(asked, expected);
    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QCOMPARE(QFile::exists(good), SaveOutcome(save) == SaveOutcome::Written);

    if (command == "close")
        QCOMPARE(closed, goesOn);
    if (command == "Exit" || command == "close") {
        QCOMPARE(f.view.isVisible(), !goesOn);
    } else if (command == "New") {
        QCOMPARE(f.view.vorn().EntryCount, goesOn ? qint16(0) : before.EntryCount);
        QCOMPARE(f.view.vorn().VornName, goesOn ? QStringLiteral("Другой") : before.VornName);
    }
    if (!goesOn)
        QCOMPARE(f.view.vorn(), before);
    f.view.hide();
}

// New empties the vorn, unlocked, and names it; a closed name dialog keeps the old name.
void TestDocument::newCommand_data() {
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("named") << false << "Сад"
                           << "Сад"
                           << "Ворн \"Сад\"";
    QTest::newRow("empty name") << false << ""
                                << ""
                                << "Ворн \"\"";
    QTest::newRow("dialog closed") << true << ""
                                   << "Зоопарк"
                                   << "Ворн \"Зоопарк\"";
}

void TestDocument::newCommand() {
    QFETCH(bool, closed);
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Fixture f;
    Vorn v = sampleCard();
    v.Password = QStringLiteral("тайна");
    f.view.adoptVorn(std::move(v)); // locked, with a password: New asks for neither
    f.view.vorn().VornPath = dir_->filePath(QStringLiteral("old.vorn"));
    f.prompts.queueText(closed ? std::nullopt : std::optional<QString>(typed));

    f.trigger("mNew");

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QCOMPARE(f.prompts.messages(), QStringList{AskName});
    const Vorn& now = f.view.vorn();
    QCOMPARE(now.VornName, name);
    QCOMPARE(f.view.windowTitle(), caption);
    QCOMPARE(now.EntryCount, qint16(0));
    QCOMPARE(now.BoxCount, qint16(0));
    QCOMPARE(now.VornPath, QString());
    QCOMPARE(now.Password, QString());
    QCOMPARE(now.Unlocked, true);
    QCOMPARE(now.Modified, false);
    QCOMPARE(f.list()->count(), 1);
    QVERIFY(!f.view.Box(0)->isVisibleTo(&f.view));
}

// --- saving -------------------------------------------------------------------------------------

void TestDocument::saveFeedback_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("knownFile"); // VornPath before, relative to the folder
    QTest::addColumn<QString>("chosen");    // the save dialog's answer; empty: not asked
    QTest::addColumn<QString>("written");   // the file that must exist afterwards
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("beeps");
    QTest::newRow("Save, known file") << "mSave"
                                      << "a.vorn"
                                      << ""
                                      << "a.vorn" << QStringList{Saved} << 0;
    QTest::newRow("Save, no file yet") << "mSave"
                                       << ""
                                       << "b.vorn"
                                       << "b.vorn" << QStringList{} << 1;
    QTest::newRow("Save as, known file") << "mSaveAs"
                                         << "a.vorn"
                                         << "c.vorn"
                                         << "c.vorn" << QStringList{} << 1;
    QTest::newRow("Save as, no extension typed") << "mSaveAs"
                                                 << ""
                                                 << "звери"
                                                 << "звери.vorn" << QStringList{} << 1;
    QTest::newRow("Save as, other extension kept") << "mSaveAs"
                                                   << ""
                                                   << "d.bak"
                                                   << "d.bak" << QStringList{} << 1;
}

void TestDocument::saveFeedback() {
    QFETCH(QString, command);
    QFETCH(QString, knownFile);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QStringList, messages);
    QFETCH(int, beeps);
    Fixture f;
    f.open(sampleCard());
    if (!knownFile.isEmpty())
        f.view.vorn().VornPath = dir_->filePath(knownFile);
    if (!chosen.isEmpty())
        f.prompts.queueSaveFileName(dir_->filePath(chosen));

    f.trigger(qPrintable(command));

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QCOMPARE(f.prompts.messages(), messages);
    QCOMPARE(f.prompts.beeps(), beeps);
    QCOMPARE(f.view.vorn().VornPath, dir_->filePath(written));
    QVERIFY(QFile::exists(dir_->filePath(written)));
    QCOMPARE(f.view.vorn().Modified, false);
    // The window stays as it was: unlocked, the name unchanged.
    QCOMPARE(f.view.vorn().Unlocked, true);
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"Зоопарк\""));
}

void TestDocument::cancelledDialogChangesNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Save as") << "mSaveAs";
    QTest::newRow("Save without a file") << "mSave";
    QTest::newRow("Load") << "mLoad";
}

void TestDocument::cancelledDialogChangesNothing() {
    QFETCH(QString, command);
    Fixture f;
    f.open(sampleCard());
    f.list()->setCurrentRow(2);
    f.view.vorn().Modified = false; // Load asks nothing, the dialog comes at once
    const Vorn before = f.view.vorn();
    const Shown screen = shown(f);
    f.prompts.queueSaveFileName(std::nullopt);
    f.prompts.queueOpenFileName(std::nullopt);

    f.trigger(qPrintable(command));

    QCOMPARE(f.prompts.asked().size(), 1);
    QVERIFY(f.prompts.messages().isEmpty());
    QCOMPARE(f.prompts.beeps(), 0);
    QCOMPARE(f.view.vorn(), before);
    QVERIFY(shown(f) == screen);
    QVERIFY(QDir(dir_->path()).isEmpty());
}

void TestDocument::saveAfterLoadAsksForFile() {
    Fixture writer;
    writer.open(sampleCard());
    const QString path = dir_->filePath(QStringLiteral("zoo.vorn"));
    writer.saveAs(path);

    Fixture f;
    f.load(path);
    QCOMPARE(f.view.vorn().VornPath, QString());
    const QString again = dir_->filePath(QStringLiteral("again.vorn"));
    f.prompts.queueSaveFileName(again);
    f.trigger("mSave");

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QCOMPARE(f.prompts.asked(Kind::SaveFile).size(), 1);
    QVERIFY(f.prompts.messages().isEmpty());
    QCOMPARE(f.view.vorn().VornPath, again);
    QVERIFY(QFile::exists(again));
}

// Everything the file holds comes back through the menu: save in one window, load in a
// fresh one.
void TestDocument::roundTrip() {
    Fixture writer;
    writer.open(sampleCard());
    writer.view.vorn().Password = QStringLiteral("пароль, \"с кавычками\"");
    const QString path = dir_->filePath(QStringLiteral("зоопарк.vorn"));
    writer.saveAs(path);
    const Vorn saved = writer.view.vorn();
    QCOMPARE(saved.Modified, false);

    Fixture f;
    f.load(path);

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QVERIFY(f.prompts.messages().isEmpty());
    const Vorn& loaded = f.view.vorn();
    compareFileFields(loaded, saved);
    QCOMPARE(loaded.Unlocked, false);
    QCOMPARE(loaded.Modified, false);
    QCOMPARE(loaded.VornPath, QString());
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"Зоопарк\""));
    QCOMPARE(f.list()->currentRow(), 0);
    QCOMPARE(f.list()->count(), 4);
    QCOMPARE(f.list()->item(2)->text(), QStringLiteral("002 Zebra, \"в полоску\""));
    for (int k = 0; k < saved.BoxCount; ++k) {
        QVERIFY(f.view.Box(k)->Locked());
        QCOMPARE(f.view.Box(k)->Data(), saved.descriptor(k + 1).DefaultValue);
    }

    // Apart from the window's own state, the two vorns are the same.
    Vorn expected = saved;
    expected.Unlocked = false;
    expected.Designing = false;
    expected.VornPath.clear();
    QCOMPARE(loaded, expected);
}

void TestDocument::failedSave_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("folder"); // the target is a folder rather than below a file
    QTest::newRow("Save, parent is a file") << "mSave" << false;
    QTest::newRow("Save, target is a folder") << "mSave" << true;
    QTest::newRow("Save as, parent is a file") << "mSaveAs" << false;
    QTest::newRow("Save as, target is a folder") << "mSaveAs" << true;
}

// A failed write says which file and why, keeps the changes marked as unsaved and keeps
// the name given, so that the next Save tries the same file.
void TestDocument::failedSave() {
    QFETCH(QString, command);
    QFETCH(bool, folder);
    Fixture f;
    f.open(sampleCard());
    QString target = dir_->filePath(QStringLiteral("folder.vorn"));
    if (folder)
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("folder.vorn")));
    else
        target = unwritablePath(*dir_);
    if (command == "mSave")
        f.view.vorn().VornPath = target;
    else
        f.prompts.queueSaveFileName(target);

    f.trigger(qPrintable(command));

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    const QStringList messages = f.prompts.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(target), qPrintable(messages[0]));
    QCOMPARE(f.prompts.beeps(), 0);
    QCOMPARE(f.view.vorn().Modified, true);
    QCOMPARE(f.view.vorn().VornPath, target);
    QCOMPARE(QFileInfo(target).isDir(), folder);
    // Nothing else was left behind in the folder (no temporary file).
    QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
}

// --- naming -------------------------------------------------------------------------------------

void TestDocument::naming_data() {
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder"); // the folder part the picture paths get
    QTest::newRow("new name") << false << "Сад" << false << 0 << "Сад"
                              << "Сад";
    QTest::newRow("changes stay unsaved") << false << "Сад" << true << 0 << "Сад"
                                          << "Сад";
    QTest::newRow("empty name") << false << "" << false << 0 << ""
                                << "";
    QTest::newRow("entry on show") << false << "Сад" << false << 3 << "Сад"
                                   << "Сад";
    QTest::newRow("dialog closed") << true << "" << false << 0 << "Зоопарк"
                                   << "Зоопарк";
}

// Naming rewrites the entries' picture paths (empty ones stay empty), not the default
// value, and leaves Modified as it was.
void TestDocument::naming() {
    QFETCH(bool, closed);
    QFETCH(QString, typed);
    QFETCH(bool, modified);
    QFETCH(int, selected);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    Fixture f;
    Vorn v = sampleCard();
    v.descriptor(4).DefaultValue = QStringLiteral(".\\Зоопарк\\нет.png");
    f.open(std::move(v), modified);
    f.list()->setCurrentRow(selected);
    f.view.vorn().Modified = modified;
    f.prompts.queueText(closed ? std::nullopt : std::optional<QString>(typed));

    f.trigger("mNaming");

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QCOMPARE(f.prompts.asked(Kind::Text).constFirst().text, QString());
    const Vorn& now = f.view.vorn();
    QCOMPARE(now.VornName, name);
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"%1\"").arg(name));
    const QString prefix = QStringLiteral(".\\") + folder + QLatin1Char('\\');
    QCOMPARE(now.value(1, 4), prefix + QStringLiteral("ёж.png"));
    QCOMPARE(now.value(2, 4), QString());
    QCOMPARE(now.value(3, 4), prefix + QStringLiteral("лиса.bmp"));
    QCOMPARE(now.descriptor(4).DefaultValue, QStringLiteral(".\\Зоопарк\\нет.png"));
    QCOMPARE(now.value(1, 1), QStringLiteral("Ёжик")); // other boxes untouched
    QCOMPARE(now.Modified, modified);
    // The box on show holds what the vorn holds.
    const QString showing = selected == 0 ? now.descriptor(4).DefaultValue : now.value(selected, 4);
    QCOMPARE(f.view.Box(3)->Data(), showing);
}

// --- loading ------------------------------------------------------------------------------------

void TestDocument::oldFileUpgraded_data() {
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("name");
    QTest::newRow("named zoo") << false << "zoo";
    QTest::newRow("named in Cyrillic") << false << "Зверинец";
    QTest::newRow("dialog closed keeps the name") << true << "New";
}

void TestDocument::oldFileUpgraded() {
    QFETCH(bool, closed);
    QFETCH(QString, name);
    const QString path = dir_->filePath(QStringLiteral("old.vorn"));
    QVERIFY(writeLines(path, oldLayoutLines({"cat.bmp", "", "ёж.png"})));
    Fixture f;
    f.prompts.queueText(closed ? std::nullopt : std::optional<QString>(name));

    f.load(path);

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QCOMPARE(f.prompts.messages(), QStringList{OldFormat});
    QCOMPARE(f.prompts.asked(Kind::Text).constFirst().text, QString());
    // The message comes before the name is asked for.
    QCOMPARE(f.prompts.asked().last().kind, Kind::Text);
    const Vorn& v = f.view.vorn();
    QCOMPARE(v.VornName, name);
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"%1\"").arg(name));
    QCOMPARE(v.EntryCount, qint16(3));
    QCOMPARE(v.value(1, 1), QStringLiteral(".\\%1\\cat.bmp").arg(name));
    QCOMPARE(v.value(2, 1), QString());
    QCOMPARE(v.value(3, 1), QStringLiteral(".\\%1\\ёж.png").arg(name));
    QCOMPARE(v.value(1, 2), QStringLiteral("зверь 1"));                   // not a picture box
    QCOMPARE(v.descriptor(1).DefaultValue, QStringLiteral("дефолт.bmp")); // not an entry
    QCOMPARE(v.Unlocked, false);
    QCOMPARE(v.Modified, false);
    QCOMPARE(v.VornPath, QString());
}

void TestDocument::failedLoad_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes"); // written to file unless it is "missing"
    QTest::newRow("missing") << "missing.vorn" << QByteArray();
    QTest::newRow("a folder") << "folder" << QByteArray();
    QTest::newRow("empty") << "empty.vorn" << QByteArray("");
    QTest::newRow("counts beyond the tables")
        << "big.vorn"
        << (QStringList{str("version ") + num(1), str("big"), num(51), num(0)}
                .join(QStringLiteral("\r\n"))
                .toLatin1() +
            "\r\n");
    QTest::newRow("counts unreadable")
        << "text.vorn" << QByteArray("version_#1\r\nname\r\nmany\r\nfew\r\n");
    QTest::newRow("old layout, damaged counts") << "old.vorn" << QByteArray("#3\r\n#x\r\n");
    QRandomGenerator random(20240601);
    QByteArray noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random.bounded(256));
    QTest::newRow("random bytes") << "noise.vorn" << noise;
}

// A file that cannot be read is reported, naming the file, and the open vorn stays exactly
// as it was, its file name included: nothing is emptied and no name is asked for.
void TestDocument::failedLoad() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    const QString path = dir_->filePath(file);
    if (file == "folder") {
        QVERIFY(QDir(dir_->path()).mkdir(file));
    } else if (file != "missing.vorn") {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    Fixture f;
    f.open(sampleCard(), false);
    f.list()->setCurrentRow(1);
    f.view.vorn().VornPath = dir_->filePath(QStringLiteral("mine.vorn"));
    f.view.vorn().Modified = false;
    const Vorn before = f.view.vorn();
    const Shown screen = shown(f);

    f.load(path);

    VERIFY_ALL_ANSWERS_USED(f.prompts);
    const QStringList messages = f.prompts.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(path), qPrintable(messages[0]));
    QVERIFY(f.prompts.asked(Kind::Text).isEmpty());
    QCOMPARE(f.view.vorn(), before);
    QVERIFY(shown(f) == screen);
    QCOMPARE(f.view.vorn().Unlocked, true);
}

// A file with some unreadable values still loads; the user is told how many were lost.
void TestDocument::damagedValuesWarn() {
    Fixture writer;
    writer.open(sampleCard());
    const QString path = dir_->filePath(QStringLiteral("zoo.vorn"));
    writer.saveAs(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    // Lines 33 and 34 hold the first entry's title and note: spoil both.
    const int title = 6 + 6 * 4 + 2; // 0-based index of the first entry line
    QCOMPARE(lines[title].trimmed(), Scrim::EncodeStr(QStringLiteral("Ёжик")).toLatin1());
    lines[title] = "%ZZ\r";
    lines[title + 1] = "bad value\r";
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join('\n'));
    file.close();

    Fixture f;
    f.load(path);

    QCOMPARE(f.prompts.messages(),
             QStringList{"Файл повреждён: не удалось прочитать значений: 2. Они оставлены "
                         "пустыми."});
    QCOMPARE(f.view.vorn().EntryCount, qint16(3));
    QCOMPARE(f.view.vorn().value(1, 1), QString());
    QCOMPARE(f.view.vorn().value(1, 2), QString());
    QCOMPARE(f.view.vorn().value(1, 3), QStringLiteral("\x0bмолоко\x0bгрибы"));
    QCOMPARE(f.view.vorn().Unlocked, false);
}

void TestDocument::fileFromCommandLine_data() {
    QTest::addColumn<bool>("readable");
    QTest::newRow("readable") << true;
    QTest::newRow("missing") << false;
}

// A file named at start-up opens as Load opens it, without a question; one that cannot be
// read leaves the new empty vorn of a plain start.
void TestDocument::fileFromCommandLine() {
    QFETCH(bool, readable);
    const QString path = dir_->filePath(QStringLiteral("start.vorn"));
    Vorn saved;
    if (readable) {
        Fixture writer;
        writer.open(sampleCard());
        writer.saveAs(path);
        saved = writer.view.vorn();
    }
    Fixture plain;
    Fixture f;

    QCOMPARE(f.view.loadVornFile(path), readable);

    QVERIFY(f.prompts.asked(Kind::YesNoCancel).isEmpty());
    QVERIFY(f.prompts.asked(Kind::OpenFile).isEmpty());
    if (readable) {
        QVERIFY(f.prompts.asked().isEmpty());
        compareFileFields(f.view.vorn(), saved);
        QCOMPARE(f.view.vorn().Unlocked, false);
        QCOMPARE(f.view.vorn().VornPath, QString());
        QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"Зоопарк\""));
    } else {
        QCOMPARE(f.prompts.messages().size(), 1);
        QVERIFY(f.prompts.messages().constFirst().contains(path));
        QCOMPARE(f.view.vorn(), plain.view.vorn());
        QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"New\""));
    }
    QCOMPARE(f.view.vorn().Modified, false);
}

// --- the instructions window -------------------------------------------------------------------

void TestDocument::readmeWindow() {
    Fixture f;
    QAction* item = f.action("mReadme");
    QVERIFY(item);
    QVERIFY(item->isVisible());
    const QString path = ReadmeWindow::locate(ReadmeWindow::candidates());
    QVERIFY2(!path.isEmpty(), qPrintable(ReadmeWindow::candidates().join(", ")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(file.readAll());

    item->trigger();
    item->trigger(); // a second time brings the same window forward

    QVERIFY(f.prompts.asked().isEmpty());
    const QList<ReadmeWindow*> windows = f.view.findChildren<ReadmeWindow*>();
    QCOMPARE(windows.size(), 1);
    ReadmeWindow* window = windows.constFirst();
    QCOMPARE(window->objectName(), QStringLiteral("ReadmeWindow"));
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QVERIFY(window->textView()->isReadOnly());
    QCOMPARE(window->textView()->toPlainText(), text);
    // Typing changes nothing.
    window->textView()->setFocus();
    QTest::keyClicks(window->textView(), "xyz");
    QCOMPARE(window->textView()->toPlainText(), text);
    window->close();
}

void TestDocument::readmeLookup() {
    const QString first = dir_->filePath(QStringLiteral("a/Readme.txt"));
    const QString second = dir_->filePath(QStringLiteral("b/Readme.txt"));
    QCOMPARE(ReadmeWindow::locate({first, second}), QString());
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("b")));
    QVERIFY(writeLines(second, {"b"}));
    QCOMPARE(ReadmeWindow::locate({first, second}), second);
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("a/Readme.txt"))); // a folder, not a file
    QCOMPARE(ReadmeWindow::locate({first, second}), second);

    ReadmeWindow window;
    QString error;
    QVERIFY(!window.load(first, &error));
    QVERIFY2(error.contains(first), qPrintable(error));
    QVERIFY(window.load(second, &error));
    QCOMPARE(window.textView()->toPlainText(), QStringLiteral("b\n"));
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
