#include "settings/settings.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "model/filekind.h"

QByteArray settingsToJson(const Settings& settings, const QString& rememberedPath) {
    QJsonObject root;
    root.insert(QLatin1String("stert_time"), settings.stert_time);
    root.insert(QLatin1String("run_number"), settings.run_number);
    root.insert(QLatin1String("stop_command"), settings.stop_command);
    root.insert(QLatin1String("file_path"), normalizedPath(rememberedPath));
    root.insert(QLatin1String("is_used_stert"), settings.is_used_stert);
    root.insert(QLatin1String("is_used_this"), settings.is_used_this);
    root.insert(QLatin1String("is_help"), settings.is_help);
    root.insert(QLatin1String("is_message_file"), settings.is_message_file);
    root.insert(QLatin1String("is_message_paste"), settings.is_message_paste);
    root.insert(QLatin1String("is_message_delete"), settings.is_message_delete);
    root.insert(QLatin1String("is_japanese"), settings.is_japanese);
    // Only Wayland sessions add it, so the file stays as it was elsewhere.
    if (settings.is_used_wayland)
        root.insert(QLatin1String("is_used_wayland"), true);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void saveSettings(const Settings& settings, const QString& projectPath, bool untitled) {
    migrateLegacySettings();
    const QByteArray data = settingsToJson(settings, untitled ? settings.file_path : projectPath);

    const QString path = settingsFilePath();
    qDebug() << "Trying to save config to:" << path;
    if (const std::optional<FileReason> refusal = saveRefusal(path)) {
        qWarning() << "Cannot open config file for writing:" << path
                   << " error:" << refusal->english;
        return;
    }
    // The old file is replaced only on commit, so every failure keeps it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "Cannot open config file for writing:" << path
                   << " error:" << file.errorString();
        return;
    }
    // Qt 6.4 commits even when flushing the buffered data failed, so the
    // flush counts as part of the write.
    if (file.write(data) != data.size() || !file.flush()) {
        qWarning() << "Write failed:" << file.errorString();
        file.cancelWriting();
        return;
    }
    if (!file.commit()) {
        qWarning() << "Commit failed:" << file.errorString();
        return;
    }
    qDebug() << "Config saved OK. path =" << path;
    qDebug() << settings.is_japanese;
}
