#include "csvimport.h"

#include "csvreader.h"
#include "csvtexts.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

// "51 столбец", "52 столбца", "55 столбцов".
QString columnCount(qsizetype n) {
    const qsizetype last = n % 10;
    const qsizetype lastTwo = n % 100;
    const QString& word = last == 1 && lastTwo != 11 ? CsvText::ColumnOne
                          : last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)
                              ? CsvText::ColumnFew
                              : CsvText::ColumnMany;
    return QString::number(n) + u' ' + word;
}

// A whole number within 16 bits: a sign if any, then decimal digits; blanks around it are
// allowed, as spreadsheets pad numbers.
bool isNumber16(QStringView cell) {
    cell = cell.trimmed();
    const bool negative = cell.startsWith(u'-');
    if (negative || cell.startsWith(u'+'))
        cell = cell.sliced(1);
    if (cell.isEmpty())
        return false;
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<qint16>::min())
                                     : std::numeric_limits<qint16>::max();
    long long value = 0;
    for (const QChar c : cell) {
        if (c < u'0' || c > u'9')
            return false;
        value = std::min(value * 10 + (c.unicode() - u'0'), limit + 1);
    }
    return value <= limit;
}

qint16 columnKind(const std::vector<QStringList>& rows, qsizetype column) {
    bool filled = false;
    bool numbers = true;
    for (const QStringList& row : rows) {
        if (column >= row.size() || row[column].isEmpty())
            continue;
        const QString& cell = row[column];
        if (cell.contains(u'\n'))
            return BoxKind::Text;
        filled = true;
        numbers = numbers && isNumber16(cell);
    }
    return filled && numbers ? BoxKind::Number : BoxKind::Phrase;
}

CsvImport::Result failure(const QString& error) {
    CsvImport::Result result;
    result.error = error;
    return result;
}

} // namespace

namespace CsvImport {

Result importCsv(const QByteArray& bytes, const QString& baseName, const BoxMeasure& measure) {
    const QString text = CsvReader::decode(bytes);
    // The header row and the entries' rows.
    CsvReader::Table table = CsvReader::parse(text, CsvReader::detectSeparator(text),
                                              qsizetype(VornLimits::MaxEntries) + 1);
    if (table.unterminatedLine > 0)
        return failure(CsvText::UnterminatedQuote.arg(table.unterminatedLine));
    if (table.rows.empty())
        return failure(CsvText::EmptyFile);
    const QStringList& header = table.rows.front();
    const qsizetype columns = header.size();
    if (columns > VornLimits::MaxBoxes)
        return failure(CsvText::TooManyColumns.arg(columnCount(columns)).arg(VornLimits::MaxBoxes));

    Result result;
    result.rowsLeftOut = int(table.rowCount - qsizetype(table.rows.size()));
    const std::vector<QStringList> rows(table.rows.begin() + 1, table.rows.end());

    Vorn vorn;
    vorn.BoxCount = qint16(columns);
    std::vector<QSize> sizes;
    for (qsizetype c = 0; c < columns; ++c) {
        const int j = int(c) + 1;
        BoxDescriptor box;
        box.Type = columnKind(rows, c);
        box.Header = header[c].trimmed().isEmpty() ? CsvText::UnnamedColumn.arg(j) : header[c];
        if (vorn.TitleBox == VornLimits::NoTitle && BoxKind::canBeTitle(box.Type))
            vorn.TitleBox = qint16(j);
        sizes.push_back(measure ? measure(box) : ColumnLayout::estimatedSize(box));
        vorn.setDescriptor(j, box);
    }
    const ColumnLayout::Placement placement = ColumnLayout::place(sizes);
    for (int j = 1; j <= columns; ++j) {
        BoxDescriptor box = vorn.descriptor(j);
        box.Left = clampTo16(placement.topLeft[std::size_t(j - 1)].x());
        box.Top = clampTo16(placement.topLeft[std::size_t(j - 1)].y());
        vorn.setDescriptor(j, box);
    }
    vorn.CardWidth = clampTo16(placement.card.width());
    vorn.CardHeight = clampTo16(placement.card.height());

    for (const QStringList& row : rows) {
        const std::optional<int> p = vorn.insertEntryAfter(vorn.EntryCount);
        if (!p)
            break;
        const qsizetype kept = std::min(row.size(), columns);
        for (qsizetype c = 0; c < kept; ++c)
            vorn.setValue(*p, int(c) + 1, row[c]);
        const bool lost = std::any_of(row.begin() + kept, row.end(),
                                      [](const QString& cell) { return !cell.isEmpty(); });
        result.rowsCut += lost ? 1 : 0;
    }

    vorn.VornName = baseName;
    vorn.VornPath.clear();
    vorn.Modified = true;
    vorn.Unlocked = true;
    vorn.Designing = true;
    result.vorn = std::move(vorn);

    QStringList notes;
    if (result.rowsCut > 0)
        notes << CsvText::RowsCut.arg(result.rowsCut);
    if (result.rowsLeftOut > 0)
        notes << CsvText::RowsLeftOut.arg(VornLimits::MaxEntries).arg(result.rowsLeftOut);
    result.message = notes.join(u'\n');
    return result;
}

Result importFile(const QString& path, const BoxMeasure& measure) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        return failure(CsvText::ReadFailed.arg(path, file.errorString()));
    Result result = importCsv(bytes, QFileInfo(path).completeBaseName(), measure);
    if (!result.vorn)
        result.error = CsvText::ImportFailed.arg(path, result.error);
    return result;
}

} // namespace CsvImport
