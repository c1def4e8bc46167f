#include "csvreader.h"

#include <QStringDecoder>

#include <array>

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Comma = u',';
constexpr QChar Cr = u'\r';
constexpr QChar Lf = u'\n';
const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const char* const FallbackCodePage = "windows-1251";

bool endsLine(QChar c) {
    return c == Cr || c == Lf;
}

// The line (from 1) that position at of text is on; CR LF is one line end.
int lineAt(QStringView text, qsizetype at) {
    int line = 1;
    for (qsizetype i = 0; i < at; ++i) {
        if (text[i] == Lf || (text[i] == Cr && (i + 1 >= text.size() || text[i + 1] != Lf)))
            ++line;
    }
    return line;
}

} // namespace

namespace CsvReader {

QString decode(const QByteArray& bytes) {
    // Stateless, so that a sequence cut off at the end counts as an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    const QByteArrayView body = bytes.startsWith(Utf8Bom)
                                    ? QByteArrayView(bytes).sliced(Utf8Bom.size())
                                    : QByteArrayView(bytes);
    QStringDecoder codePage(FallbackCodePage);
    if (!codePage.isValid())
        return text; // a Qt without the code page: keep UTF-8 with replacement characters
    return codePage.decode(body);
}

QChar detectSeparator(QStringView text) {
    constexpr std::array<QChar, 3> candidates{u'\t', u';', u','}; // in the order ties go
    std::array<int, 3> counts{};
    qsizetype i = 0;
    while (i < text.size() && endsLine(text[i])) // empty lines are no rows
        ++i;
    bool quoted = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == Quote)
            quoted = !quoted;
        else if (!quoted && endsLine(c))
            break;
        else if (!quoted)
            for (std::size_t k = 0; k < candidates.size(); ++k)
                counts[k] += c == candidates[k] ? 1 : 0;
    }
    std::size_t best = 0;
    for (std::size_t k = 1; k < candidates.size(); ++k)
        if (counts[k] > counts[best])
            best = k;
    return counts[best] > 0 ? candidates[best] : Comma;
}

Table parse(QStringView text, QChar separator, qsizetype keepRows) {
    Table table;
    const qsizetype n = text.size();
    const auto plainEnd = [&](qsizetype from) {
        while (from < n && text[from] != separator && !endsLine(text[from]))
            ++from;
        return from;
    };
    qsizetype i = 0;
    while (i < n) {
        if (endsLine(text[i])) {
            ++i;
            continue;
        }
        // Rows past keepRows are only counted, but read through all the same: an unclosed
        // quote anywhere means the rows cannot be told apart.
        const bool keep = table.rowCount < keepRows;
        QStringList row;
        for (;;) {
            QString field;
            if (i < n && text[i] == Quote) {
                const qsizetype opened = i++;
                for (;;) {
                    const qsizetype from = i;
                    while (i < n && text[i] != Quote && text[i] != Cr)
                        ++i;
                    if (keep)
                        field.append(text.sliced(from, i - from));
                    if (i >= n) {
                        table = Table{};
                        table.unterminatedLine = lineAt(text, opened);
                        return table;
                    }
                    if (text[i] == Cr) {
                        if (keep)
                            field.append(Lf);
                        i += i + 1 < n && text[i + 1] == Lf ? 2 : 1;
                    } else if (i + 1 < n && text[i + 1] == Quote) {
                        if (keep)
                            field.append(Quote);
                        i += 2;
                    } else {
                        ++i;
                        break;
                    }
                }
                const qsizetype from = i;
                i = plainEnd(i);
                if (keep)
                    field.append(text.sliced(from, i - from));
            } else {
                const qsizetype from = i;
                i = plainEnd(i);
                if (keep)
                    field = text.sliced(from, i - from).toString();
            }
            if (keep)
                row.append(std::move(field));
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && text[i] == Cr)
            ++i;
        if (i < n && text[i] == Lf)
            ++i;
        ++table.rowCount;
        if (keep)
            table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace CsvReader
