#include "reportspart.h"

#include "counting.h"
#include "csvexport.h"
#include "exporttext.h"
#include "orderdialog.h"
#include "prompts.h"
#include "textfile.h"
#include "viewprocedures.h"
#include "viewtexts.h"
#include "vornhistory.h"

#include <QAction>
#include <QMenu>

namespace {
namespace Text {
const QString BoxOrder = QStringLiteral("Порядок для вывода");
const QString ToFile = QStringLiteral("Вывод в файл");
const QString ShortList = QStringLiteral("Краткий список");
const QString LongList = QStringLiteral("Детальный список");
const QString ThisEntry = QStringLiteral("Эту запись");
const QString Csv = QStringLiteral("Таблица CSV");
const QString Count = QStringLiteral("Вхождения");
const QString Empty = QStringLiteral("Пустые");
const QString Full = QStringLiteral("Непустые");
const QString Stats = QStringLiteral("Отчёт");
} // namespace Text

const QString TextPattern = QStringLiteral("*.txt");
const QString CsvPattern = QStringLiteral("*.csv");

template <class Handler>
QAction* addItem(QMenu* menu, const char* name, const QString& caption, QObject* context,
                 Handler handler) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, context, handler);
    return action;
}
} // namespace

ReportsPart::ReportsPart(QWidget* window, QMenu* menu, QAction* anchor, QMenu* counting, Vorn& vorn,
                         Prompts& prompts, VornHistory& history, ViewProcedures& view)
    : QObject(window), window_(window), vorn_(vorn), prompts_(prompts), history_(history),
      view_(view) {
    setObjectName(QStringLiteral("ReportsPart"));
    auto* boxOrder = new QAction(Text::BoxOrder, menu);
    boxOrder->setObjectName(QStringLiteral("mBoxOrder"));
    menu->insertAction(anchor, boxOrder);
    connect(boxOrder, &QAction::triggered, this, [this] { onBoxOrder(); });

    auto* toFile = new QMenu(Text::ToFile, menu);
    toFile->setObjectName(QStringLiteral("mToFile"));
    menu->insertMenu(anchor, toFile);
    addItem(toFile, "mShortList", Text::ShortList, this, [this] {
        view_.GetFormat();
        exportToFile(Export::shortList(vorn_), Export::ShortListDone);
    });
    addItem(toFile, "mLongList", Text::LongList, this, [this] { onLongList(); });
    addItem(toFile, "mThisEntry", Text::ThisEntry, this, [this] { onThisEntry(); });
    addItem(toFile, "mCsv", Text::Csv, this, [this] { onCsv(); });

    const auto show = [this](const std::optional<QString>& text) {
        if (text)
            prompts_.message(*text);
    };
    addItem(counting, "mCount", Text::Count, this, [this] { onCount(); });
    addItem(counting, "mEmpty", Text::Empty, this,
            [this, show] { show(Counting::emptyMessage(vorn_)); });
    addItem(counting, "mFull", Text::Full, this,
            [this, show] { show(Counting::fullMessage(vorn_)); });
    addItem(counting, "mStats", Text::Stats, this, [this] { onStats(); });
}

// --- output order ---------------------------------------------------------------------------

OrderDialog* ReportsPart::orderDialog() {
    if (!orderen_)
        orderen_ = new OrderDialog(window_);
    return orderen_;
}

void ReportsPart::onBoxOrder() {
    view_.GetFormat();
    OrderDialog* dialog = orderDialog();
    dialog->GetOrder(vorn_);
    // Closed through its frame: the user walked away from the edit, so it is dropped.
    if (!dialog->Accepted)
        return;
    // Only the output order and the Tab order change; the vorn is not marked modified.
    const VornHistory::Step step(history_, StepText::OutputOrder);
    dialog->applyOrder(vorn_);
    Q_EMIT orderChanged();
}

// --- text export ------------------------------------------------------------------------------

void ReportsPart::exportToFile(const QString& text, const QString& doneMessage) {
    const std::optional<QString> path = prompts_.saveFileName(TextPattern, vorn_.StartDir);
    if (!path)
        return;
    QString error;
    if (!TextFile::save(*path, text, &error)) {
        prompts_.message(error);
        return;
    }
    prompts_.message(doneMessage);
}

void ReportsPart::onLongList() {
    view_.GetFormat();
    OrderDialog* dialog = orderDialog();
    dialog->GetFields(vorn_);
    if (!dialog->Accepted)
        return;
    exportToFile(Export::detailedList(vorn_, dialog->selectedPositions()),
                 Export::DetailedListDone);
}

void ReportsPart::onThisEntry() {
    view_.GetFormat();
    // The card item shows no entry: there is nothing to write, so no file is asked for.
    if (const std::optional<QString> text = Export::thisEntry(vorn_, view_.listIndex()))
        exportToFile(*text, Export::ThisEntryDone);
}

void ReportsPart::onCsv() {
    view_.GetFormat();
    const std::optional<QString> path = prompts_.saveFileName(CsvPattern, vorn_.StartDir);
    if (!path)
        return;
    QString error;
    if (!CsvExport::saveTo(*path, vorn_, &error)) {
        prompts_.message(error);
        return;
    }
    prompts_.message(Export::ShortListDone); // the same words as after the short list
}

// --- counting -----------------------------------------------------------------------------------

void ReportsPart::onCount() {
    if (!vorn_.hasTitle())
        return;
    const std::optional<QString> query = prompts_.askText(QString());
    if (!query)
        return; // closed through its frame: nothing to count
    if (const std::optional<QString> text = Counting::occurrencesMessage(vorn_, *query))
        prompts_.message(*text);
}

void ReportsPart::onStats() {
    const std::optional<QString> report = Counting::statsReport(vorn_);
    if (!report || !prompts_.askYesNo(*report, Counting::ReportTitle))
        return;
    // A save dialog: the report usually goes into a new file, which an open dialog cannot name.
    const std::optional<QString> path = prompts_.saveFileName(TextPattern, vorn_.StartDir);
    if (!path)
        return;
    QString error;
    if (!Counting::saveReport(*path, *report, &error))
        prompts_.message(error);
}
