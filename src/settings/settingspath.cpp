#include "settings/settings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString fileName = QStringLiteral("kestrun_free.json");

QString programFolderFile() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
}

} // namespace

QString settingsFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        qWarning() << "Failed to create config dir:" << folder;
        return programFolderFile();
    }
    return QDir::cleanPath(folder + QLatin1Char('/') + fileName);
}

void migrateLegacySettings() {
    const QString legacyPath = programFolderFile();
    if (!QFileInfo(legacyPath).isFile()) {
        return;
    }
    const QString targetPath = settingsFilePath();
    // QFile::copy never replaces an existing file, so a newer configuration
    // always wins over the legacy one.
    QFile::copy(legacyPath, targetPath);
    qDebug() << "Migrated config from" << legacyPath << "to" << targetPath;
}

QString normalizedPath(const QString& path) {
    QString slashed = path;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(slashed);
}
