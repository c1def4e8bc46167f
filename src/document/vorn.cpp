#include "vorn.h"

#include <algorithm>
#include <utility>

namespace {

// A picture path is ".\" + vorn name + "\" + file name.
const QString PicturePrefix = QStringLiteral(".\\");
constexpr QChar PathSeparator = QLatin1Char('\\');

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

Vorn::Vorn() {
    for (int j = 1; j <= VornLimits::MaxBoxes; ++j)
        boxOrder_[j - 1] = qint16(j);
    for (int p = 1; p <= VornLimits::MaxEntries; ++p)
        entryOrder_[p - 1] = qint16(p);
}

// The public counts may hold anything a caller wrote; every loop runs over these clamped
// values, so no loop can leave the tables.
int Vorn::usedBoxes() const {
    return std::clamp<int>(BoxCount, 0, VornLimits::MaxBoxes);
}
int Vorn::usedEntries() const {
    return std::clamp<int>(EntryCount, 0, VornLimits::MaxEntries);
}

BoxDescriptor& Vorn::descriptor(int j) {
    if (inRange(j, 1, VornLimits::MaxBoxes))
        return boxes_[std::size_t(j - 1)];
    // Writes through an index outside the table land here and are forgotten.
    static thread_local BoxDescriptor scratch;
    scratch = BoxDescriptor{};
    return scratch;
}

const BoxDescriptor& Vorn::descriptor(int j) const {
    static const BoxDescriptor empty;
    return inRange(j, 1, VornLimits::MaxBoxes) ? boxes_[std::size_t(j - 1)] : empty;
}

// The table holds rows only up to the last one with a value: most vorns are far smaller
// than 500 x 50, and vorns are copied whole (a load builds a fresh one). Keeping that
// shape exact also lets two vorns with the same values compare equal.
QString Vorn::cell(int row, int j) const {
    if (!inRange(row, 1, VornLimits::MaxEntries) || !inRange(j, 1, VornLimits::MaxBoxes))
        return {};
    const std::size_t index = std::size_t(row - 1) * VornLimits::MaxBoxes + std::size_t(j - 1);
    return index < table_.size() ? table_[index] : QString();
}

void Vorn::setCell(int row, int j, const QString& value) {
    if (!inRange(row, 1, VornLimits::MaxEntries) || !inRange(j, 1, VornLimits::MaxBoxes))
        return;
    const std::size_t index = std::size_t(row - 1) * VornLimits::MaxBoxes + std::size_t(j - 1);
    const std::size_t rowEnd = std::size_t(row) * VornLimits::MaxBoxes;
    if (index >= table_.size()) {
        if (value.isEmpty())
            return;
        table_.resize(rowEnd);
    }
    table_[index] = value;
    if (value.isEmpty() && rowEnd == table_.size())
        dropEmptyRows();
}

void Vorn::dropEmptyRows() {
    while (!table_.empty() && std::all_of(table_.end() - VornLimits::MaxBoxes, table_.end(),
                                          [](const QString& v) { return v.isEmpty(); }))
        table_.resize(table_.size() - VornLimits::MaxBoxes);
}

qint16 Vorn::entryOrder(int p) const {
    return inRange(p, 1, VornLimits::MaxEntries) ? entryOrder_[std::size_t(p - 1)] : qint16(0);
}

void Vorn::setEntryOrder(int p, qint16 row) {
    if (inRange(p, 1, VornLimits::MaxEntries))
        entryOrder_[std::size_t(p - 1)] = row;
}

qint16 Vorn::boxOrder(int j) const {
    return inRange(j, 1, VornLimits::MaxBoxes) ? boxOrder_[std::size_t(j - 1)] : qint16(0);
}

void Vorn::setBoxOrder(int j, qint16 position) {
    if (inRange(j, 1, VornLimits::MaxBoxes))
        boxOrder_[std::size_t(j - 1)] = position;
}

QString Vorn::value(int p, int j) const {
    return cell(entryOrder(p), j);
}

void Vorn::setValue(int p, int j, const QString& v) {
    setCell(entryOrder(p), j, v);
}

void Vorn::reset() {
    table_.clear();
    table_.shrink_to_fit();
    EntryCount = 0;
    BoxCount = 0;
    CardWidth = VornLimits::DefaultCardWidth;
    CardHeight = VornLimits::DefaultCardHeight;
    TitleBox = VornLimits::NoTitle;
    VornPath.clear();
    Password.clear();
    Unlocked = true;
    Designing = true; // an emptied vorn shows the card item, unlocked
    Modified = false;
}

qint16 Vorn::OrderBox(qint16 pos) const {
    const int count = usedBoxes();
    int j = 1;
    while (j <= count && boxOrder(j) != pos)
        ++j;
    return qint16(j);
}

std::vector<int> Vorn::outputSequence() const {
    std::vector<int> sequence;
    const int count = usedBoxes();
    sequence.reserve(std::size_t(count));
    for (int j = 1; j <= count; ++j)
        sequence.push_back(j);
    std::stable_sort(sequence.begin(), sequence.end(),
                     [this](int a, int b) { return boxOrder(a) < boxOrder(b); });
    return sequence;
}

std::optional<int> Vorn::insertEntryAfter(int after) {
    const int count = usedEntries();
    if (count >= VornLimits::MaxEntries || !inRange(after, 0, count))
        return std::nullopt;
    const int p = after + 1;
    const int row = count + 1; // the rows in use are 1..count, so this one is free
    for (int i = count; i >= p; --i)
        setEntryOrder(i + 1, entryOrder(i));
    setEntryOrder(p, qint16(row));
    const int boxes = usedBoxes();
    for (int j = 1; j <= VornLimits::MaxBoxes; ++j)
        setCell(row, j, j <= boxes ? descriptor(j).DefaultValue : QString());
    EntryCount = qint16(count + 1);
    return p;
}

bool Vorn::removeEntry(int p) {
    const int count = usedEntries();
    if (!inRange(p, 1, count))
        return false;
    const int freed = entryOrder(p);
    // Keep rows 1..count-1 in use: the entry stored in the highest row moves into the freed
    // row, and the list position that showed it follows.
    // A row table that breaks that rule (it cannot come from these operations) is left as
    // it is rather than guessed at: no values are moved or cleared then.
    bool highestFree = freed == count;
    if (freed != count && inRange(freed, 1, count)) {
        for (int q = 1; q <= count; ++q) {
            if (entryOrder(q) == count) {
                for (int j = 1; j <= VornLimits::MaxBoxes; ++j)
                    setCell(freed, j, cell(count, j));
                setEntryOrder(q, qint16(freed));
                highestFree = true;
                break;
            }
        }
    }
    if (highestFree)
        for (int j = 1; j <= VornLimits::MaxBoxes; ++j)
            setCell(count, j, QString());
    for (int i = p; i < count; ++i)
        setEntryOrder(i, entryOrder(i + 1));
    setEntryOrder(count, qint16(count));
    EntryCount = qint16(count - 1);
    return true;
}

bool Vorn::swapEntries(int p, int q) {
    const int count = usedEntries();
    if (!inRange(p, 1, count) || !inRange(q, 1, count))
        return false;
    const qint16 rowP = entryOrder(p);
    setEntryOrder(p, entryOrder(q));
    setEntryOrder(q, rowP);
    return true;
}

namespace {

// A list value as its list box shows it, items joined by ", ": the items follow the
// separators, blanks around each left out. A value that does not begin with a separator is
// shown as if it did, so its first piece is an item too.
QString shownListItems(const QString& value) {
    QString shown;
    QStringView rest(value);
    if (rest.startsWith(ListSeparator))
        rest = rest.sliced(1);
    for (;;) {
        const qsizetype end = rest.indexOf(ListSeparator);
        QStringView item = end < 0 ? rest : rest.first(end);
        while (item.startsWith(QLatin1Char(' ')))
            item = item.sliced(1);
        while (item.endsWith(QLatin1Char(' ')))
            item.chop(1);
        shown += item;
        if (end < 0)
            return shown;
        shown += QStringLiteral(", ");
        rest = rest.sliced(end + 1);
    }
}

} // namespace

QString Vorn::entryCaption(int p) const {
    QString caption = Zeroes(clampTo16(p), 3);
    if (inRange(TitleBox, 1, usedBoxes())) {
        const QString title = value(p, TitleBox);
        // The separator in front of each item has no glyph: a list title reads as its items.
        caption += QLatin1Char(' ') +
                   (descriptor(TitleBox).Type == BoxKind::List ? shownListItems(title) : title);
    }
    return caption;
}

bool Vorn::matches(int p, const QString& phrase) const {
    if (!inRange(p, 1, usedEntries()))
        return false;
    return entryCaption(p).toLower().contains(phrase.toLower());
}

int Vorn::countMatches(const QString& phrase) const {
    int found = 0;
    for (int p = 1; p <= usedEntries(); ++p)
        found += matches(p, phrase) ? 1 : 0;
    return found;
}

std::optional<int> Vorn::findNext(int current, const QString& phrase) const {
    const int count = usedEntries();
    const int from = std::clamp(current, 0, count);
    for (int i = from + 1; i <= count; ++i)
        if (matches(i, phrase))
            return i;
    for (int i = 1; i <= from; ++i)
        if (matches(i, phrase))
            return i;
    return std::nullopt;
}

void Vorn::renamePictures(const QString& newName) {
    const QString prefix = PicturePrefix + newName + PathSeparator;
    for (int j = 1; j <= usedBoxes(); ++j) {
        if (descriptor(j).Type != BoxKind::Picture)
            continue;
        for (int p = 1; p <= usedEntries(); ++p) {
            const QString v = value(p, j);
            if (v.isEmpty())
                continue;
            // The folder part ends at the first "\" from the third character on. A value
            // without one is taken as a bare file name and moved under the new folder whole,
            // as reading an old file does; nothing of it is dropped.
            const qsizetype cut = v.indexOf(PathSeparator, 2);
            setValue(p, j, prefix + (cut < 0 ? v : v.mid(cut + 1)));
        }
    }
}

void Vorn::removeBox(int j) {
    const int count = usedBoxes();
    if (!inRange(j, 1, count))
        return;
    for (int i = j; i < count; ++i) {
        boxes_[std::size_t(i - 1)] = boxes_[std::size_t(i)];
        boxOrder_[std::size_t(i - 1)] = boxOrder_[std::size_t(i)];
        for (int row = 1; row <= VornLimits::MaxEntries; ++row)
            setCell(row, i, cell(row, i + 1));
    }
    // The slot given up looks as it did before any box used it.
    boxes_[std::size_t(count - 1)] = BoxDescriptor{};
    boxOrder_[std::size_t(count - 1)] = qint16(count);
    for (int row = 1; row <= VornLimits::MaxEntries; ++row)
        setCell(row, count, QString());
    if (TitleBox == j)
        TitleBox = VornLimits::NoTitle;
    else if (TitleBox > j && TitleBox <= count)
        TitleBox = qint16(TitleBox - 1);
    BoxCount = qint16(count - 1);
}
