#include <QtTest>

#include "fifowithoutwriter.h"
#include "playprocess.h"

// What kestrun-play says and returns before it would touch the desktop.
// These run on the offscreen platform, where input cannot be synthesised.
class PlayCommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void badUsageEndsWithStatusTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("no file") << QStringList{} << "exactly one project file";
        QTest::newRow("two files") << QStringList{"a.cmdat", "b.cmdat"} << "exactly one";
        QTest::newRow("unknown option") << QStringList{"--fast", "a.cmdat"} << "fast";
        QTest::newRow("negative runs") << QStringList{"--runs", "-1", "a.cmdat"} << "--runs";
        QTest::newRow("runs and repeat")
            << QStringList{"--runs", "2", "--repeat", "a.cmdat"} << "--repeat";
        QTest::newRow("fractional delay") << QStringList{"--delay", "1.5", "a.cmdat"} << "--delay";
        QTest::newRow("exit not a key") << QStringList{"--exit", "ctrl+s", "a.cmdat"} << "--exit";
        QTest::newRow("exit key zero") << QStringList{"--exit", "0,3", "a.cmdat"} << "--exit";
    }
    void badUsageEndsWithStatusTwo() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        PlayProcess play;
        QCOMPARE(play.play(arguments), 2);
        const QString error = play.standardError();
        QVERIFY2(error.contains(complaint), qPrintable(error));
        QVERIFY(error.contains(QStringLiteral("--help")));
    }

    void helpAndVersionEndWithStatusZero() {
        PlayProcess help;
        QCOMPARE(help.play({QStringLiteral("--help")}), 0);
        const QString text = help.standardOutput();
        for (const char* option :
             {"--runs", "--repeat", "--delay", "--exit", "--verbose", "--wait", "  5  another run"})
            QVERIFY2(text.contains(QLatin1String(option)), option);
        PlayProcess version;
        QCOMPARE(version.play({QStringLiteral("--version")}), 0);
        QVERIFY(version.standardOutput().startsWith(QStringLiteral("kestrun-play 1.")));
    }

    void anUnreadableFileEndsWithStatusOneAndTheWindowsText() {
        PlayProcess missing;
        const QString path = missing.folder.filePath(QStringLiteral("absent.cmdat"));
        QCOMPARE(missing.play({path}), 1);
        const QString error = missing.standardError().remove(u'\r');
        QVERIFY2(error.endsWith(QStringLiteral("読み込みエラー: ファイルを開けませんでした：%1\n"
                                               "ファイルがありません。\nCannot open %1: it does "
                                               "not exist.\n")
                                    .arg(path)),
                 qPrintable(error));

        PlayProcess broken;
        QFile file(broken.folder.filePath(QStringLiteral("broken.cmdat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"list_command\": [");
        file.close();
        QCOMPARE(broken.play({file.fileName()}), 1);
        QVERIFY(broken.standardError().remove(u'\r').contains(
            QStringLiteral("読み込みエラー: JSON 解析エラー: "
                           "unterminated array\nThe file is "
                           "no valid JSON: ")));
    }

    void devicesFifosAndHugeFilesAreRefusedAtOnce() {
        if (!FifoWithoutWriter::available)
            QSKIP("no devices or FIFOs in this file system");
        PlayProcess play;
        const QString fifoPath = play.folder.filePath(QStringLiteral("fifo.cmdat"));
        FifoWithoutWriter fifo(fifoPath);
        QVERIFY(fifo.made);
        const QString hugePath = play.folder.filePath(QStringLiteral("huge.cmdat"));
        QFile huge(hugePath);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(projectFileSizeLimit + 1));
        const std::pair<QString, QString> refusals[] = {
            {QStringLiteral("/dev/zero"),
             QStringLiteral("ファイルを開けませんでした：/dev/zero\nデバイスです。\n"
                            "Cannot open /dev/zero: it is a device.")},
            {fifoPath,
             QStringLiteral("ファイルを開けませんでした：%1\n名前付きパイプ（FIFO）です。\n"
                            "Cannot open %1: it is a named pipe (FIFO).")
                 .arg(fifoPath)},
            {hugePath, QStringLiteral("ファイルが大きすぎます。\nThe file is too large.")},
        };
        for (const auto& [path, text] : refusals) {
            play.start({path});
            QCOMPARE(play.finish(5000), 1);
            QVERIFY(
                play.standardError().endsWith(QStringLiteral("読み込みエラー: ") + text + u'\n'));
        }
    }

    void pagesOfUnknownTypesAreWarnedAbout() {
        PlayProcess play;
        const QString path = play.writeProject({{"なし"}, {"未来", "1"}}, {{"新条件"}, {"即時"}});
        QVERIFY(play.play({QStringLiteral("--exit"), QStringLiteral("none"), path}) >= 0);
        const QStringList warnings = play.standardError().remove(u'\r').split(u'\n').filter(
            QStringLiteral("kestrun-play: warning"));
        QCOMPARE(warnings,
                 (QStringList{"kestrun-play: warning: Page 1: the condition type \"新条件\" is "
                              "unknown to this version of Kestrun; the file may come from a "
                              "newer one.",
                              "kestrun-play: warning: Page 2: the operation type \"未来\" is "
                              "unknown to this version of Kestrun; the file may come from a "
                              "newer one."}));
    }

    // The one line says why: no X display, or one that cannot be reached.
    void aSessionWithoutInputEndsWithStatusThree_data() {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<QString>("reason");
        QTest::newRow("offscreen") << QString() << QString() << QString();
        QTest::newRow("unreachable display")
            << QStringLiteral(":31999") << QString() << QStringLiteral("cannot be reached");
        QTest::newRow("Wayland without XWayland")
            << QString() << QStringLiteral("wayland-7")
            << QStringLiteral("This Wayland session has no X display (DISPLAY is not set");
        QTest::newRow("no display")
            << QString() << QString() << QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY");
    }
    void aSessionWithoutInputEndsWithStatusThree() {
#ifdef Q_OS_WIN
        QSKIP("every Windows session has the input services");
#endif
        QFETCH(QString, display);
        QFETCH(QString, wayland);
        QFETCH(QString, reason);
        PlayProcess play;
        if (!reason.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char* name :
                 {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "XDG_SESSION_TYPE"})
                environment.remove(QString::fromLatin1(name));
            if (!display.isEmpty())
                environment.insert(QStringLiteral("DISPLAY"), display);
            if (!wayland.isEmpty())
                environment.insert(QStringLiteral("WAYLAND_DISPLAY"), wayland);
            play.process.setProcessEnvironment(environment);
        }
        const QString path = play.writeProject({{keyword::None}}, {{keyword::Immediately}});
        QCOMPARE(play.play({QStringLiteral("--exit"), QStringLiteral("none"), path}), 3);
        const QStringList lines =
            play.standardError().split(u'\n', Qt::SkipEmptyParts).filter(u"kestrun-play:");
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().contains(QStringLiteral("cannot synthesise input")));
        QVERIFY2(lines.first().contains(reason), qPrintable(lines.first()));
    }
};

QTEST_GUILESS_MAIN(PlayCommandLineTest)
#include "tst_playcommandline.moc"
