#pragma once

#include <QString>

#include <functional>

class QIODevice;

// How a file is saved. QSaveFile writes a temporary file beside the target and puts it in
// the target's place only when everything was written, so a failed save leaves the old file
// as it was. That needs a folder the program may write in; a file the program may write, in
// a folder it may not, is written in place instead, which is the only way to save it at all.
namespace SaveTarget {

// What decides the way, as found on disk.
struct Facts {
    bool fileExists = false; // a regular file (a link is followed)
    bool fileWritable = false;
    bool folderWritable = false; // the folder that holds the file
    friend bool operator==(const Facts&, const Facts&) = default;
};

Facts inspect(const QString& path);

// Whether a save to a target with these facts writes the file in place.
bool writesInPlace(const Facts& facts);

// How a save went: where it stopped, and why, in words for the user.
struct Outcome {
    enum class Stage { Done, Open, Write, Commit };
    Stage stage = Stage::Done;
    bool inPlace = false; // the file was written in place, so a failure may have marked it
    QString reason;       // the writer's own, or the device's for opening and committing
    bool saved() const { return stage == Stage::Done; }
};

// Fills the file at path through write, on a QSaveFile that writes in place only where
// writesInPlace says so: the file is put in place only when write returned true, and a failed
// save leaves nothing half-written beside it. write gives its reason when it returns false (it
// may leave it empty, as for a run the user cancelled).
using Writer = std::function<bool(QIODevice& device, QString* reason)>;
Outcome save(const QString& path, const Writer& write);

} // namespace SaveTarget
