#include "vorn.h"

#include "listvalue.h"

#include <algorithm>
#include <utility>

namespace {

// A picture path is ".\" + vorn name + "\" + file name.
const QString PicturePrefix = QStringLiteral(".\\");
constexpr QChar PathSeparator = QLatin1Char('\\');

using VornLimits::inRange;

} // namespace

Vorn::Vorn() {
    for (int j = 1; j <= VornLimits::MaxBoxes; ++j)
        boxOrder_[j - 1] = qint16(j);
    for (int p = 1; p <= VornLimits::MaxEntries; ++p)
        entryOrder_[p - 1] = qint16(p);
}

int Vorn::usedBoxes() const {
    return std::clamp<int>(BoxCount, 0, VornLimits::MaxBoxes);
}
int Vorn::usedEntries() const {
    return std::clamp<int>(EntryCount, 0, VornLimits::MaxEntries);
}
bool Vorn::hasTitle() const {
    return inRange(TitleBox, 1, usedBoxes());
}

const BoxDescriptor& Vorn::descriptor(int j) const {
    static const BoxDescriptor empty;
    return inRange(j, 1, VornLimits::MaxBoxes) ? boxes_[std::size_t(j - 1)] : empty;
}

bool Vorn::setDescriptor(int j, const BoxDescriptor& d) {
    if (!inRange(j, 1, VornLimits::MaxBoxes))
        return false;
    boxes_[std::size_t(j - 1)] = d;
    return true;
}

BoxDescriptor* Vorn::editable(int j) {
    return inRange(j, 1, usedBoxes()) ? &boxes_[std::size_t(j - 1)] : nullptr;
}

QString Vorn::picturePath(const QString& file) const {
    return PicturePrefix + VornName + PathSeparator + file;
}

// The table holds rows only up to the last one with a value: most vorns are far smaller
// than 500 x 50. Keeping that shape exact also lets two vorns with the same values compare
// equal.
QString Vorn::cell(int row, int j) const {
    if (!inRange(row, 1, VornLimits::MaxEntries) || !inRange(j, 1, VornLimits::MaxBoxes))
        return {};
    return row <= rows_.size() ? rows_.at(row - 1).at(j - 1) : QString();
}

void Vorn::setCell(int row, int j, QString value) {
    if (!inRange(row, 1, VornLimits::MaxEntries) || !inRange(j, 1, VornLimits::MaxBoxes))
        return;
    if (row > rows_.size()) {
        if (value.isEmpty())
            return;
        // Appending row by row lets the list grow by its own steps, not by one row at a time.
        while (rows_.size() < row)
            rows_.append(Row(VornLimits::MaxBoxes));
    }
    // Writing back the very value a cell holds (as showing an entry does) changes nothing and
    // must not make the table stop sharing with copies of this vorn; a real write makes only
    // the row written to stop sharing.
    if (std::as_const(rows_).at(row - 1).at(j - 1).isSharedWith(value))
        return;
    const bool emptied = value.isEmpty();
    rows_[row - 1][j - 1] = std::move(value);
    if (emptied && row == rows_.size())
        dropEmptyRows();
}

void Vorn::dropEmptyRows() {
    while (!rows_.isEmpty() && std::all_of(rows_.constLast().cbegin(), rows_.constLast().cend(),
                                           [](const QString& v) { return v.isEmpty(); }))
        rows_.removeLast();
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
    rows_ = {};
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
    Modified = true;
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
    Modified = true;
    return true;
}

bool Vorn::swapEntries(int p, int q) {
    const int count = usedEntries();
    if (!inRange(p, 1, count) || !inRange(q, 1, count))
        return false;
    const qint16 rowP = entryOrder(p);
    setEntryOrder(p, entryOrder(q));
    setEntryOrder(q, rowP);
    Modified = true;
    return true;
}

