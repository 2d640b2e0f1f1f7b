#include <QtTest>

#include <limits>
#include <memory>
#include <optional>

#include "fifowithoutwriter.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "model/filekind.h"
#include "settings/settings.h"

namespace {

// The per-user configuration folder the settings go to, fresh for each test:
// a temporary XDG_CONFIG_HOME on Unix; Qt's test-mode folder on Windows,
// where the known folders cannot be redirected.
class ConfigFolder {
public:
    bool useFresh() {
#ifdef Q_OS_WIN
        QStandardPaths::setTestModeEnabled(true);
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QFile::remove(base);
        return QDir(base).removeRecursively();
#else
        home = std::make_unique<QTemporaryDir>();
        base = home->filePath("config");
        qputenv("XDG_CONFIG_HOME", base.toLocal8Bit());
        return home->isValid();
#endif
    }
    QString root() const {
        return base;
    }
    // A file where the folder would go, so it cannot be created.
    void makeUncreatable() {
#ifdef Q_OS_WIN
        QDir(base).removeRecursively();
        writeBytes(base, "x");
#else
        writeBytes(home->filePath("file"), "x");
        qputenv("XDG_CONFIG_HOME", home->filePath("file").toLocal8Bit());
#endif
    }

private:
    QString base;
    std::unique_ptr<QTemporaryDir> home;
};

const QString desktop = QStringLiteral("/home/u/Desktop");

const QByteArray firstStartText = "{\n"
                                  "    \"file_path\": \"\",\n"
                                  "    \"is_help\": true,\n"
                                  "    \"is_japanese\": true,\n"
                                  "    \"is_message_delete\": true,\n"
                                  "    \"is_message_file\": true,\n"
                                  "    \"is_message_paste\": false,\n"
                                  "    \"is_used_stert\": false,\n"
                                  "    \"is_used_this\": true,\n"
                                  "    \"run_number\": 1,\n"
                                  "    \"stert_time\": 5,\n"
                                  "    \"stop_command\": \"83,3\"\n"
                                  "}\n";

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

Settings changedSettings() {
    Settings settings;
    settings.stert_time = 30;
    settings.run_number = 114514;
    settings.stop_command = QStringLiteral("なし");
    settings.file_path = QStringLiteral("/old/plan.cmdat");
    settings.is_used_stert = true;
    settings.is_used_this = true;
    settings.is_help = true;
    settings.is_message_file = false;
    settings.is_message_paste = true;
    settings.is_message_delete = false;
    settings.is_japanese = false;
    return settings;
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    ConfigFolder config;
    QString settingsPath;
    QString legacyPath;

    // Loads over values that differ from every default, so a kept default
    // shows that the file really was ignored.
    Settings loaded(QString* projectPath = nullptr) {
        Settings settings = changedSettings();
        QString path = QStringLiteral("/somewhere/else.cmdat");
        loadSettings(settings, path, desktop);
        if (projectPath) {
            *projectPath = path;
        }
        return settings;
    }

private slots:
    void init() {
        QVERIFY(config.useFresh());
        settingsPath = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                       QStringLiteral("/kestrun_free.json");
        QVERIFY2(settingsPath.startsWith(config.root()), qPrintable(settingsPath));
        QVERIFY(QDir().mkpath(QFileInfo(settingsPath).path()));
        legacyPath = QCoreApplication::applicationDirPath() + QStringLiteral("/kestrun_free.json");
        QFile::remove(legacyPath);
        QTest::failOnWarning(QRegularExpression(".*"));
    }

    void cleanup() { QFile::remove(legacyPath); }

    void pathCreatesTheConfigFolder() {
        QVERIFY(QDir(config.root()).removeRecursively());
        QVERIFY(!QFileInfo::exists(QFileInfo(settingsPath).path()));
        QCOMPARE(settingsFilePath(), settingsPath);
        QVERIFY(QFileInfo(QFileInfo(settingsPath).path()).isDir());
    }

    void folderThatCannotBeCreatedFallsBackToTheProgramFolder() {
        config.makeUncreatable();
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Failed to create config dir: " + quoted(folder)));
        QCOMPARE(settingsFilePath(), legacyPath);
    }

    void noFileGivesTheDefaults() {
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable("Loading config from: " + quoted(settingsPath)));
        QTest::ignoreMessage(QtDebugMsg, "Config file does not exist. Using defaults.");
        QString projectPath;
        QCOMPARE(loaded(&projectPath), Settings());
        QCOMPARE(projectPath, desktop);
    }

