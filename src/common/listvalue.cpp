#include "listvalue.h"

#include "boxkinds.h"

#include <limits>

namespace ListValue {

QString trimmedSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString item(const QString& value, int n) {
    if (n < 1)
        return {};
    qsizetype start = -1;
    for (int i = 1; i <= n; ++i) {
        start = value.indexOf(ListSeparator, start + 1);
        if (start < 0)
            return {};
    }
    qsizetype end = value.indexOf(ListSeparator, start + 1);
    if (end < 0)
        end = value.size();
    return trimmedSpaces(value.mid(start + 1, end - start - 1));
}

QStringList items(const QString& value, int n) {
    QStringList result;
    if (n < 1)
        return result;
    result.reserve(n);
    const QStringList parts = value.split(ListSeparator);
    // parts[0] is the text before the first separator, which is never an item.
    for (int i = 1; i <= n; ++i)
        result.append(i < parts.size() ? trimmedSpaces(parts.at(i)) : QString());
    return result;
}

qint16 count(const QString& value) {
    const qsizetype n = value.count(ListSeparator);
    return static_cast<qint16>(qMin<qsizetype>(n, std::numeric_limits<qint16>::max()));
}

QString normalised(const QString& value) {
    if (value.startsWith(ListSeparator))
        return value;
    return ListSeparator + value;
}

QString joined(const QStringList& items) {
    QString value;
    for (const QString& text : items) {
        value += ListSeparator;
        value += text;
    }
    return value;
}

QString sanitisedItem(const QString& text) {
    QString safe = text;
    safe.replace(ListSeparator, QLatin1Char(' '));
    return safe;
}

} // namespace ListValue
