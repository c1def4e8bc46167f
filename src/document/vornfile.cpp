#include "vornfile.h"

#include "fieldreader.h"
#include "fileerrors.h"
#include "savetarget.h"
#include "scrim.h"

#include <QFile>
#include <QIODevice>

namespace {

// Messages for the user; %1 and %2 are filled in where they are used.
const QString LoadFailedText = QStringLiteral("Не удалось загрузить ворн из файла «%1». %2");
const QString ReadFailedText = QStringLiteral("Ошибка чтения файла: %1.");
const QString CountsUnreadableText =
    QStringLiteral("Файл повреждён: не удаётся прочитать число полей и записей.");
const QString CountsOutOfRangeText =
    QStringLiteral("Файл повреждён: в нём %1 полей и %2 записей, а ворн вмещает не больше "
                   "%3 полей и %4 записей.");
const QString VornTooLargeText =
    QStringLiteral("В ворне %1 полей и %2 записей, а файл вмещает не больше %3 полей и "
                   "%4 записей.");
const QString WriteFailedText = QStringLiteral("Ошибка записи: %1.");
const QString SaveFailedText =
    QStringLiteral("Ворн не сохранён в файл «%1». %2 Прежний файл на диске не изменён.");
// A file written in place (its folder cannot take a temporary file) is cut short at the
// start of the write.
const QString SaveInPlaceFailedText = QStringLiteral(
    "Ворн не сохранён в файл «%1». %2 Файл на диске мог остаться записанным не до конца.");

const QString VersionWord = QStringLiteral("version");
const QString VersionLineText = QStringLiteral("version ");
constexpr qint16 CurrentVersion = 1;

using VornLimits::inRange;

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

// The reader's one rule for a damaged step: a field that is missing, too long or does not
// decode is counted and leaves its target as it was.
class StepReader {
public:
    explicit StepReader(QIODevice& device) : fields_(device) {}

    // The next field, valid until the next one is read; nothing (counted as skipped) when it
    // is missing or too long.
    std::optional<QByteArrayView> field() {
        const auto next = fields_.next();
        if (!next || next->overlong) {
            ++skipped;
            return std::nullopt;
        }
        return next->text;
    }

    // The same, kept: for the header, whose fields are looked at after later ones are read.
    std::optional<QByteArray> raw() {
        const auto text = field();
        return text ? std::optional(text->toByteArray()) : std::nullopt;
    }

    void number(qint16& target) {
        if (const auto text = field())
            adopt(target, Scrim::decodeNum(*text));
    }

    void text(QString& target) {
        if (const auto text = field())
            adopt(target, Scrim::decodeStr(*text));
    }

    template <typename T> void adopt(T& target, std::optional<T> decoded) {
        if (decoded)
            target = std::move(*decoded);
        else
            ++skipped;
    }

    bool failed() const { return fields_.failed(); }
    QString errorString() const { return fields_.errorString(); }

    int skipped = 0;

private:
    FieldReader fields_;
};

class LineWriter {
public:
    explicit LineWriter(QIODevice& device) : device_(device) {}

    // Lines are gathered and handed to the device in large blocks; after the first failed
    // write nothing more is written.
    void number(qint16 n) {
        Scrim::appendEncodedNum(buffer_, n);
        endLine();
    }
    void text(const QString& t) {
        Scrim::appendEncodedStr(buffer_, t);
        endLine();
    }
    // The version line: a text and a number on one line.
    void textAndNumber(const QString& t, qint16 n) {
        Scrim::appendEncodedStr(buffer_, t);
        number(n);
    }

    bool finish() {
        flush();
        return ok_;
    }

private:
    void endLine() {
        buffer_.append("\r\n", 2);
        if (buffer_.size() >= BlockBytes)
            flush();
    }
    // A device may take part of a block; the rest is offered again until it takes all or
    // fails, so that a failure carries the device's reason.
    void flush() {
        qsizetype done = 0;
        while (ok_ && done < buffer_.size()) {
            const qint64 n = device_.write(buffer_.constData() + done, buffer_.size() - done);
            ok_ = n > 0;
            done += ok_ ? n : 0;
        }
        buffer_.clear();
    }

    static constexpr qsizetype BlockBytes = 256 * 1024;
    QIODevice& device_;
    QByteArray buffer_;
    bool ok_ = true;
};

std::optional<qint16> decodeCount(const std::optional<QByteArray>& field) {
    if (!field)
        return std::nullopt;
    return Scrim::decodeNum(*field);
}

LoadResult damaged(const StepReader& in, const QString& reason) {
    LoadResult result;
    result.error = in.failed() ? ReadFailedText.arg(in.errorString()) : reason;
    result.skippedFields = in.skipped;
    return result;
}

} // namespace