    void firstStartLayout() {
        Settings settings;
        settings.is_help = true;
        settings.is_used_this = true;
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable("Trying to save config to: " + quoted(settingsPath)));
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable("Config saved OK. path = " + quoted(settingsPath)));
        QTest::ignoreMessage(QtDebugMsg, "true");
        saveSettings(settings, desktop, true);
        QCOMPARE(readBytes(settingsPath), firstStartText);
    }

    void roundTripRemembersTheProjectPath() {
        saveSettings(changedSettings(), QStringLiteral("/work/new.cmdat"), false);
        QTest::ignoreMessage(QtDebugMsg, "Config loaded: stertTime = 30 runNumber = 114514 "
                                         "stopCommand = \"なし\" filePath = \"/work/new.cmdat\"");
        QString projectPath;
        Settings expected = changedSettings();
        expected.file_path = QStringLiteral("/work/new.cmdat");
        QCOMPARE(loaded(&projectPath), expected);
        QCOMPARE(projectPath, expected.file_path);
    }

    void rememberedPathIsNormalized_data() {
        QTest::addColumn<bool>("untitled");
        QTest::addColumn<QString>("filePath");
        QTest::addColumn<QString>("projectPath");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("untitled keeps file_path")
            << true << "C:\\work\\plan.cmdat" << desktop << QByteArray("C:/work/plan.cmdat");
        QTest::newRow("titled writes the project")
            << false << "/old.cmdat"
            << "/a/./b//../plan.cmdat" << QByteArray("/a/plan.cmdat");
        QTest::newRow("untitled and none remembered") << true << "" << desktop << QByteArray("");
    }

    void rememberedPathIsNormalized() {
        QFETCH(bool, untitled);
        QFETCH(QString, filePath);
        QFETCH(QString, projectPath);
        QFETCH(QByteArray, written);
        Settings settings;
        settings.file_path = filePath;
        saveSettings(settings, projectPath, untitled);
        QVERIFY(readBytes(settingsPath).contains("\"file_path\": \"" + written + "\","));
    }

    void loadNormalizesTheStoredPath() {
        writeBytes(settingsPath, R"({"file_path": "C:\\work\\.\\sub\\..\\plan.cmdat"})");
        QString projectPath;
        QCOMPARE(loaded(&projectPath).file_path, QStringLiteral("C:/work/plan.cmdat"));
        QCOMPARE(projectPath, QStringLiteral("C:/work/plan.cmdat"));
    }

    void wrongTypesAreIgnored() {
        writeBytes(settingsPath, R"({"stert_time": 2.5, "run_number": "10", "stop_command": 83,
            "file_path": "", "is_used_stert": "true", "is_used_this": 1, "is_help": null,
            "is_message_file": "false", "is_message_paste": [], "is_message_delete": {},
            "is_japanese": "false"})");
        QString projectPath;
        QCOMPARE(loaded(&projectPath), Settings());
        QCOMPARE(projectPath, desktop);
    }

    void integersMustFitAnInt_data() {
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<int>("expected");
        QTest::newRow("zero") << QByteArray("0") << 0;
        QTest::newRow("negative") << QByteArray("-7") << -7;
        QTest::newRow("whole written as real") << QByteArray("3.0") << 3;
        QTest::newRow("smallest") << QByteArray("-2147483648") << std::numeric_limits<int>::min();
        QTest::newRow("largest") << QByteArray("2147483647") << std::numeric_limits<int>::max();
        QTest::newRow("too large") << QByteArray("2147483648") << 1;
        QTest::newRow("huge") << QByteArray("1e300") << 1;
        QTest::newRow("boolean") << QByteArray("true") << 1;
    }

    void integersMustFitAnInt() {
        QFETCH(QByteArray, number);
        QFETCH(int, expected);
        writeBytes(settingsPath, "{\"run_number\": " + number + ", \"unknown\": 3}");
        QCOMPARE(loaded().run_number, expected);
    }

    void unreadableFilesKeepTheDefaults_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QtMsgType>("level");
        QTest::addColumn<QString>("line");
        QTest::newRow("empty") << QByteArray() << QtDebugMsg
                               << "Config file is empty\\. Using defaults\\.";
        QTest::newRow("broken") << QByteArray("{\"is_help\": tru}") << QtWarningMsg
                                << "Failed to parse config JSON: \"illegal value\"  offset: 13";
        QTest::newRow("array") << QByteArray("[{\"is_help\": true}]") << QtWarningMsg
                               << "Config JSON is not an object\\.";
        QTest::newRow("number") << QByteArray("7\n") << QtWarningMsg
                                << "Config JSON is not an object\\.";
        QTest::newRow("directory")
            << QByteArray("<dir>") << QtWarningMsg
            << "Failed to open config file for reading: \".*\"  error: \".+\"";
        if (FifoWithoutWriter::available)
            QTest::newRow("fifo without writer")
                << QByteArray("<fifo>") << QtWarningMsg
                << "Failed to open config file for reading: \".*\"  error: \"not a regular file\"";
        QTest::newRow("too large") << QByteArray("<too large>") << QtWarningMsg
                                   << "Config file is larger than 1 MB\\. Using defaults: \".*\"";
#ifndef Q_OS_WIN
        QTest::newRow("read error")
            << QByteArray("<read error>") << QtWarningMsg
            << "Failed to read config file: \".*\"  error: \"Input/output error\"";
