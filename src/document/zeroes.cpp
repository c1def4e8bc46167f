#include "vorn.h"

#include <limits>

QString Zeroes(qint16 n, qint16 off) {
    QString text = QString::number(n);
    if (text.size() < off)
        text.prepend(QString(off - text.size(), QLatin1Char('0')));
    return text;
}

qint16 clampTo16(long long value) {
    if (value < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    if (value > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    return static_cast<qint16>(value);
}
