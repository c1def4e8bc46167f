#include "exporttext.h"

#include "listvalue.h"
#include "textfile.h"

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

QString countLine(const Vorn& vorn) {
    return QString::number(vorn.usedEntries()) + CountSuffix + LineEnd + LineEnd;
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
            for (const QString& item : ListValue::items(value, ListValue::count(value)))
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
    if (vorn.hasTitle())
        line += QLatin1Char(' ') + vorn.value(k, vorn.TitleBox);
    return line;
}

QString shortList(const Vorn& vorn) {
    QString out = countLine(vorn);
    for (int k = 1; k <= vorn.usedEntries(); ++k)
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
    for (int k = 1; k <= vorn.usedEntries(); ++k) {
        out.append(numberLine(vorn, k)).append(LineEnd);
        if (vorn.hasTitle()) {
            for (const int b : chosen)
                appendFieldLines(out, vorn, b, k, TextFieldEnd::Plain);
        }
        out += LineEnd;
    }
    return out;
}

std::optional<QString> thisEntry(const Vorn& vorn, int k) {
    if (k < 1 || k > vorn.usedEntries())
        return std::nullopt;
    QString out = numberLine(vorn, k) + LineEnd;
    for (const int b : vorn.outputSequence()) {
        if (writtenAsField(vorn, b))
            appendFieldLines(out, vorn, b, k, TextFieldEnd::EmptyLine);
    }
    return out;
}

} // namespace Export
