#include "model/filekind.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

FileKind fileKindAt(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        if (errno == ENOENT)
            return FileKind::Missing;
        return errno == ELOOP ? FileKind::LinkLoop : FileKind::Unknown;
    }
    if (S_ISREG(status.st_mode))
        return FileKind::RegularFile;
    if (S_ISDIR(status.st_mode))
        return FileKind::Folder;
    if (S_ISFIFO(status.st_mode))
        return FileKind::Fifo;
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return FileKind::Device;
    return S_ISSOCK(status.st_mode) ? FileKind::Socket : FileKind::Unknown;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return FileKind::Missing;
    if (info.isDir())
        return FileKind::Folder;
    return info.isFile() ? FileKind::RegularFile : FileKind::Unknown;
#endif
}

FileReason fileReason(FileKind kind, const QString& systemError) {
    switch (kind) {
    case FileKind::Missing:
        return {QStringLiteral("ファイルがありません。"), QStringLiteral("it does not exist")};
    case FileKind::Folder:
        return {QStringLiteral("フォルダーです。"), QStringLiteral("it is a folder")};
    case FileKind::Fifo:
        return {QStringLiteral("名前付きパイプ（FIFO）です。"),
                QStringLiteral("it is a named pipe (FIFO)")};
    case FileKind::Device:
        return {QStringLiteral("デバイスです。"), QStringLiteral("it is a device")};
    case FileKind::Socket:
        return {QStringLiteral("ソケットです。"), QStringLiteral("it is a socket")};
    case FileKind::LinkLoop:
        return {QStringLiteral("シンボリックリンクが循環しています。"),
                QStringLiteral("its symbolic links form a loop")};
    case FileKind::RegularFile:
    case FileKind::Unknown:
        break;
    }
    return {QStringLiteral("読み取れません（%1）。").arg(systemError),
            QStringLiteral("it cannot be read (%1)").arg(systemError)};
}

std::optional<FileReason> saveRefusal(const QString& path) {
    const FileKind kind = fileKindAt(path);
    switch (kind) {
    case FileKind::Missing:
    case FileKind::RegularFile:
    // The save itself reports what keeps it from the path.
    case FileKind::Unknown:
        return std::nullopt;
    case FileKind::Folder:
    case FileKind::Fifo:
    case FileKind::Device:
    case FileKind::Socket:
    case FileKind::LinkLoop:
        break;
    }
    const FileReason reason = fileReason(kind, QString());
    return FileReason{reason.japanese + QStringLiteral("通常のファイルにだけ保存します。"),
                      reason.english + QStringLiteral(", and only a regular file is replaced")};
}
