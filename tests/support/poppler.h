#pragma once

// A PDF read back with poppler's tools (pdfinfo, pdftotext, pdftoppm), as a user's viewer
// would show it.
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

namespace Poppler {

// What a poppler tool prints for args; fails the test when the tool is missing or fails.
inline QString run(const QString& tool, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        QTest::qFail(qPrintable(tool + QStringLiteral(" is missing: run scripts/install-deps")),
                     __FILE__, __LINE__);
        return {};
    }
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        QTest::qFail(qPrintable(tool + QStringLiteral(" failed: ") +
                                QString::fromUtf8(process.readAllStandardError())),
                     __FILE__, __LINE__);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

inline QString pageSize(const QString& pdf) {
    const QRegularExpression size(QStringLiteral("Page size:\\s+([^\\n]*)"));
    return size.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1);
}

// The text of the PDF with every run of blanks and line breaks as one space.
inline QString textOf(const QString& pdf) {
    return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
}

} // namespace Poppler