bool writeVorn(QIODevice& device, const Vorn& vorn, QString* error) {
    const int boxes = vorn.BoxCount;
    const int entries = vorn.EntryCount;
    // The reader refuses such counts, so writing them would only make a file that cannot
    // be opened again.
    if (!inRange(boxes, 0, VornLimits::MaxBoxes) || !inRange(entries, 0, VornLimits::MaxEntries)) {
        setError(error, VornTooLargeText.arg(boxes)
                            .arg(entries)
                            .arg(VornLimits::MaxBoxes)
                            .arg(VornLimits::MaxEntries));
        return false;
    }
    LineWriter out(device);
    out.textAndNumber(VersionLineText, CurrentVersion);
    out.text(vorn.VornName);
    out.number(vorn.BoxCount);
    out.number(vorn.EntryCount);
    out.number(vorn.CardWidth);
    out.number(vorn.CardHeight);
    for (int j = 1; j <= boxes; ++j) {
        // The file's own order, not the record's.
        const BoxDescriptor& box = vorn.descriptor(j);
        out.number(box.Type);
        out.number(box.Left);
        out.number(box.Top);
        out.number(box.HeadPose);
        out.text(box.DefaultValue);
        out.text(box.Header);
    }
    out.number(vorn.TitleBox);
    out.text(vorn.Password);
    for (int p = 1; p <= entries; ++p)
        for (int j = 1; j <= boxes; ++j)
            out.text(vorn.value(p, j));
    for (int j = 1; j <= boxes; ++j)
        out.number(vorn.boxOrder(j));
    if (!out.finish()) {
        setError(error, WriteFailedText.arg(FileErrors::reason(device)));
        return false;
    }
    return true;
}

bool SaveTo(const QString& path, const Vorn& vorn, QString* error) {
    using Stage = SaveTarget::Outcome::Stage;
    const SaveTarget::Outcome saved =
        SaveTarget::save(path, [&vorn](QIODevice& device, QString* reason) {
            return writeVorn(device, vorn, reason);
        });
    if (saved.saved())
        return true;
    // The writer words its own reasons; the device's come as they are.
    const QString reason =
        saved.stage == Stage::Write ? saved.reason : WriteFailedText.arg(saved.reason);
    const bool marked = saved.inPlace && saved.stage != Stage::Open;
    setError(error, (marked ? SaveInPlaceFailedText : SaveFailedText).arg(path, reason));
    return false;
}

LoadResult readVorn(QIODevice& device, const Vorn& base, const OldFileNamer& namer) {
    StepReader in(device);
    Vorn vorn = base;
    vorn.reset();

    const auto first = in.raw();
    const auto second = in.raw();
    // An old file starts with its box count, whose text never reads as "version". A header
    // whose number is damaged still marks a file of the current layout.
    qint16 version = 0;
    if (first) {
        const auto header = Scrim::decodeStr(*first);
        if (header && header->startsWith(VersionWord))
            version = Scrim::decodeNum(first->mid(VersionLineText.size())).value_or(CurrentVersion);
    }
    const bool oldLayout = version <= 0;

    std::optional<QByteArray> boxesField = first;
    std::optional<QByteArray> entriesField = second;
    if (!oldLayout) {
        if (second)
            in.adopt(vorn.VornName, Scrim::decodeStr(*second));
        boxesField = in.raw();
        entriesField = in.raw();
    }
    const std::optional<qint16> boxes = decodeCount(boxesField);
    const std::optional<qint16> entries = decodeCount(entriesField);
    if (!boxes || !entries)
        return damaged(in, CountsUnreadableText);
    if (!inRange(*boxes, 0, VornLimits::MaxBoxes) || !inRange(*entries, 0, VornLimits::MaxEntries))
        return damaged(in, CountsOutOfRangeText.arg(*boxes)
                               .arg(*entries)
                               .arg(VornLimits::MaxBoxes)
                               .arg(VornLimits::MaxEntries));
    // Only a file that will be read asks for a name.
    if (oldLayout && namer)
        vorn.VornName = namer();
    vorn.BoxCount = *boxes;
    vorn.EntryCount = *entries;

    in.number(vorn.CardWidth);
    in.number(vorn.CardHeight);
    for (int j = 1; j <= *boxes; ++j) {
        // A damaged field leaves the default, not what the previous vorn had in this slot.
        BoxDescriptor box;
        in.number(box.Type);
        in.number(box.Left);
        in.number(box.Top);
        in.number(box.HeadPose);
        in.text(box.DefaultValue);
        in.text(box.Header);
        vorn.setDescriptor(j, box);
    }
    in.number(vorn.TitleBox);
    if (!inRange(vorn.TitleBox, 1, *boxes))
        vorn.TitleBox = VornLimits::NoTitle;
    in.text(vorn.Password);

    // Old files named pictures in the working directory; they now live in the vorn's folder.
    for (int p = 1; p <= *entries; ++p) {
        vorn.setEntryOrder(p, qint16(p));
        for (int j = 1; j <= *boxes; ++j) {
            const auto field = in.field();
            if (!field)
                continue;
            QString value;
            in.adopt(value, Scrim::decodeStr(*field));
            if (oldLayout && !value.isEmpty() && vorn.descriptor(j).Type == BoxKind::Picture)
                value = vorn.picturePath(value);
            vorn.setCell(p, j, std::move(value));
        }
    }
    for (int j = 1; j <= *boxes; ++j) {
        qint16 position = vorn.boxOrder(j);
        in.number(position);
        vorn.setBoxOrder(j, position);
    }
    if (in.failed())
        return damaged(in, {});

    vorn.Unlocked = false;
    vorn.Designing = false;
    vorn.Modified = false;
    LoadResult result;
    result.vorn = std::move(vorn);
    result.skippedFields = in.skipped;
    return result;
}

LoadResult LoadFrom(const QString& path, const Vorn& base, const OldFileNamer& namer) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LoadResult result;
        result.error = FileErrors::openFailed(file);
        return result;
    }
    LoadResult result = readVorn(file, base, namer);
    if (!result.vorn)
        result.error = LoadFailedText.arg(path, result.error);
    return result;
}
