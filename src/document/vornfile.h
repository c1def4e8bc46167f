#pragma once

#include "vorn.h"

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Reading and writing the *.vorn file: one Scrim-encoded value per line, CR LF endings.

// Asked when an old (version 0) file is read: shows the upgrade message and returns the
// name the user gives the vorn (the Name command's question).
using OldFileNamer = std::function<QString()>;

struct LoadResult {
    std::optional<Vorn> vorn; // set only when the file was read
    QString error;            // a sentence a user can act on, when vorn is empty
    // Fields that were missing, too long or did not decode; each kept the value emptying
    // the vorn gave it. The file was still read; the caller may tell the user.
    int skippedFields = 0;
};

// A field longer than this is passed over as damaged rather than held in memory.
inline constexpr qsizetype MaxVornFieldBytes = 16 * 1024 * 1024;

// Writes the vorn to device in the file's line layout. False (and error set) on the
// first failing write.
bool writeVorn(QIODevice& device, const Vorn& vorn, QString* error = nullptr);

// Saves atomically through QSaveFile: on failure the file on disk is untouched. The one
// exception is a writable file in a folder that cannot be written, which is written in place
// (see SaveTarget); the error then says the file may be cut short.
bool SaveTo(const QString& path, const Vorn& vorn, QString* error = nullptr);

// Reads a vorn from device. base supplies what emptying a vorn keeps (output order, name,
// descriptors beyond the count, start directory, search phrase, list buffer); the result is
// base after reset() with the file's contents, locked and unmodified. A damaged step is
// skipped and reading goes on, except that counts that are unreadable or outside the tables
// mark the whole file as damaged, and so does a read error of the device. namer is called
// only for an old file whose counts are sound, before any entry is read.
LoadResult readVorn(QIODevice& device, const Vorn& base, const OldFileNamer& namer);

// Opens path and reads it; a file that cannot be opened is an error, not an empty vorn.
LoadResult LoadFrom(const QString& path, const Vorn& base, const OldFileNamer& namer);
