#include "wordsplit.h"

#include "listvalue.h"

#include <algorithm>
#include <limits>

namespace {

// Positions here are 1-based, 0 meaning "none", as the word rule counts them.
int findFrom(const QString& text, int start, QChar mark) {
    if (start < 1 || start > text.size())
        return 0;
    return int(text.indexOf(mark, start - 1)) + 1;
}

QString plainWord(const QString& frase, int num, QChar open, QChar close) {
    const bool blankOpens = open == QLatin1Char(' ');
    const int length = int(frase.size());
    int p = 1;
    for (int i = 1; i <= num; ++i) {
        if (!(i == 1 && blankOpens))
            p = findFrom(frase, p, open);
        if (p == 0)
            return {};
        if (i < num)
            ++p;
    }

    int end = length + 1;
    if (open == close) {
        if (const int next = findFrom(frase, p + 1, close))
            end = next;
    } else {
        // Brackets nest: find the num-th opening mark, then the closing mark that brings the
        // depth back below the level it opened.
        p = 0;
        for (int i = 1; i <= num && (i == 1 || p != 0); ++i)
            p = findFrom(frase, p + 1, open);
        if (p == 0)
            return {};
        int depth = 0;
        int level = 0;
        for (int j = 1; j <= length; ++j) {
            const QChar c = frase.at(j - 1);
            if (c == open)
                ++depth;
            else if (c == close)
                --depth;
            if (j == p)
                level = depth;
            if (j > p && c == close && depth == level - 1) {
                end = j;
                break;
            }
        }
    }

    // A blank mark is part of the cut and goes with the trimming; other marks are left out.
    if (blankOpens)
        return ListValue::trimmedSpaces(frase.mid(p - 1, std::max(0, end - p)));
    return ListValue::trimmedSpaces(frase.mid(p, std::max(0, end - p - 1)));
}

} // namespace

QString GetWord(const QString& Frase, qint16 Num, const QString& divis, const QString& contain) {
    // Outside what callers pass: no word rather than a guess.
    if (Num < 1 || divis.size() < 2)
        return {};
    const QChar open = divis.at(0);
    const QChar close = divis.at(1);
    if (contain.isEmpty())
        return plainWord(Frase, Num, open, close);

    // Count only the words that hold contain; an empty word ends one round of the search.
    int c = 0;
    bool found = false;
    for (int i = 1; i <= Num; ++i) {
        found = false;
        while (c < std::numeric_limits<qint16>::max()) {
            ++c;
            const QString word = plainWord(Frase, c, open, close);
            if (word.isEmpty())
                break;
            if (word.contains(contain)) {
                found = true;
                break;
            }
        }
    }
    return found ? plainWord(Frase, c, open, close) : QString();
}
