#include "model/project.h"

#include <QFileInfo>
#include <QStandardPaths>

QString FileError::shownText(bool japanese) const {
    return japanese || english.isEmpty() ? text : text + u'\n' + english;
}

Project Project::blank() {
    return {{blankCommand()}, {blankCondition()}};
}

QString withProjectExtension(const QString& path) {
    const QString extension = QStringLiteral(".cmdat");
    if (path.isEmpty() || path.endsWith(extension, Qt::CaseInsensitive)) {
        return path;
    }
    return path + extension;
}

bool isUntitled(const QString& projectPath, const QString& desktopPath) {
    return projectPath == desktopPath;
}

QString projectName(const QString& projectPath, const QString& desktopPath) {
    if (isUntitled(projectPath, desktopPath)) {
        return QStringLiteral("新規プロジェクト");
    }
    return QFileInfo(projectPath).baseName();
}

QString desktopFolderPath() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}
