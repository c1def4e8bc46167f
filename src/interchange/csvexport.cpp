#include "csvexport.h"

#include "csvtexts.h"

#include "fileerrors.h"
#include "savetarget.h"

#include <QIODevice>

#include <algorithm>
#include <utility>

namespace {

constexpr QChar Separator = u',';
constexpr QChar Quote = u'"';
constexpr QChar Lf = u'\n';
constexpr QChar Cr = u'\r';
const QString RowEnd = QStringLiteral("\r\n");
constexpr QChar ByteOrderMark = QChar::ByteOrderMark;

enum class Quoting { AsNeeded, Always };

// Appends cell to out, quoted when it holds a comma, a quote or a line break (or always),
// with quotes doubled and every line break (CR LF, a lone CR or LF) as LF, as values typed
// here hold them. One pass to decide, one to copy: the export of a full vorn is a few
// megabytes of cells.
void appendCell(QString& out, QStringView cell, Quoting quoting) {
    const bool quoted =
        quoting == Quoting::Always || std::any_of(cell.begin(), cell.end(), [](QChar c) {
            return c == Separator || c == Quote || c == Lf || c == Cr;
        });
    if (!quoted) {
        out += cell;
        return;
    }
    out += Quote;
    qsizetype from = 0; // start of the run not yet copied
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] == Quote) {
            out += cell.sliced(from, i + 1 - from);
            out += Quote;
            from = i + 1;
        } else if (cell[i] == Cr) {
            out += cell.sliced(from, i - from);
            out += Lf;
            if (i + 1 < cell.size() && cell[i + 1] == Lf)
                ++i;
            from = i + 1;
        }
    }
    out += cell.sliced(from);
    out += Quote;
}

// A list cell: the items one per line. Text in front of the first separator is kept as an
// item too (the list box shows it as one), so no part of a value is lost.
QString listCell(const QString& value) {
    QString items = value.startsWith(ListSeparator) ? value.sliced(1) : value;
    items.replace(ListSeparator, Lf);
    return items;
}

} // namespace

namespace CsvExport {

QByteArray exportVorn(const Vorn& vorn) {
    const std::vector<int> boxes = vorn.outputSequence();
    const int entries = vorn.usedEntries();
    QString text(ByteOrderMark); // the mark that tells spreadsheet programs the file is UTF-8
    bool first = true;
    for (const int j : boxes) {
        if (!std::exchange(first, false))
            text += Separator;
        // A reader that guesses the separator from the first row (ours does) must not take
        // a semicolon or tab in a header for one.
        const QString& header = vorn.descriptor(j).Header;
        const bool looksLikeSeparator = header.contains(u';') || header.contains(u'\t');
        appendCell(text, header, looksLikeSeparator ? Quoting::Always : Quoting::AsNeeded);
    }
    text += RowEnd;
    for (int p = 1; p <= entries; ++p) {
        first = true;
        for (const int j : boxes) {
            if (!std::exchange(first, false))
                text += Separator;
            const QString value = vorn.value(p, j);
            if (vorn.descriptor(j).Type == BoxKind::List)
                appendCell(text, listCell(value),
                           value.isEmpty() ? Quoting::AsNeeded : Quoting::Always);
            else
                appendCell(text, value, Quoting::AsNeeded);
        }
        text += RowEnd;
    }
    return text.toUtf8();
}

bool saveTo(const QString& path, const Vorn& vorn, QString* error) {
    const QByteArray bytes = exportVorn(vorn);
    const SaveTarget::Outcome saved =
        SaveTarget::save(path, [&bytes](QIODevice& device, QString* reason) {
            if (device.write(bytes) == bytes.size())
                return true;
            *reason = FileErrors::reason(device);
            return false;
        });
    if (!saved.saved() && error)
        *error = FileErrors::SaveFailedText.arg(path, saved.reason);
    return saved.saved();
}

} // namespace CsvExport
