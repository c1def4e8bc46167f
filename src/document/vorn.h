#pragma once

#include "boxkinds.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// Limits and fixed places of a vorn. Counts, codes and coordinates are 16-bit in the
// model and in the file.
namespace VornLimits {
inline constexpr int MaxBoxes = 50;        // the tables hold this many boxes
inline constexpr int MaxAddableBoxes = 49; // the add buttons stop here
inline constexpr int MaxEntries = 500;
inline constexpr qint16 NoTitle = -1;
inline constexpr qint16 DefaultCardWidth = 8880; // twips
inline constexpr qint16 DefaultCardHeight = 7725;
inline constexpr int CardAreaLeft = 2200; // the card area starts here, twips
inline constexpr int CardAreaTop = 900;

inline constexpr bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}
} // namespace VornLimits

// Layout of one box on the card.
struct BoxDescriptor {
    qint16 Type = BoxKind::Word;
    QString Header;
    qint16 HeadPose = 1;
    QString DefaultValue;
    qint16 Left = 0;
    qint16 Top = 0;

    friend bool operator==(const BoxDescriptor&, const BoxDescriptor&) = default;
};

// Writes n in decimal and pads it with zeros in front to the width off; the minus sign
// counts as a character (-5 at width 3 gives "0-5"), longer texts stay as they are.
QString Zeroes(qint16 n, qint16 off);

// Clamps a wider value into 16 bits instead of letting it wrap.
qint16 clampTo16(long long value);

// One document: a card of up to 50 boxes and up to 500 entries.
//
// Box numbers j are 1-based (1..BoxCount); list positions p are 1-based (1..EntryCount);
// rows r of the entry table are 1-based (1..500). EntryOrder maps a list position to its
// row, and the rows in use are always exactly 1..EntryCount.
//
// Every accessor that takes an index checks it: an index outside the tables reads as an
// empty/zero value and writes nothing. The plain setters (setCell, setDescriptor, ...) are
// for building a vorn, as the reader does; the edits below them are the user's changes and
// set Modified themselves.
//
// Copies are cheap and share what they did not change: the table is a shared list of shared
// rows, so a copy taken before an edit costs about what the edit changed.
class Vorn {
public:
    Vorn(); // the start-up state: identity output order, name "New", empty card

    // --- plain fields ---------------------------------------------------------------
    qint16 EntryCount = 0;
    qint16 BoxCount = 0;
    qint16 TitleBox = VornLimits::NoTitle;
    qint16 CardWidth = 0; // 0 until the layout is first taken from the window
    qint16 CardHeight = 0;
    bool Unlocked = true;
    bool Designing = true;
    bool Modified = false;
    QString Password;
    QString VornPath;
    QString StartDir;
    QString VornName = QStringLiteral("New");

    // BoxCount and EntryCount held to what the tables hold: every loop over boxes or
    // entries runs to these, so none can leave the tables whatever the counts say.
    int usedBoxes() const;
    int usedEntries() const;
    // Whether TitleBox names a box of the card.
    bool hasTitle() const;

    // --- tables (checked access) -----------------------------------------------------
    const BoxDescriptor& descriptor(int j) const;      // j = 1..50; outside: an empty record
    bool setDescriptor(int j, const BoxDescriptor& d); // false (nothing written) outside

    QString cell(int row, int j) const; // EntryTable(row, j)
    void setCell(int row, int j, QString value);

    qint16 entryOrder(int p) const; // EntryOrder[p], p = 1..500; 0 outside
    void setEntryOrder(int p, qint16 row);

    qint16 boxOrder(int j) const; // BoxOrder[j], j = 1..50; 0 outside
    void setBoxOrder(int j, qint16 position);

    // The value of the entry at list position p for box j: EntryTable(EntryOrder[p], j).
    QString value(int p, int j) const;
    void setValue(int p, int j, const QString& v);

