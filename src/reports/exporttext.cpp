#include "exporttext.h"

#include "textfile.h"
#include "wordsplit.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString CountSuffix = QStringLiteral(" записей в ворне.");
constexpr QChar Tab = QLatin1Char('\t');
const QString& LineEnd = TextFile::LineEnd;

// A list value shorter than this holds no item worth writing (an empty list, or one item of
// a single character).
constexpr int ShortestWrittenList = 3;

enum class TextFieldEnd { Plain, EmptyLine };

int entryCount(const Vorn& vorn) {
    return std::clamp<int>(vorn.EntryCount, 0, VornLimits::MaxEntries);
}

bool hasTitle(const Vorn& vorn) {
    return vorn.TitleBox >= 1 &&
           vorn.TitleBox <= std::min<int>(vorn.BoxCount, VornLimits::MaxBoxes);
}

QString countLine(const Vorn& vorn) {
    return QString::number(entryCount(vorn)) + CountSuffix + LineEnd + LineEnd;
}

// The items of a list value: the pieces after each separator, without the blanks around
// them. Whatever stands before the first separator is not an item.
QStringList listItems(const QString& value) {
    QStringList pieces = value.split(ListSeparator);
    pieces.removeFirst();
    for (QString& item : pieces)
        item = trimBlanks(item);
    return pieces;
}

// Appends the lines of box b for the entry at list position k to out.
void appendFieldLines(QString& out, const Vorn& vorn, int b, int k, TextFieldEnd textEnd) {
    const BoxDescriptor& box = vorn.descriptor(b);
    const QString value = vorn.value(k, b);
    switch (box.Type) {
    case BoxKind::Picture:
        break;
    case BoxKind::List:
        if (value.size() >= ShortestWrittenList) {
            out.append(Tab).append(box.Header).append(LineEnd);
            for (const QString& item : listItems(value))
                out.append(Tab).append(item).append(LineEnd);
            out.append(LineEnd);
        }
        break;
    case BoxKind::Text:
        if (!value.isEmpty()) {
            out.append(Tab).append(box.Header).append(LineEnd).append(value).append(LineEnd);
            if (textEnd == TextFieldEnd::EmptyLine)
                out.append(LineEnd);
        }
        break;
    default: // word, phrase, number
        if (!value.isEmpty())
            out.append(Tab).append(box.Header).append(Tab).append(value).append(LineEnd);
        break;
    }
}

bool writtenAsField(const Vorn& vorn, int b) {
    return b != vorn.TitleBox && vorn.descriptor(b).Type != BoxKind::Picture;
}

} // namespace

namespace Export {

QString numberLine(const Vorn& vorn, int k) {
    QString line = Zeroes(clampTo16(k), 3);
    if (hasTitle(vorn))
        line += QLatin1Char(' ') + vorn.value(k, vorn.TitleBox);
    return line;
}

QString shortList(const Vorn& vorn) {
    QString out = countLine(vorn);
    for (int k = 1; k <= entryCount(vorn); ++k)
        out += numberLine(vorn, k) + LineEnd;
    return out;
}

QString detailedList(const Vorn& vorn, const std::vector<int>& positions) {
    const std::vector<int> sequence = vorn.outputSequence();
    // The boxes chosen, in output order, each once.
    std::vector<int> chosen;
    for (int s = 1; s <= int(sequence.size()); ++s) {
        const int b = sequence[std::size_t(s - 1)];
        if (std::find(positions.begin(), positions.end(), s) != positions.end() &&
            writtenAsField(vorn, b))
            chosen.push_back(b);
    }

    QString out = countLine(vorn);
    for (int k = 1; k <= entryCount(vorn); ++k) {
        out.append(numberLine(vorn, k)).append(LineEnd);
        if (hasTitle(vorn)) {
            for (const int b : chosen)
                appendFieldLines(out, vorn, b, k, TextFieldEnd::Plain);
        }
        out += LineEnd;
    }
    return out;
}

std::optional<QString> thisEntry(const Vorn& vorn, int k) {
    if (k < 1 || k > entryCount(vorn))
        return std::nullopt;
    QString out = numberLine(vorn, k) + LineEnd;
    for (const int b : vorn.outputSequence()) {
        if (writtenAsField(vorn, b))
            appendFieldLines(out, vorn, b, k, TextFieldEnd::EmptyLine);
    }
    return out;
}

} // namespace Export
