#pragma once

#include "fileerrors.h"
#include "vornfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

#include <bit>
#include <cstring>
#include <optional>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace FieldSearch {
inline constexpr qsizetype ChunkBytes = 64 * 1024; // read from the device at a time

// The first of the bytes a, b and c in [p, end), or end.
inline const char* findAny(const char* p, const char* end, char a, char b, char c) {
#if defined(__SSE2__)
    // Sixteen bytes at a time: the fields of a vorn file are long runs of plain text.
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)),
                                         _mm_cmpeq_epi8(v, vc));
        if (const int mask = _mm_movemask_epi8(hit))
            return p + std::countr_zero(unsigned(mask));
    }
#endif
    for (; p != end; ++p)
        if (*p == a || *p == b || *p == c)
            return p;
    return end;
}

// Splits the file into fields: the text up to the next comma or line end, blanks around it
// dropped; a field that starts with a double quote runs to the next double quote on its line
// and the rest of the line up to a comma is passed over. CR LF, LF and a lone CR all end a
// line. The device is read in chunks into one buffer and a field is handed out as a view
// into it, so a field is neither copied nor allocated; a buffer refill keeps only the field
// being read. A field is kept only up to MaxVornFieldBytes, so neither a huge line nor a
// huge file is held in memory.
} // namespace FieldSearch

class FieldReader {
public:
    struct Field {
        QByteArrayView text; // valid until the next call; empty when overlong
        bool overlong = false;
    };

    explicit FieldReader(QIODevice& device) : device_(device) {}

    // Nothing at the end of the data (or after a read error, see failed()).
    std::optional<Field> next() {
        start_ = pos_;
        length_ = 0;
        complete_ = overlong_ = spilled_ = false;
        if (!more())
            return std::nullopt;
        while (more() && at() == ' ')
            start_ = ++pos_;
        int end = 0;
        if (more() && at() == '"') {
            start_ = ++pos_;
            end = take('"', '\r', '\n');
            if (end == '"')
                end = skipPast(',', '\r', '\n');
        } else {
            end = take(',', '\r', '\n');
            while (length_ > 0 && buffer_.at(start_ + length_ - 1) == ' ')
                --length_;
        }
        if (end == '\r' && more() && at() == '\n')
            ++pos_;
        Field field;
        field.overlong = overlong_;
        if (!overlong_)
            field.text = spilled_ ? QByteArrayView(spill_)
                                  : QByteArrayView(buffer_.constData() + start_, length_);
        return field;
    }
    bool failed() const { return failed_; }
    QString errorString() const { return FileErrors::reason(device_); }

private:
    // Reads the field from pos_ up to the first of a, b and c, which it consumes and returns
    // (-1 at the end of the data). The field is [start_, start_ + length_) of the buffer.
    int take(char a, char b, char c) {
        qsizetype passed = 0; // bytes of an overlong field that are no longer kept
        for (;;) {
            const char* data = buffer_.constData();
            pos_ = FieldSearch::findAny(data + pos_, data + size_, a, b, c) - data;
            if (passed + (pos_ - start_) > MaxVornFieldBytes)
                overlong_ = true;
            if (overlong_) { // only the end of it is still wanted
                passed += pos_ - start_;
                start_ = pos_;
            }
            const bool found = pos_ < size_;
            if (found || !fill()) {
                length_ = pos_ - start_;
                complete_ = true;
                return found ? uchar(buffer_.at(pos_++)) : -1;
            }
        }
    }

    // Passes over the bytes up to the first of a, b and c, which it consumes and returns.
    int skipPast(char a, char b, char c) {
        for (;;) {
            const char* data = buffer_.constData();
            pos_ = FieldSearch::findAny(data + pos_, data + size_, a, b, c) - data;
            if (pos_ < size_)
                return uchar(data[pos_++]);
            if (!fill())
                return -1;
        }
    }

    char at() const { return buffer_.at(pos_); }

    // Whether there is a byte at pos_, reading more when needed.
    bool more() { return pos_ < size_ || fill(); }

    // Called with every byte of the buffer looked at. Keeps the part of the field that is being
    // read, moved to the front, and appends the next chunk; a field that is already complete
    // is moved aside instead, so that what follows it need not be kept.
    bool fill() {
        if (ended_)
            return false;
        char* data = buffer_.data();
        if (complete_ && !spilled_) {
            spill_ = QByteArray(data + start_, length_);
            spilled_ = true;
        }
        if (const qsizetype from = complete_ ? pos_ : start_; from > 0) {
            memmove(data, data + from, size_t(size_ - from));
            size_ -= from;
            pos_ -= from;
            start_ -= complete_ ? 0 : from;
        }
        if (buffer_.size() < size_ + FieldSearch::ChunkBytes)
            buffer_.resize(size_ + FieldSearch::ChunkBytes);
        const qint64 got = device_.read(buffer_.data() + size_, FieldSearch::ChunkBytes);
        if (got <= 0) {
            ended_ = true;
            failed_ = got < 0;
            return false;
        }
        size_ += got;
        return true;
    }

    QIODevice& device_;
    QByteArray buffer_; // [0, size_) read from the device; its size is the room for it
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    // The field being read.
    qsizetype start_ = 0;
    qsizetype length_ = 0;
    bool complete_ = false;
    bool overlong_ = false;
    bool spilled_ = false;
    QByteArray spill_; // a complete field moved out of the buffer
    bool ended_ = false;
    bool failed_ = false;
};
