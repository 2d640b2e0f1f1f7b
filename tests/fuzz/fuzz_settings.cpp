// The settings reader on arbitrary bytes: whatever it takes over must
// survive a save and a second read unchanged.
#include <cstddef>
#include <cstdint>

#include "fuzzcheck.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    const QString desktop = QStringLiteral("/home/u/Desktop");
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Settings settings;
    QString projectPath = desktop;
    readSettingsText(text, settings, projectPath);
    // A remembered path becomes the project path too; else it stays.
    FUZZ_CHECK(projectPath == (settings.file_path.isEmpty() ? desktop : settings.file_path));

    // Saved (as on a close with an untitled project) and read back, every
    // value is kept and the text is the same.
    const QByteArray saved = settingsToJson(settings, settings.file_path);
    Settings reread;
    QString rereadPath = desktop;
    readSettingsText(saved, reread, rereadPath);
    FUZZ_CHECK(reread == settings);
    FUZZ_CHECK(rereadPath == projectPath);
    FUZZ_CHECK(settingsToJson(reread, reread.file_path) == saved);
    return 0;
}