QString Vorn::entryCaption(int p) const {
    QString caption = Zeroes(clampTo16(p), 3);
    if (hasTitle()) {
        const QString title = value(p, TitleBox);
        // The separator in front of each item has no glyph: a list title reads as its items,
        // the first piece too when the value does not begin with a separator.
        if (descriptor(TitleBox).Type == BoxKind::List) {
            const QString items = ListValue::normalised(title);
            caption += QLatin1Char(' ') +
                       ListValue::items(items, ListValue::count(items)).join(QStringLiteral(", "));
        } else {
            caption += QLatin1Char(' ') + title;
        }
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

bool Vorn::removeBox(int j) {
    const int count = usedBoxes();
    if (!inRange(j, 1, count))
        return false;
    for (int i = j; i < count; ++i) {
        boxes_[std::size_t(i - 1)] = boxes_[std::size_t(i)];
        boxOrder_[std::size_t(i - 1)] = boxOrder_[std::size_t(i)];
    }
    // The slot given up looks as it did before any box used it.
    boxes_[std::size_t(count - 1)] = BoxDescriptor{};
    boxOrder_[std::size_t(count - 1)] = qint16(count);
    for (Row& row : rows_) {
        row.removeAt(j - 1);
        row.append(QString());
    }
    dropEmptyRows();
    if (TitleBox == j)
        TitleBox = VornLimits::NoTitle;
    else if (TitleBox > j && TitleBox <= count)
        TitleBox = qint16(TitleBox - 1);
    BoxCount = qint16(count - 1);
    Modified = true;
    return true;
}

bool Vorn::storeValue(int p, int j, const QString& v) {
    if (!inRange(j, 1, usedBoxes()) || !inRange(p, 0, usedEntries()))
        return false;
    if (p == 0)
        boxes_[std::size_t(j - 1)].DefaultValue = v;
    else
        setValue(p, j, v);
    Modified = true;
    return true;
}

std::optional<int> Vorn::addBox(const BoxDescriptor& d) {
    const int count = usedBoxes();
    if (count >= VornLimits::MaxBoxes)
        return std::nullopt;
    const int j = count + 1;
    boxes_[std::size_t(j - 1)] = d;
    for (int row = 1; row <= rows_.size(); ++row)
        setCell(row, j, QString());
    BoxCount = qint16(j);
    if (j == 1 && BoxKind::canBeTitle(d.Type))
        TitleBox = 1;
    Modified = true;
    return j;
}

bool Vorn::retypeBox(int j, qint16 kind, const QString& defaultValue) {
    BoxDescriptor* d = editable(j);
    if (!d)
        return false;
    d->Type = kind;
    d->DefaultValue = defaultValue;
    if (TitleBox == j && !BoxKind::canBeTitle(kind))
        TitleBox = VornLimits::NoTitle;
    Modified = true;
    return true;
}

bool Vorn::setHeadPose(int j, qint16 pose) {
    BoxDescriptor* d = editable(j);
    if (!d)
        return false;
    d->HeadPose = pose;
    Modified = true;
    return true;
}

bool Vorn::setHeader(int j, const QString& header) {
    BoxDescriptor* d = editable(j);
    if (!d)
        return false;
    d->Header = header;
    Modified = true;
    return true;
}

bool Vorn::moveBox(int j, int left, int top) {
    BoxDescriptor* d = editable(j);
    if (!d)
        return false;
    d->Left = clampTo16(left);
    d->Top = clampTo16(top);
    Modified = true;
    return true;
}

bool Vorn::setTitle(int j) {
    if (!inRange(j, 1, usedBoxes()))
        return false;
    TitleBox = qint16(j);
    Modified = true;
    return true;
}

void Vorn::setPassword(const QString& password) {
    Password = password;
    Modified = true;
}

bool operator==(const Vorn& a, const Vorn& b) {
    if (a.rows_.size() != b.rows_.size())
        return false;
    for (qsizetype r = 0; r < a.rows_.size(); ++r)
        if (!a.rows_.at(r).isSharedWith(b.rows_.at(r)) && a.rows_.at(r) != b.rows_.at(r))
            return false;
    return a.EntryCount == b.EntryCount && a.BoxCount == b.BoxCount && a.TitleBox == b.TitleBox &&
           a.CardWidth == b.CardWidth && a.CardHeight == b.CardHeight && a.Unlocked == b.Unlocked &&
           a.Designing == b.Designing && a.Modified == b.Modified && a.Password == b.Password &&
           a.VornPath == b.VornPath && a.StartDir == b.StartDir && a.VornName == b.VornName &&
           a.boxes_ == b.boxes_ && a.entryOrder_ == b.entryOrder_ && a.boxOrder_ == b.boxOrder_;
}
