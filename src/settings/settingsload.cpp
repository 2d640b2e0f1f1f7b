#include "settings/settings.h"

#include "model/filekind.h"
#include "model/jsonscalar.h"
#include "model/wholefile.h"

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace {

// Whole numbers within a 32-bit int only: a fraction, text or a flag leaves
// the value as it was.
void readInt(const QJsonObject& root, const char* key, int& value) {
    const QJsonValue json = root.value(QLatin1String(key));
    if (!json.isDouble()) {
        return;
    }
    const double number = json.toDouble();
    if (number != std::trunc(number) || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max()) {
        return;
    }
    value = static_cast<int>(number);
}

// The next save would replace a file whose values could not be read, so it
// is moved aside first. Moved, not copied: a file that stays unreadable is
// kept once, not again at every start.
void keepUnreadableFile(const QString& path) {
    const QString backup = path + QStringLiteral(".bak");
    QFile::remove(backup);
    if (QFile::rename(path, backup))
        qWarning() << "Unreadable config file kept as:" << backup;
    else
        qWarning() << "Cannot keep the unreadable config file as:" << backup;
}

void readFlag(const QJsonObject& root, const char* key, bool& value) {
    const QJsonValue json = root.value(QLatin1String(key));
    if (json.isBool()) {
        value = json.toBool();
    }
}

void readObject(const QJsonObject& root, Settings& settings, QString& projectPath) {
    readInt(root, "stert_time", settings.stert_time);
    readInt(root, "run_number", settings.run_number);
    const QJsonValue stopCommand = root.value(QLatin1String("stop_command"));
    if (stopCommand.isString()) {
        settings.stop_command = stopCommand.toString();
    }
    const QString filePath = root.value(QLatin1String("file_path")).toString();
    if (!filePath.isEmpty()) {
        settings.file_path = normalizedPath(filePath);
        projectPath = settings.file_path;
    }
    readFlag(root, "is_used_stert", settings.is_used_stert);
    readFlag(root, "is_used_this", settings.is_used_this);
    readFlag(root, "is_help", settings.is_help);
    readFlag(root, "is_message_file", settings.is_message_file);
    readFlag(root, "is_message_paste", settings.is_message_paste);
    readFlag(root, "is_message_delete", settings.is_message_delete);
    readFlag(root, "is_japanese", settings.is_japanese);
    readFlag(root, "is_used_wayland", settings.is_used_wayland);
}

} // namespace

bool readSettingsText(const QByteArray& data, Settings& settings, QString& projectPath) {
    if (data.isEmpty()) {
        qDebug() << "Config file is empty. Using defaults.";
        return true;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError && !isJsonScalar(data)) {
        qWarning() << "Failed to parse config JSON:" << parseError.errorString()
                   << " offset:" << parseError.offset;
        return false;
    }
    if (!document.isObject()) {
        qWarning() << "Config JSON is not an object.";
        return false;
    }
    readObject(document.object(), settings, projectPath);
    qDebug() << "Config loaded:"
             << "stertTime =" << settings.stert_time << "runNumber =" << settings.run_number
             << "stopCommand =" << settings.stop_command << "filePath =" << projectPath;
    return true;
}

void loadSettings(Settings& settings, QString& projectPath, const QString& desktopPath) {
    settings = Settings();
    projectPath = desktopPath;
    migrateLegacySettings();

    const QString path = settingsFilePath();
    qDebug() << "Loading config from:" << path;
    if (!QFile::exists(path)) {
        qDebug() << "Config file does not exist. Using defaults.";
        return;
    }
    const WholeFile file = readWholeFile(path, settingsFileSizeLimit);
    switch (file.status) {
    case WholeFile::Status::Read:
        if (!readSettingsText(file.data, settings, projectPath))
            keepUnreadableFile(path);
        return;
    case WholeFile::Status::CannotOpen:
        qWarning() << "Failed to open config file for reading:" << path
                   << " error:" << file.errorText;
        if (fileKindAt(path) == FileKind::RegularFile)
            keepUnreadableFile(path);
        return;
    case WholeFile::Status::NotARegularFile:
        qWarning() << "Failed to open config file for reading:" << path
                   << " error:" << QStringLiteral("not a regular file");
        return;
    case WholeFile::Status::TooLarge:
        qWarning() << "Config file is larger than 1 MB. Using defaults:" << path;
        keepUnreadableFile(path);
        return;
    case WholeFile::Status::ReadFailed:
        qWarning() << "Failed to read config file:" << path << " error:" << file.errorText;
        keepUnreadableFile(path);
        return;
    }
}
