#include "documentpart.h"

#include "cardboxes.h"
#include "csvimport.h"
#include "documenttexts.h"
#include "prompts.h"
#include "readmewindow.h"
#include "savename.h"
#include "viewprocedures.h"
#include "vornfile.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

DocumentPart::DocumentPart(QWidget* window, QMenu* menu, QAction* anchor, QAction* readme,
                           Vorn& vorn, Prompts& prompts, CardBoxes& boxes, ViewProcedures& view)
    : QObject(window), window_(window), vorn_(vorn), prompts_(prompts), boxes_(boxes), view_(view) {
    setObjectName(QStringLiteral("DocumentPart"));
    const auto add = [this, menu](const char* name, const QString& caption,
                                  QKeySequence::StandardKey key, auto handler) {
        auto* action = new QAction(caption, menu);
        action->setObjectName(QLatin1String(name));
        if (key != QKeySequence::UnknownKey)
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    for (QAction* action :
         {add("mNew", DocumentText::MenuNew, QKeySequence::New, [this] { onNew(); }),
          add("mSave", DocumentText::MenuSave, QKeySequence::Save, [this] { onSave(); }),
          add("mSaveAs", DocumentText::MenuSaveAs, QKeySequence::SaveAs, [this] { onSaveAs(); }),
          add("mLoad", DocumentText::MenuLoad, QKeySequence::Open, [this] { onLoad(); }),
          add("mImport", DocumentText::MenuImport, QKeySequence::UnknownKey,
              [this] { onImport(); }),
          add("mNaming", DocumentText::MenuNaming, QKeySequence::UnknownKey,
              [this] { askVornName(); })})
        menu->insertAction(anchor, action);
    // The question is asked by the window's close event, which its close button runs too.
    menu->addAction(
        add("mExit", DocumentText::MenuExit, QKeySequence::Quit, [this] { window_->close(); }));

    readme->setVisible(true);
    connect(readme, &QAction::triggered, this, [this] { onReadme(); });
}

// --- the unsaved-changes question -----------------------------------------------------------

bool DocumentPart::changesSettled() {
    if (!vorn_.Modified)
        return true;
    switch (prompts_.askYesNoCancel(DocumentText::AskSaveChanges)) {
    case Prompts::Answer::Yes:
        // Going on after a save that failed or whose dialog was cancelled would throw away
        // the very changes the user just asked to keep: the command stops then.
        onSave();
        return !vorn_.Modified;
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
}

// --- commands ---------------------------------------------------------------------------------

void DocumentPart::onNew() {
    if (!changesSettled())
        return;
    view_.Reset();
    prompts_.message(DocumentText::AskName);
    // A closed name dialog keeps the old name on the now empty vorn.
    askVornName();
}

void DocumentPart::onSave() {
    if (vorn_.VornPath.isEmpty()) {
        onSaveAs();
        return;
    }
    if (writeVornFile(vorn_.VornPath))
        prompts_.message(DocumentText::Saved);
}

void DocumentPart::onSaveAs() {
    const std::optional<QString> chosen =
        prompts_.saveFileName(DocumentText::VornPattern, vorn_.StartDir);
    if (!chosen)
        return;
    // Kept even when the write fails, so that Save tries the same file again.
    vorn_.VornPath = withSuffix(*chosen, DocumentText::VornSuffix);
    if (writeVornFile(vorn_.VornPath))
        prompts_.beep();
}

bool DocumentPart::writeVornFile(const QString& path) {
    view_.GetFormat();
    QString error;
    if (!SaveTo(path, vorn_, &error)) {
        prompts_.message(error);
        return false;
    }
    vorn_.Modified = false; // what is on disk is what the vorn holds
    return true;
}

void DocumentPart::onLoad() {
    if (!changesSettled())
        return;
    const std::optional<QString> chosen =
        prompts_.openFileName(DocumentText::VornPattern, vorn_.StartDir);
    if (chosen)
        loadVornFile(*chosen);
}

bool DocumentPart::loadVornFile(const QString& path) {
    // An old file has no name of its own; the user gives it one before its pictures are
    // moved under that name. A closed dialog keeps the name the vorn has now.
    const OldFileNamer namer = [this] {
        prompts_.message(DocumentText::OldFormat);
        const std::optional<QString> name = prompts_.askText(QString());
        return name ? *name : vorn_.VornName;
    };
    LoadResult result = LoadFrom(path, vorn_, namer);
    if (!result.vorn) {
        prompts_.message(result.error);
        return false;
    }
    view_.adoptVorn(std::move(*result.vorn));
    if (result.skippedFields > 0)
        prompts_.message(DocumentText::SkippedFields.arg(result.skippedFields));
    return true;
}

void DocumentPart::onImport() {
    if (!changesSettled())
        return;
    const std::optional<QString> chosen =
        prompts_.openFileName(DocumentText::TablePatterns, vorn_.StartDir);
    if (!chosen)
        return;
    // The layout is made for the boxes this window shows, so none of them overlap.
    CsvImport::Result result = CsvImport::importFile(
        *chosen, [this](const BoxDescriptor& d) { return boxes_.measure(d); });
    if (!result.vorn) {
        prompts_.message(result.error);
        return;
    }
    view_.adoptImported(std::move(*result.vorn));
    if (!result.message.isEmpty())
        prompts_.message(result.message);
}

bool DocumentPart::askVornName() {
    const std::optional<QString> name = prompts_.askText(QString());
    if (!name)
        return false;
    vorn_.VornName = *name;
    view_.refreshCaption();
    vorn_.renamePictures(*name);
    // The entry on show may hold a renamed picture path. Showing it again is not an edit:
    // naming leaves Modified as it was.
    if (view_.listIndex() > 0) {
        const CardBoxes::Quiet quiet(boxes_);
        boxes_.showValues(vorn_, view_.listIndex());
    }
    return true;
}

void DocumentPart::onReadme() {
    const QStringList places = ReadmeWindow::candidates();
    const QString path = ReadmeWindow::locate(places);
    if (path.isEmpty()) {
        prompts_.message(DocumentText::ReadmeMissing.arg(places.join(QLatin1Char('\n'))));
        return;
    }
    if (!readme_)
        readme_ = new ReadmeWindow(window_);
    QString error;
    if (!readme_->load(path, &error)) {
        prompts_.message(error);
        return;
    }
    readme_->show();
    readme_->raise();
    readme_->activateWindow();
}
