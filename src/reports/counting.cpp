#include "counting.h"

#include "textfile.h"
#include "wordsplit.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

const QString Found = QStringLiteral("Найдено");
const QString OccurrencesTail = QStringLiteral(" вхождений (");
const QString EmptyTail = QStringLiteral(" пустых (");
const QString FullTail = QStringLiteral(" непустых (");
const QString MessageEnd = QStringLiteral("%).");
const QString EmptyGroup = QStringLiteral("Пустые");
const QString QueryMarks = QStringLiteral("++");
constexpr QChar QueryMark = QLatin1Char('+');

constexpr int SignificantDigits = 15;
constexpr int PercentWidth = 5;
constexpr int MaxCount = std::numeric_limits<qint16>::max();

// The title values of rows 1..EntryCount, in row order.
QStringList titleValues(const Vorn& vorn) {
    QStringList values;
    for (int r = 1; r <= vorn.usedEntries(); ++r)
        values.append(vorn.cell(r, vorn.TitleBox));
    return values;
}

// " N" after a word of the message: the count follows with one blank.
QString countText(qint16 count) {
    return QLatin1Char(' ') + QString::number(count);
}

QString message(qint16 count, const QString& tail, qint16 total) {
    return Found + countText(count) + tail + Counting::percentOf(count, total) + MessageEnd;
}

QString withoutLeadingBlanks(const QString& text) {
    qsizetype from = 0;
    while (from < text.size() && text.at(from) == QLatin1Char(' '))
        ++from;
    return text.mid(from);
}

std::optional<qint16> countRows(const Vorn& vorn, bool empty) {
    if (!vorn.hasTitle())
        return std::nullopt;
    const QStringList values = titleValues(vorn);
    const auto n = std::count_if(values.begin(), values.end(),
                                 [empty](const QString& v) { return v.isEmpty() == empty; });
    return clampTo16(n);
}

} // namespace

namespace Counting {

QString percentText(double percent) {
    if (!(percent > 0.0) || !std::isfinite(percent))
        return QStringLiteral("0");
    // d.dddddddddddddde±x: the value rounded to 15 significant digits.
    const QString scientific = QString::number(percent, 'e', SignificantDigits - 1);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.left(1) + scientific.mid(2, e - 2);
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString whole;
    QString fraction;
    if (exponent >= 0) {
        whole = digits.left(exponent + 1);
        if (whole.size() < exponent + 1)
            whole += QString(exponent + 1 - whole.size(), QLatin1Char('0'));
        fraction = digits.mid(exponent + 1);
    } else {
        fraction = QString(-exponent - 1, QLatin1Char('0')) + digits;
    }
    QString text = fraction.isEmpty() ? whole : whole + QLatin1Char('.') + fraction;
    return text.left(PercentWidth);
}

QString percentOf(qint16 count, qint16 total) {
    if (total <= 0)
        return QStringLiteral("0");
    return percentText(double(count) / double(total) * 100.0);
}

std::optional<qint16> occurrences(const Vorn& vorn, const QString& query) {
    if (!vorn.hasTitle())
        return std::nullopt;
    QStringList lowered = titleValues(vorn);
    for (QString& v : lowered)
        v = v.toLower();

    // The mark in front makes the first word a word like the others.
    const QString q = QueryMark + withoutLeadingBlanks(query);
    int count = 0;
    for (int n = 1; n <= std::numeric_limits<qint16>::max(); ++n) {
        const QString word = GetWord(q, qint16(n), QueryMarks);
        if (word.isEmpty())
            break; // an empty word ends the query, even with words after it
        const QString needle = word.toLower();
        for (const QString& v : lowered) {
            if (v.contains(needle))
                count = std::min(count + 1, MaxCount);
        }
    }
    return qint16(count);
}

std::optional<qint16> emptyCount(const Vorn& vorn) {
    return countRows(vorn, true);
}

std::optional<qint16> fullCount(const Vorn& vorn) {
    return countRows(vorn, false);
}

std::optional<QString> occurrencesMessage(const Vorn& vorn, const QString& query) {
    const std::optional<qint16> count = occurrences(vorn, query);
    if (!count)
        return std::nullopt;
    return message(*count, OccurrencesTail, clampTo16(vorn.usedEntries()));
}

std::optional<QString> emptyMessage(const Vorn& vorn) {
    const std::optional<qint16> count = emptyCount(vorn);
    if (!count)
        return std::nullopt;
    return message(*count, EmptyTail, clampTo16(vorn.usedEntries()));
}

std::optional<QString> fullMessage(const Vorn& vorn) {
    const std::optional<qint16> count = fullCount(vorn);
    if (!count)
        return std::nullopt;
    return message(*count, FullTail, clampTo16(vorn.usedEntries()));
}

std::optional<QString> statsReport(const Vorn& vorn) {
    if (!vorn.hasTitle())
        return std::nullopt;

    struct Group {
        QString value; // as first met
        qint16 count;
    };
    std::vector<Group> groups;
    QHash<QString, std::size_t> byKey;
    for (const QString& title : titleValues(vorn)) {
        const QString v = title.isEmpty() ? EmptyGroup : title;
        const QString key = v.toLower();
        const auto found = byKey.constFind(key);
        if (found == byKey.constEnd()) {
            byKey.insert(key, groups.size());
            groups.push_back({v, 1});
        } else {
            Group& group = groups[*found];
            group.count = clampTo16(group.count + 1);
        }
    }
    // Most frequent first; equal counts keep the order of their first rows.
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Group& a, const Group& b) { return a.count > b.count; });

    QStringList lines;
    for (const Group& g : groups) {
        lines.append(g.value + QLatin1Char(':') + countText(g.count) + QStringLiteral(" (") +
                     percentOf(g.count, clampTo16(vorn.usedEntries())) + MessageEnd);
    }
    return lines.join(TextFile::LineEnd);
}

bool saveReport(const QString& path, const QString& report, QString* error) {
    return TextFile::save(path, report + TextFile::LineEnd, error);
}

} // namespace Counting
