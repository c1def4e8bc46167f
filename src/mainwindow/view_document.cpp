// The commands on the vorn as a whole: new, save, save as, load, name, exit, and the
// window with the user instructions.
#include "documenttexts.h"
#include "prompts.h"
#include "readmewindow.h"
#include "view.h"
#include "vornfile.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

namespace {
// The save dialog's answer with ".vorn" added when the user typed no extension, so the
// file shows up under the pattern when it is looked for again.
QString withVornSuffix(const QString& chosen) {
    if (!QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    if (chosen.endsWith(QLatin1Char('.')))
        return chosen + DocumentText::VornSuffix.mid(1);
    return chosen + DocumentText::VornSuffix;
}
} // namespace

void View::buildDocumentMenu() {
    const auto add = [this](const char* name, const QString& caption, QKeySequence::StandardKey key,
                            auto handler) {
        auto* action = new QAction(caption, mVorn_);
        action->setObjectName(QLatin1String(name));
        if (key != QKeySequence::UnknownKey)
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mNew_ = add("mNew", DocumentText::MenuNew, QKeySequence::New, [this] { onNew(); });
    mSave_ = add("mSave", DocumentText::MenuSave, QKeySequence::Save, [this] { onSave(); });
    mSaveAs_ =
        add("mSaveAs", DocumentText::MenuSaveAs, QKeySequence::SaveAs, [this] { onSaveAs(); });
    mLoad_ = add("mLoad", DocumentText::MenuLoad, QKeySequence::Open, [this] { onLoad(); });
    mNaming_ = add("mNaming", DocumentText::MenuNaming, QKeySequence::UnknownKey,
                   [this] { askVornName(); });
    for (QAction* action : {mNew_, mSave_, mSaveAs_, mLoad_, mNaming_})
        mVorn_->insertAction(outputAnchor_, action);
    mExit_ = add("mExit", DocumentText::MenuExit, QKeySequence::Quit, [this] { onExit(); });
    mVorn_->addAction(mExit_);

    mReadme_->setVisible(true);
    connect(mReadme_, &QAction::triggered, this, [this] { onReadme(); });
}

// --- the unsaved-changes question ---------------------------------------------------------

bool View::changesSettled() {
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

void View::closeEvent(QCloseEvent* event) {
    if (changesSettled())
        event->accept();
    else
        event->ignore();
}

// --- commands ------------------------------------------------------------------------------

void View::onNew() {
    if (!changesSettled())
        return;
    Reset();
    prompts_.message(DocumentText::AskName);
    // A closed name dialog keeps the old name on the now empty vorn.
    askVornName();
}

void View::onSave() {
    if (vorn_.VornPath.isEmpty()) {
        onSaveAs();
        return;
    }
    if (writeVornFile(vorn_.VornPath))
        prompts_.message(DocumentText::Saved);
}

void View::onSaveAs() {
    const std::optional<QString> chosen =
        prompts_.saveFileName(DocumentText::VornPattern, vorn_.StartDir);
    if (!chosen)
        return;
    // Kept even when the write fails, so that Save tries the same file again.
    vorn_.VornPath = withVornSuffix(*chosen);
    if (writeVornFile(vorn_.VornPath))
        prompts_.beep();
}

bool View::writeVornFile(const QString& path) {
    GetFormat();
    QString error;
    if (!SaveTo(path, vorn_, &error)) {
        prompts_.message(error);
        return false;
    }
    vorn_.Modified = false;
    return true;
}

void View::onLoad() {
    if (!changesSettled())
        return;
    const std::optional<QString> chosen =
        prompts_.openFileName(DocumentText::VornPattern, vorn_.StartDir);
    if (!chosen)
        return;
    loadVornFile(*chosen);
}

bool View::loadVornFile(const QString& path) {
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
    adoptVorn(std::move(*result.vorn));
    if (result.skippedFields > 0)
        prompts_.message(DocumentText::SkippedFields.arg(result.skippedFields));
    return true;
}

bool View::askVornName() {
    const std::optional<QString> name = prompts_.askText(QString());
    if (!name)
        return false;
    vorn_.VornName = *name;
    refreshCaption();
    vorn_.renamePictures(*name);
    // The entry on show may hold a renamed picture path. Showing it again is not an edit:
    // naming leaves Modified as it was.
    if (listIndex() > 0) {
        const bool suppressed = suppressStore_;
        suppressStore_ = true;
        showValues(listIndex());
        suppressStore_ = suppressed;
    }
    return true;
}

void View::onExit() {
    // The question is asked by closeEvent, which the window's own close button runs too.
    close();
}

void View::onReadme() {
    const QStringList places = ReadmeWindow::candidates();
    const QString path = ReadmeWindow::locate(places);
    if (path.isEmpty()) {
        prompts_.message(DocumentText::ReadmeMissing.arg(places.join(QLatin1Char('\n'))));
        return;
    }
    if (!readme_)
        readme_ = new ReadmeWindow(this);
    QString error;
    if (!readme_->load(path, &error)) {
        prompts_.message(error);
        return;
    }
    readme_->show();
    readme_->raise();
    readme_->activateWindow();
}
