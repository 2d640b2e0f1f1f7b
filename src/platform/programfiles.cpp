#include "platform/programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString findProgramFile(const QString& relativePath, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(relativePath);
        if (QFileInfo::exists(path))
            return path;
    }
    return folders.isEmpty() ? relativePath : QDir(folders.constFirst()).filePath(relativePath);
}

// The executable's folder is that of the program itself: a symbolic link
// such as /usr/bin/kestrun is resolved to the file it names.
QString programFile(const QString& relativePath) {
    return findProgramFile(relativePath,
                           {QCoreApplication::applicationDirPath(), QDir::currentPath()});
}
