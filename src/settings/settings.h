#pragma once

#include <QString>

// The eleven values kept between runs of the program, named after their keys
// in "kestrun_free.json", with their construction defaults, and the notice of
// a Wayland session, written only once it was shown.
struct Settings {
    int stert_time = 5;
    int run_number = 1;
    QString stop_command = QStringLiteral("83,3");
    QString file_path;
    bool is_used_stert = false;
    bool is_used_this = false;
    bool is_help = false;
    bool is_message_file = true;
    bool is_message_paste = false;
    bool is_message_delete = true;
    bool is_japanese = true;
    bool is_used_wayland = false;

    bool operator==(const Settings& other) const = default;
};

// Path of the settings file, creating its folder when needed; the program's
// folder when the configuration folder cannot be created.
QString settingsFilePath();
// Copies a settings file left in the program's folder into the configuration
// folder, never over an existing one.
void migrateLegacySettings();
// A settings file is a few hundred bytes; a larger one (or a device or FIFO
// at its path) is refused unread and the defaults stay.
constexpr qint64 settingsFileSizeLimit = 1024 * 1024;

// Resets `settings` to its defaults and `projectPath` to `desktopPath`, then
// reads the file over them; failures are logged, never reported. A file that
// holds values which cannot be read is moved to "kestrun_free.json.bak".
void loadSettings(Settings& settings, QString& projectPath, const QString& desktopPath);
// Reads the text of a settings file over `settings` and `projectPath`; a key
// that is missing or of the wrong type leaves its value, text that is no
// JSON object leaves all of them and gives false. Every outcome is logged.
bool readSettingsText(const QByteArray& data, Settings& settings, QString& projectPath);
// The indented file text, with `rememberedPath` as "file_path".
QByteArray settingsToJson(const Settings& settings, const QString& rememberedPath);
// Writes the settings atomically; the remembered path is `file_path` while the
// project is untitled, else `projectPath`.
void saveSettings(const Settings& settings, const QString& projectPath, bool untitled);

// Backslashes to slashes, redundant parts removed.
QString normalizedPath(const QString& path);
