#pragma once

#include <optional>

#include <QString>

// What a path names once symbolic links are followed.
enum class FileKind { Missing, RegularFile, Folder, Fifo, Device, Socket, LinkLoop, Unknown };

FileKind fileKindAt(const QString& path);

// Why a file cannot be used, as a sentence in each interface language.
struct FileReason {
    QString japanese;
    QString english;
};

// Why a file of `kind` cannot be used; for a regular file or an unknown kind
// it is `systemError`, the system's own words.
FileReason fileReason(FileKind kind, const QString& systemError);

// Why nothing may be saved at `path`: anything but a regular file, a link to
// one, or nothing yet. Saving replaces the file, so a device, a FIFO or a
// folder there would be replaced by a file.
std::optional<FileReason> saveRefusal(const QString& path);