#endif
    }

    void unreadableFilesKeepTheDefaults() {
        QFETCH(QByteArray, content);
        QFETCH(QtMsgType, level);
        QFETCH(QString, line);
        // What holds unreadable values is kept aside, once.
        const bool kept = level == QtWarningMsg && content != "<dir>" && content != "<fifo>";
        std::optional<FifoWithoutWriter> fifo;
        if (content == "<dir>") {
            QVERIFY(QDir().mkpath(settingsPath));
        } else if (content == "<fifo>") {
            fifo.emplace(settingsPath);
            QVERIFY(fifo->made);
        } else if (content == "<too large>") {
            // Braces fill it up to one byte past the limit, so it is no
            // JSON either way.
            writeBytes(settingsPath, QByteArray(settingsFileSizeLimit + 1, '{'));
        } else if (content == "<read error>") {
            // Reading the start of a process's own memory fails with EIO.
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), settingsPath));
        } else {
            writeBytes(settingsPath, content);
        }
        QTest::ignoreMessage(level, QRegularExpression('^' + line + '$'));
        const QString backup = settingsPath + ".bak";
        if (kept)
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("Unreadable config file kept as: " + quoted(backup)));
        QString projectPath;
        QCOMPARE(loaded(&projectPath), Settings());
        QCOMPARE(projectPath, desktop);
        QCOMPARE(QFileInfo(backup).isSymLink() || QFileInfo::exists(backup), kept);
        if (kept && !content.startsWith('<'))
            QCOMPARE(readBytes(backup), content);
        // The next start finds no file and warns of nothing.
        if (kept)
            QCOMPARE(loaded(), Settings());
    }

    // Only a regular file is replaced; a link to one is written through.
    void saveReplacesOnlyAFile() {
        if (!FifoWithoutWriter::available)
            QSKIP("no FIFOs or links in this file system");
        {
            FifoWithoutWriter fifo(settingsPath);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" error: \"it is a named pipe"));
            saveSettings(changedSettings(), desktop, true);
            QCOMPARE(fileKindAt(settingsPath), FileKind::Fifo);
        }
        QVERIFY(QFile::remove(settingsPath));
        writeBytes(settingsPath + ".target", "old");
        QVERIFY(QFile::link(settingsPath + ".target", settingsPath));
        saveSettings(changedSettings(), desktop, true);
        QVERIFY(QFileInfo(settingsPath).isSymLink());
        QVERIFY(readBytes(settingsPath + ".target").contains("\"stert_time\": 30"));
    }

    void legacyFileIsCopiedOnce() {
        writeBytes(legacyPath, R"({"stert_time": 9})");
        QTest::ignoreMessage(QtDebugMsg, qPrintable("Migrated config from " + quoted(legacyPath) +
                                                    " to " + quoted(settingsPath)));
        QCOMPARE(loaded().stert_time, 9);
        QCOMPARE(readBytes(settingsPath), QByteArray(R"({"stert_time": 9})"));
        QVERIFY(QFile::exists(legacyPath));

        writeBytes(settingsPath, R"({"stert_time": 7})");
        QCOMPARE(loaded().stert_time, 7);
        QCOMPARE(readBytes(settingsPath), QByteArray(R"({"stert_time": 7})"));
    }

    void saveWithoutConfigFolderUsesTheProgramFolder() {
        config.makeUncreatable();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to create config dir: "));
        saveSettings(changedSettings(), desktop, true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to create config dir: "));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to create config dir: "));
        QCOMPARE(loaded(), changedSettings());
    }

    void failedSaveKeepsTheOldFile_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("line");
        QTest::newRow("directory in place")
            << "dir"
            << "Cannot open config file for writing: \".*\"  error: \".+\"";
        QTest::newRow("file size limit") << "limit"
                                         << "Write failed: \".*\"";
        QTest::newRow("read-only file")
            << "read-only"
            << "Cannot open config file for writing: \".*\"  error: \".+\"";
    }

    void failedSaveKeepsTheOldFile() {
        QFETCH(QString, target);
        QFETCH(QString, line);
        if (target == "read-only" && !permissionBitsBind()) {
            QSKIP("permission bits do not stop root");
        }
        if (target == "limit" && !FileSizeLimit::available)
            QSKIP("no limit on the size of written files on this platform");
        const QString oldPath = target == "dir" ? settingsPath + "/keep" : settingsPath;
        QVERIFY(QDir().mkpath(QFileInfo(oldPath).path()));
        writeBytes(oldPath, firstStartText);
        if (target == "read-only") {
            QVERIFY(QFile::setPermissions(oldPath, QFile::ReadOwner));
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression('^' + line + '$'));
        {
            FileSizeLimit limit(target == "limit" ? 20 : FileSizeLimit::unlimited);
            saveSettings(changedSettings(), desktop, true);
        }
        QCOMPARE(readBytes(oldPath), firstStartText);
        QCOMPARE(QFileInfo(oldPath).dir().entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(oldPath).fileName()});
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
