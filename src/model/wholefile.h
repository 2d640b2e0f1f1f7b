#pragma once

#include <QByteArray>
#include <QString>

// The content of a file read whole, or why it could not be.
struct WholeFile {
    enum class Status { Read, CannotOpen, NotARegularFile, TooLarge, ReadFailed };

    Status status = Status::CannotOpen;
    QByteArray data;
    // The system's description of the failure to open or to read.
    QString errorText;
};

// Reads a regular file of at most `limit` bytes. Anything else (a device, a
// FIFO, a folder) is refused without reading a byte from it, so an endless
// device or a FIFO without writer cannot hold the caller, and a file over the
// limit is refused before it fills the memory.
WholeFile readWholeFile(const QString& path, qint64 limit);
