#include "readmewindow.h"

#include "documenttexts.h"
#include "fileerrors.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The instructions are written for a text editor's window of this many columns.
constexpr int Columns = 80;
constexpr int Lines = 40;
} // namespace

ReadmeWindow::ReadmeWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReadmeWindow"));
    setWindowTitle(DocumentText::ReadmeTitle);
    // Beside the main window, not in front of it: the user reads while working.
    setModal(false);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("ReadmeText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setAccessibleName(DocumentText::ReadmeTitle);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(DocumentText::ReadmeClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);

    // Wide enough for the file's lines and a good part of its length, never larger than
    // the screen.
    const QFontMetrics metrics(text_->font());
    const int frame =
        2 * text_->frameWidth() + 2 * static_cast<int>(text_->document()->documentMargin());
    QSize wanted(metrics.horizontalAdvance(QLatin1Char('M')) * Columns + frame +
                     text_->verticalScrollBar()->sizeHint().width(),
                 metrics.lineSpacing() * Lines + frame);
    wanted += QSize(layout->contentsMargins().left() + layout->contentsMargins().right(),
                    layout->contentsMargins().top() + layout->contentsMargins().bottom() +
                        layout->spacing() + buttons->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        wanted = wanted.boundedTo(room);
    }
    resize(wanted);
}

QStringList ReadmeWindow::candidates() {
    QStringList paths{QCoreApplication::applicationDirPath() +
                      QStringLiteral("/../share/tessavorn/Readme.txt")};
#ifdef TESSAVORN_SOURCE_DIR
    paths << QStringLiteral(TESSAVORN_SOURCE_DIR "/data/Readme.txt");
#endif
    for (QString& path : paths)
        path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return paths;
}

QString ReadmeWindow::locate(const QStringList& paths) {
    const auto found = std::find_if(paths.begin(), paths.end(),
                                    [](const QString& path) { return QFileInfo(path).isFile(); });
    return found == paths.end() ? QString() : *found;
}

bool ReadmeWindow::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = FileErrors::openFailed(file);
        return false;
    }
    text_->setPlainText(QString::fromUtf8(file.readAll()));
    return true;
}
