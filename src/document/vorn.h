#pragma once

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
} // namespace VornLimits

// Box type codes, shared by the field box, the designer and the file.
namespace BoxKind {
inline constexpr qint16 Word = 0;
inline constexpr qint16 Phrase = 1;
inline constexpr qint16 Text = 2;
inline constexpr qint16 Picture = 3;
inline constexpr qint16 List = 4;
inline constexpr qint16 Number = 5; // stored only; on screen a phrase box of NumberLength
inline constexpr qint16 NumberLength = 500;
} // namespace BoxKind

// The character in front of every item of a list value.
inline constexpr QChar ListSeparator = QChar(11);

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
// empty/zero value and writes nothing. The operations work on the data only: setting
// Modified and updating the window are the caller's part.
class Vorn {
public:
    Vorn(); // the start-up state: identity output order, name "New", empty card

    // --- plain fields ---------------------------------------------------------------
    qint16 EntryCount = 0;
    qint16 BoxCount = 0;
    qint16 TitleBox = VornLimits::NoTitle;
    qint16 CardWidth = 0; // 0 until the layout is first taken from the window
    qint16 CardHeight = 0;
    qint16 GrabX = 0;
    qint16 GrabY = 0;
    qint16 MenuBox = 0;
    bool Unlocked = true;
    bool Designing = true;
    bool Modified = false;
    QString Password;
    QString VornPath;
    QString StartDir;
    QString SearchPhrase;
    QString ListBuffer;
    QString VornName = QStringLiteral("New");

    // --- tables (checked access) -----------------------------------------------------
    BoxDescriptor& descriptor(int j);             // j = 1..50; out of range: a scratch record
    const BoxDescriptor& descriptor(int j) const; // out of range: an empty record

    QString cell(int row, int j) const; // EntryTable(row, j)
    void setCell(int row, int j, const QString& value);

    qint16 entryOrder(int p) const; // EntryOrder[p], p = 1..500; 0 outside
    void setEntryOrder(int p, qint16 row);

    qint16 boxOrder(int j) const; // BoxOrder[j], j = 1..50; 0 outside
    void setBoxOrder(int j, qint16 position);

    // The value of the entry at list position p for box j: EntryTable(EntryOrder[p], j).
    QString value(int p, int j) const;
    void setValue(int p, int j, const QString& v);

    // --- operations --------------------------------------------------------------------
    // Empties the vorn as Reset does: entries, counts, title, path, password, card size,
    // Unlocked true, Modified false. Name, output order, descriptors, search phrase and
    // list buffer are kept.
    void reset();

    // Smallest box j in 1..BoxCount with BoxOrder[j] == pos, or BoxCount + 1.
    qint16 OrderBox(qint16 pos) const;

    // Boxes 1..BoxCount each exactly once, by output position and then by box number:
    // gaps and repeats in BoxOrder never lose or duplicate a box.
    std::vector<int> outputSequence() const;

    // Inserts a new entry after list position after (0 = in front of all) with the
    // card's default values in row EntryCount + 1; returns its list position, or nothing
    // (and changes nothing) when the vorn is full or after is not 0..EntryCount.
    std::optional<int> insertEntryAfter(int after);
    // Removes the entry at list position p (1..EntryCount); the rows in use stay compact
    // and every other entry keeps its values. False when p is out of range.
    bool removeEntry(int p);
    // Exchanges the entries at list positions p and q (order only; values stay in rows).
    bool swapEntries(int p, int q);

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
    // a bare file name: "cat.bmp" becomes ".\newName\cat.bmp".
    void renamePictures(const QString& newName);

    // Removes box j: the descriptors, the entries' columns, the title and the output
    // positions of the boxes after it move down one slot together, so the result is the
    // vorn that never had the box. The slot given up returns to its start-up state (empty
    // record and column, output position = its own number). A removed title box leaves
    // the vorn without one.
    void removeBox(int j);

    friend bool operator==(const Vorn&, const Vorn&) = default;

private:
    int usedBoxes() const;   // BoxCount held to 0..MaxBoxes
    int usedEntries() const; // EntryCount held to 0..MaxEntries

    std::array<BoxDescriptor, VornLimits::MaxBoxes> boxes_{};
    void dropEmptyRows();

    std::vector<QString> table_; // row-major, MaxBoxes per row, up to the last used row
    std::array<qint16, VornLimits::MaxEntries> entryOrder_{};
    std::array<qint16, VornLimits::MaxBoxes> boxOrder_{};
};
