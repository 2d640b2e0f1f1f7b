#include <QtTest>

#include <memory>

#include "fifowithoutwriter.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "model/filekind.h"
#include "model/project.h"

namespace {

Project bigProject() {
    Project project;
    for (int page = 0; page < 50; ++page) {
        project.list_command.append(QStringList{"入力", QString(40, QChar('x')), "3"});
        project.list_condition.append(blankCondition());
    }
    return project;
}

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString pathOf(const QString& name) const { return dir->filePath(name); }

    // A folder, and on Unix a link loop and a link to "fifo.cmdat".
    void makeFilesThatAreNoFiles() {
        QVERIFY(QDir(dir->path()).mkpath("folder.cmdat/inside"));
        if (FifoWithoutWriter::available) {
            QVERIFY(QFile::link(pathOf("loop.cmdat"), pathOf("loop.cmdat")));
            QVERIFY(QFile::link(pathOf("fifo.cmdat"), pathOf("fifolink.cmdat")));
        }
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }

    // The bytes are the same on every system: no CR is added on Windows.
    void writeThenReadBack_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "plan.cmdat";
        QTest::newRow("Japanese names") << QStringLiteral("日本語のフォルダー/計画.cmdat");
    }
    void writeThenReadBack() {
        QFETCH(QString, name);
        const QString path = pathOf(name);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        Project project = Project::blank();
        project.list_command.append(QStringList{"クリック", "右", "0.5"});
        project.list_condition.append(QStringList{"クリック", "左"});
        project.list_command.append(QStringList{"ウィンドウ", "メモ帳 - \"a\""});
        project.list_condition.append(QStringList{"ウィンドウ", "Editor"});
        const WriteResult written = writeProjectFile(path, project);
        QVERIFY(written.ok);
        QCOMPARE(readBytes(path), projectToJson(project));
        const ReadResult read = readProjectFile(path);
        QVERIFY(read.ok);
        QCOMPARE(read.project, project);
    }

    void filesWithWindowsLineEndsRead() {
        const QString path = pathOf("crlf.cmdat");
        QByteArray bytes = projectToJson(bigProject());
        bytes.replace("\n", "\r\n");
        writeBytes(path, bytes);
        const ReadResult read = readProjectFile(path);
        QVERIFY(read.ok);
        QCOMPARE(read.project, bigProject());
    }

    void saveReplacesTheWholeOldFile() {
        const QString path = pathOf("plan.cmdat");
        QVERIFY(writeProjectFile(path, bigProject()).ok);
        QVERIFY(writeProjectFile(path, Project::blank()).ok);
        QCOMPARE(readBytes(path), projectToJson(Project::blank()));
    }

    void emptyPaths() {
        const WriteResult written = writeProjectFile(QString(), Project::blank());
        QVERIFY(!written.ok);
        QCOMPARE(written.error.title, QStringLiteral("保存エラー"));
        QCOMPARE(written.error.text, QStringLiteral("保存先が設定されていません。"));
        const ReadResult read = readProjectFile(QString());
        QVERIFY(!read.ok);
        QCOMPARE(read.error.title, QStringLiteral("読み込みエラー"));
        QCOMPARE(read.error.text, QStringLiteral("読み込むファイルが設定されていません。"));
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.cmdat" << QStringLiteral("ファイルがありません。");
        QTest::newRow("directory") << "folder.cmdat" << QStringLiteral("フォルダーです。");
        if (FifoWithoutWriter::available) {
            QTest::newRow("endless device") << "/dev/zero" << QStringLiteral("デバイスです。");
            QTest::newRow("fifo without writer")
                << "fifo.cmdat" << QStringLiteral("名前付きパイプ（FIFO）です。");
            QTest::newRow("link loop")
                << "loop.cmdat" << QStringLiteral("シンボリックリンクが循環しています。");
        }
    }

    void unreadableFiles() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        makeFilesThatAreNoFiles();
        FifoWithoutWriter fifo(pathOf("fifo.cmdat"));
        QCOMPARE(fifo.made, FifoWithoutWriter::available);
        const QString path = name.startsWith('/') ? name : pathOf(name);
        const ReadResult read = readProjectFile(path);
        QVERIFY(!read.ok);
        QCOMPARE(read.error.title, QStringLiteral("読み込みエラー"));
        QCOMPARE(read.error.text,
                 QStringLiteral("ファイルを開けませんでした：%1\n").arg(path) + reason);
    }

    void sizeLimit() {
        const QString path = pathOf("huge.cmdat");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(projectFileSizeLimit + 1));
        ReadResult read = readProjectFile(path);
        QVERIFY(!read.ok);
        QCOMPARE(read.error.title, QStringLiteral("読み込みエラー"));
        QCOMPARE(read.error.shownText(true), QStringLiteral("ファイルが大きすぎます。"));
        QCOMPARE(read.error.shownText(false),
                 QStringLiteral("ファイルが大きすぎます。\nThe file is too large."));

        // At the limit the file is read: all zero bytes are no JSON.
        QVERIFY(file.resize(projectFileSizeLimit));
        read = readProjectFile(path);
        QVERIFY(read.error.text.startsWith(QStringLiteral("JSON 解析エラー: ")));
    }

    void failedReadIsNoJsonError() {
        // Reading the start of a process's own memory fails with EIO.
        const QString path = QStringLiteral("/proc/self/mem");
        if (!QFile::exists(path))
            QSKIP("no /proc here");
        const ReadResult read = readProjectFile(path);
        QVERIFY(!read.ok);
        QCOMPARE(read.error.text, QStringLiteral("ファイルの読み込みに失敗しました：") + path);
    }

    void readRefusesOtherJson() {
        const QString path = pathOf("settings.json");
        writeBytes(path, "{\"stert_time\": 5}\n");
        const ReadResult read = readProjectFile(path);
        QVERIFY(!read.ok);
        QCOMPARE(read.error.text, QStringLiteral("ファイルの形式が正しくありません。"));
    }

    // Nothing but a file is replaced by a saved project.
    void targetsThatCannotBeOpened_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const QString fifo = QStringLiteral("\n名前付きパイプ（FIFO）です。");
        QTest::newRow("parent is a file") << "file/plan.cmdat" << QString();
        QTest::newRow("directory in place")
            << "folder.cmdat" << QStringLiteral("\nフォルダーです。");
        if (FifoWithoutWriter::available) {
            QTest::newRow("fifo") << "fifo.cmdat" << fifo;
            QTest::newRow("link to a fifo") << "fifolink.cmdat" << fifo;
            QTest::newRow("link loop")
                << "loop.cmdat" << QStringLiteral("\nシンボリックリンクが循環しています。");
        }
    }

    void targetsThatCannotBeOpened() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        writeBytes(pathOf("file"), "keep");
        makeFilesThatAreNoFiles();
        FifoWithoutWriter fifo(pathOf("fifo.cmdat"));
        const QString path = pathOf(name);
        const FileKind kind = fileKindAt(path);
        const WriteResult written = writeProjectFile(path, Project::blank());
        QVERIFY(!written.ok);
        QCOMPARE(written.error.title, QStringLiteral("保存エラー"));
        QCOMPARE(written.error.text,
                 QStringLiteral("ファイルを開けませんでした:") + path +
                     (reason.isEmpty() ? reason : reason + "通常のファイルにだけ保存します。"));
        QCOMPARE(readBytes(pathOf("file")), QByteArray("keep"));
        QVERIFY(QFileInfo(pathOf("folder.cmdat/inside")).isDir());
        QCOMPARE(fileKindAt(path), kind);
    }

    // Where no temporary file can be made beside it (Unix), a file the user
    // may write is written in place, and the log says so.
    void aFileInAReadOnlyFolderIsWrittenInPlace() {
        if (!permissionBitsBind() || !FifoWithoutWriter::available)
            QSKIP("Qt writes in place only on Unix, and permission bits do not stop root");
        const QString path = pathOf("locked/plan.cmdat");
        QVERIFY(QDir(dir->path()).mkpath("locked"));
        writeBytes(path, "old");
        QVERIFY(QFile::setPermissions(pathOf("locked"), QFile::ReadOwner | QFile::ExeOwner));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("in place.*not atomic"));
        const WriteResult written = writeProjectFile(path, bigProject());
        QVERIFY(QFile::setPermissions(pathOf("locked"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(written.ok);
        QCOMPARE(readBytes(path), projectToJson(bigProject()));
    }

    void failedWriteKeepsTheOldFile() {
        if (!FileSizeLimit::available)
            QSKIP("no limit on the size of written files on this platform");
        const QString path = pathOf("plan.cmdat");
        const QByteArray old = projectToJson(Project::blank());
        writeBytes(path, old);
        WriteResult written;
        {
            FileSizeLimit limit(old.size() + 10);
            written = writeProjectFile(path, bigProject());
        }
        QVERIFY(!written.ok);
        QCOMPARE(written.error.title, QStringLiteral("保存エラー"));
        QCOMPARE(written.error.text, QStringLiteral("ファイルへの書き込みに失敗しました：") + path);
        QCOMPARE(readBytes(path), old);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"plan.cmdat"});
    }

    void fileThatCannotBeReplacedKeepsItsContent() {
        // Nobody, root included, can write a kernel file or create one beside it.
        const QString path = QStringLiteral("/proc/version");
        const QByteArray old = readBytes(path);
        if (old.isEmpty() || old == "<unreadable>")
            QSKIP("no /proc here");
        const WriteResult written = writeProjectFile(path, Project::blank());
        QVERIFY(!written.ok);
        QCOMPARE(written.error.text, QStringLiteral("ファイルを開けませんでした:") + path);
        QCOMPARE(readBytes(path), old);
    }

    void readOnlyFileKeepsItsContent() {
        if (!permissionBitsBind()) {
            QSKIP("permission bits do not stop root");
        }
        const QString path = pathOf("locked.cmdat");
        writeBytes(path, "old");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QVERIFY(!writeProjectFile(path, Project::blank()).ok);
        QCOMPARE(readBytes(path), QByteArray("old"));
    }

    void saveAsExtension() {
        QCOMPARE(withProjectExtension("/d/plan"), QStringLiteral("/d/plan.cmdat"));
        QCOMPARE(withProjectExtension("/d/plan.json"), QStringLiteral("/d/plan.json.cmdat"));
        QCOMPARE(withProjectExtension("/d/Plan.CMDAT"), QStringLiteral("/d/Plan.CMDAT"));
        QCOMPARE(withProjectExtension("/d/plan.cmdat"), QStringLiteral("/d/plan.cmdat"));
        QCOMPARE(withProjectExtension("/d/plancmdat"), QStringLiteral("/d/plancmdat.cmdat"));
        QCOMPARE(withProjectExtension(QString()), QString());
    }

    void projectNames() {
        const QString desktop = QStringLiteral("/home/u/Desktop");
        QVERIFY(isUntitled(desktop, desktop));
        QVERIFY(!isUntitled("/home/u/desktop", desktop));
        QCOMPARE(projectName(desktop, desktop), QStringLiteral("新規プロジェクト"));
        QCOMPARE(projectName("/home/u/a.b.cmdat", desktop), QStringLiteral("a"));
        QCOMPARE(projectName("/home/u.x/計画.cmdat", desktop), QStringLiteral("計画"));
        QCOMPARE(projectName("/home/u/plan", desktop), QStringLiteral("plan"));
    }
};

QTEST_GUILESS_MAIN(ProjectFileTest)
#include "tst_projectfile.moc"
