#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cerrno>

// A write-only device that takes the first `capacity` bytes written to it and then fails, as
// a disk that fills up does: a write that meets the limit is cut short, every later one
// fails with the reason given.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity, const QString& reason = qt_error_string(ENOSPC))
        : capacity_(capacity), reason_(reason) {
        open(QIODevice::WriteOnly);
    }

    // What reached the device before it failed.
    const QByteArray& written() const { return written_; }
    // The failing write calls; a writer should stop at the first.
    int failedWrites() const { return failedWrites_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        const qint64 room = capacity_ - written_.size();
        if (room <= 0) {
            ++failedWrites_;
            setErrorString(reason_);
            return -1;
        }
        const qint64 taken = std::min(length, room);
        written_.append(data, taken);
        return taken;
    }

private:
    qint64 capacity_;
    QString reason_;
    QByteArray written_;
    int failedWrites_ = 0;
};
