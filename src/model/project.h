#pragma once

#include <QByteArray>
#include <QString>

#include "model/tokens.h"

// The two token lists of a project, always of equal length and never empty.
struct Project {
    PageList list_command;
    PageList list_condition;

    static Project blank();
    bool operator==(const Project& other) const = default;
};

// A failure to show the user: the message box title and text. The window's
// file errors are Japanese in both interface languages; the English line is
// added in the English interface and by the player, which speaks both.
struct FileError {
    QString title;
    QString text;
    QString english = QString();

    QString shownText(bool japanese) const;
};

struct ReadResult {
    bool ok = false;
    Project project;
    FileError error;
};

struct WriteResult {
    bool ok = false;
    FileError error;
};

// Serialises a project in the indented .cmdat layout.
QByteArray projectToJson(const Project& project);

// Parses .cmdat text. A root object without either list is refused; any
// other accepted text is completed to equal page counts, at least one page
// and a type keyword in every list, so the editor can always show it.
ReadResult projectFromJson(const QByteArray& data);

// Far above any project made in the editor; a larger file, or a device or
// FIFO in place of a file, is refused before it is read.
constexpr qint64 projectFileSizeLimit = 16 * 1024 * 1024;

ReadResult readProjectFile(const QString& path);
// Written atomically: a failure leaves any previous file as it was. Only a
// regular file (or a link to one) is replaced; a file in a folder where no
// file can be made is written in place.
WriteResult writeProjectFile(const QString& path, const Project& project);

// Save As: appends ".cmdat" unless the path already ends with it (any case).
QString withProjectExtension(const QString& path);
// "新規プロジェクト" while untitled, else the file name up to its first dot.
QString projectName(const QString& projectPath, const QString& desktopPath);
bool isUntitled(const QString& projectPath, const QString& desktopPath);
// The platform's writable desktop folder, asked for afresh.
QString desktopFolderPath();
