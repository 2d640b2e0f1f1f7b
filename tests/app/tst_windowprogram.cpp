#include <QtTest>

// The window program started from a terminal without any display: help and
// version need none, and the lack of one is said in a line of ours, not by a
// Qt abort.
class WindowProgramTest : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutAWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("display"); // "offscreen" for Qt's, so usage is checked
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("help") << QStringList{"--help"} << "" << 0 << "[FILE]";
        QTest::newRow("version") << QStringList{"--version"} << "" << 0 << "kestrun 1.";
        QTest::newRow("unknown option") << QStringList{"--fast"} << "offscreen" << 2 << "'fast'";
        QTest::newRow("no display") << QStringList{} << "" << 1 << "neither DISPLAY nor";
        QTest::newRow("unreachable display")
            << QStringList{} << ":31999" << 1 << "cannot be reached";
    }
    void answersWithoutAWindow() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, display);
        QFETCH(int, status);
        QFETCH(QString, said);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "XDG_SESSION_TYPE"})
            environment.remove(QString::fromLatin1(name));
        if (!display.isEmpty())
            environment.insert(display.startsWith(':') ? "DISPLAY" : "QT_QPA_PLATFORM", display);
        QProcess window;
        window.setProcessEnvironment(environment);
        window.start(QStringLiteral(KESTRUN_WINDOW), arguments);
        QVERIFY(window.waitForFinished(10000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), status);
        const QString output = QString::fromUtf8(status == 0 ? window.readAllStandardOutput()
                                                             : window.readAllStandardError());
        QVERIFY2(output.contains(said), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(WindowProgramTest)
#include "tst_windowprogram.moc"
