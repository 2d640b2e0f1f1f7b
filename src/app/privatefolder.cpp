#include "app/privatefolder.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

QString privateFolderIn(const QString& base) {
    const uid_t user = ::geteuid();
    const QString folder = QDir(base).absoluteFilePath(QStringLiteral("kestrun-%1").arg(user));
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        qWarning() << "Cannot make the folder" << folder << ":" << qt_error_string(errno);
        return {};
    }
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != user || (status.st_mode & 07777) != 0700) {
        qWarning() << "Not using" << folder << ": it is not a folder of this user's alone.";
        return {};
    }
    return folder;
}