    // ".\" + VornName + "\" + file: where the vorn's pictures are named from.
    QString picturePath(const QString& file) const;

    // --- operations --------------------------------------------------------------------
    // Empties the vorn as Reset does: entries, counts, title, path, password, card size,
    // Unlocked true, Modified false. Name, output order and descriptors are kept.
    void reset();

    // Smallest box j in 1..BoxCount with BoxOrder[j] == pos, or BoxCount + 1.
    qint16 OrderBox(qint16 pos) const;

    // Boxes 1..BoxCount each exactly once, by output position and then by box number:
    // gaps and repeats in BoxOrder never lose or duplicate a box.
    std::vector<int> outputSequence() const;

    // Caption of list position p: Zeroes(p, 3), and with a title box a blank and the
    // entry's title value.
    QString entryCaption(int p) const;
    // Whether the lower-cased caption of position p contains the lower-cased phrase.
    bool matches(int p, const QString& phrase) const;
    int countMatches(const QString& phrase) const;
    // The next matching position after current, wrapping round to 1..current.
    std::optional<int> findNext(int current, const QString& phrase) const;

    // Rewrites every entry's picture paths under the name newName (the Name command):
    // ".\old\cat.bmp" becomes ".\newName\cat.bmp"; empty values stay empty. Default
    // values are not touched. A value with no "\" from its third character on is taken as
    // a bare file name: "cat.bmp" becomes ".\newName\cat.bmp". Naming is not an edit:
    // Modified stays as it was.
    void renamePictures(const QString& newName);

    // --- edits: each sets Modified when it changed something ---------------------------
    // Inserts a new entry after list position after (0 = in front of all) with the
    // card's default values in row EntryCount + 1; returns its list position, or nothing
    // (and changes nothing) when the vorn is full or after is not 0..EntryCount.
    std::optional<int> insertEntryAfter(int after);
    // Removes the entry at list position p (1..EntryCount); the rows in use stay compact
    // and every other entry keeps its values. False when p is out of range.
    bool removeEntry(int p);
    // Exchanges the entries at list positions p and q (order only; values stay in rows).
    bool swapEntries(int p, int q);

    // Stores what a box shows: the value of the entry at p, or for p = 0 the card's default
    // value of box j. Every store counts as a change, even of an equal value, since the
    // window stores on every display. False when j or p names nothing.
    bool storeValue(int p, int j, const QString& v);

    // Appends box d as box BoxCount + 1 with empty values in every entry; the first box of
    // the card becomes the title box when its kind can name entries. Its number, or nothing
    // when the card is full.
    std::optional<int> addBox(const BoxDescriptor& d);
    // Box j takes kind and the default value; a title box that can no longer name the
    // entries stops being the title box. The entries keep their values.
    bool retypeBox(int j, qint16 kind, const QString& defaultValue);
    bool setHeadPose(int j, qint16 pose);
    bool setHeader(int j, const QString& header);
    bool moveBox(int j, int left, int top); // twips, held to 16 bits
    bool setTitle(int j);
    void setPassword(const QString& password);

    // Removes box j: the descriptors, the entries' columns, the title and the output
    // positions of the boxes after it move down one slot together, so the result is the
    // vorn that never had the box. The slot given up returns to its start-up state (empty
    // record and column, output position = its own number). A removed title box leaves
    // the vorn without one.
    bool removeBox(int j);

    friend bool operator==(const Vorn&, const Vorn&);

private:
    BoxDescriptor* editable(int j); // null outside 1..BoxCount
    void dropEmptyRows();

    using Row = QList<QString>; // MaxBoxes cells
    std::array<BoxDescriptor, VornLimits::MaxBoxes> boxes_{};
    QList<Row> rows_; // rows 1..n, up to the last one with a value
    std::array<qint16, VornLimits::MaxEntries> entryOrder_{};
    std::array<qint16, VornLimits::MaxBoxes> boxOrder_{};
};
