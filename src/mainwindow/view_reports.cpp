// The output order of the boxes, the text exports and the counting commands over the
// title values.
#include "view.h"

#include "counting.h"
#include "exporttext.h"
#include "orderdialog.h"
#include "prompts.h"
#include "textfile.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {
namespace Text {
const QString BoxOrder = QStringLiteral("Порядок для вывода");
const QString ToFile = QStringLiteral("Вывод в файл");
const QString ShortList = QStringLiteral("Краткий список");
const QString LongList = QStringLiteral("Детальный список");
const QString ThisEntry = QStringLiteral("Эту запись");
const QString Count = QStringLiteral("Вхождения");
const QString Empty = QStringLiteral("Пустые");
const QString Full = QStringLiteral("Непустые");
const QString Stats = QStringLiteral("Отчёт");
} // namespace Text

const QString TextPattern = QStringLiteral("*.txt");

QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}
} // namespace

void View::buildReportMenus() {
    // Between the two separators of «Ворн»: the output order, then the export submenu.
    auto* boxOrder = new QAction(Text::BoxOrder, mVorn_);
    boxOrder->setObjectName(QStringLiteral("mBoxOrder"));
    mVorn_->insertAction(exitAnchor_, boxOrder);
    connect(boxOrder, &QAction::triggered, this, [this] { onBoxOrder(); });

    auto* toFile = new QMenu(Text::ToFile, mVorn_);
    toFile->setObjectName(QStringLiteral("mToFile"));
    mVorn_->insertMenu(exitAnchor_, toFile);
    connect(addItem(toFile, "mShortList", Text::ShortList), &QAction::triggered, this,
            [this] { onShortList(); });
    connect(addItem(toFile, "mLongList", Text::LongList), &QAction::triggered, this,
            [this] { onLongList(); });
    connect(addItem(toFile, "mThisEntry", Text::ThisEntry), &QAction::triggered, this,
            [this] { onThisEntry(); });

    connect(addItem(mCounting_, "mCount", Text::Count), &QAction::triggered, this,
            [this] { onCount(); });
    connect(addItem(mCounting_, "mEmpty", Text::Empty), &QAction::triggered, this,
            [this] { onEmpty(); });
    connect(addItem(mCounting_, "mFull", Text::Full), &QAction::triggered, this,
            [this] { onFull(); });
    connect(addItem(mCounting_, "mStats", Text::Stats), &QAction::triggered, this,
            [this] { onStats(); });
}

// --- output order -------------------------------------------------------------------------

OrderDialog* View::orderDialog() {
    if (!orderen_)
        orderen_ = new OrderDialog(this);
    return orderen_;
}

void View::onBoxOrder() {
    GetFormat(); // the dialog lists the headers as the boxes show them now
    OrderDialog* dialog = orderDialog();
    dialog->GetOrder(vorn_);
    // Closed through its frame: the user walked away from the edit, so it is dropped.
    if (!dialog->Accepted)
        return;
    // Only the output order and the Tab order change; the vorn is not marked modified.
    dialog->applyOrder(vorn_);
    chainTabOrder();
}

// --- text export --------------------------------------------------------------------------

void View::exportToFile(const QString& text, const QString& doneMessage) {
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

void View::onShortList() {
    GetFormat();
    exportToFile(Export::shortList(vorn_), Export::ShortListDone);
}

void View::onLongList() {
    GetFormat();
    OrderDialog* dialog = orderDialog();
    dialog->GetFields(vorn_);
    if (!dialog->Accepted)
        return;
    exportToFile(Export::detailedList(vorn_, dialog->selectedPositions()),
                 Export::DetailedListDone);
}

void View::onThisEntry() {
    GetFormat();
    // The card item shows no entry: there is nothing to write, so no file is asked for.
    const std::optional<QString> text = Export::thisEntry(vorn_, listIndex());
    if (!text)
        return;
    exportToFile(*text, Export::ThisEntryDone);
}

// --- counting -----------------------------------------------------------------------------

bool View::hasTitleBox() const {
    return vorn_.TitleBox >= 1 &&
           vorn_.TitleBox <= std::min<int>(vorn_.BoxCount, VornLimits::MaxBoxes);
}

void View::onCount() {
    if (!hasTitleBox())
        return;
    const std::optional<QString> query = prompts_.askText(QString());
    if (!query)
        return; // closed through its frame: nothing to count
    if (const std::optional<QString> text = Counting::occurrencesMessage(vorn_, *query))
        prompts_.message(*text);
}

void View::onEmpty() {
    if (const std::optional<QString> text = Counting::emptyMessage(vorn_))
        prompts_.message(*text);
}

void View::onFull() {
    if (const std::optional<QString> text = Counting::fullMessage(vorn_))
        prompts_.message(*text);
}

void View::onStats() {
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
