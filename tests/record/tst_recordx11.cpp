#include <csignal>
#include <cstdlib>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "model/project.h"
#include "platform/platform.h"
#include "replayedsession.h"
#include "usersession.h"
#include "xevwindow.h"

namespace {

const QRect targetArea(100, 100, 400, 300);
const QString targetTitle = QStringLiteral("RecordTarget");

// kestrun-record on a file of its own, stopped by its stop command or a
// signal.
struct Recorder {
    QTemporaryDir folder;
    QString file = folder.filePath(QStringLiteral("recorded.cmdat"));
    QProcess process;

    // Returns once the recorder says it records.
    bool start(const QStringList& options = {}) {
        process.start(QStringLiteral(KESTRUN_RECORD),
                      QStringList{QStringLiteral("--delay"), QStringLiteral("0")} + options +
                          QStringList{file});
        const bool started =
            QTest::qWaitFor([&] { return process.peek(256).startsWith("recording"); }, 10000);
        // The line comes as the recording's thread starts to listen.
        QTest::qWait(200);
        return started;
    }
    int finish() {
        if (process.state() != QProcess::NotRunning && !process.waitForFinished(10000)) {
            process.kill();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    Project project() const { return readProjectFile(file).project; }
};

void xdotool(const QStringList& arguments) {
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
}

void setLayout(const QString& layout) {
    QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {layout}), 0);
}

// What a client saw that a replay must give again: key presses other than
// modifiers, by what they typed, and buttons, by where they went.
bool isModifier(unsigned long keysym) {
    return (keysym >= 0xffe1 && keysym <= 0xffee) || keysym == 0xfe03 || keysym == 0xff7e;
}

std::vector<Seen> seenBy(XevWindow& window) {
    std::vector<Seen> seen;
    for (const XevWindow::Event& event : window.events()) {
        if (event.type == "KeyPress" && !isModifier(event.keysym))
            seen.push_back({QStringLiteral("key %1").arg(event.text.isEmpty()
                                                             ? QString::number(event.keysym, 16)
                                                             : event.text),
                            event.timeMs});
        else if (event.type.startsWith("Button"))
            seen.push_back({QStringLiteral("%1 %2 at %3,%4")
                                .arg(QString::fromLatin1(event.type))
                                .arg(event.button)
                                .arg(event.root.x())
                                .arg(event.root.y()),
                            event.timeMs});
    }
    return seen;
}

// Operations with what identifies them: the place for the pointer's, the
// button, text or key for the others, whose times the replay checks.
QStringList operationsOf(const Project& project) {
    const QStringList positioned{keyword::MousePointer, keyword::SmoothMove};
    QStringList operations;
    for (const QStringList& command : project.list_command)
        if (command.value(0) != keyword::Window)
            operations << command.mid(0, positioned.contains(command.value(0)) ? 3 : 2).join(u' ');
    return operations;
}

} // namespace

// kestrun-record against a real X server: xdotool acts as the user on an
// xev window, and kestrun-play replays the recording into a fresh one.
class RecordX11Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!Platform::instance().createInputRecording())
            QSKIP("This desktop cannot be recorded (no XInput 2).");
        setLayout(QStringLiteral("us"));
    }
    void cleanup() { setLayout(QStringLiteral("us")); }

    void aReplayGivesTheRecordedSessionAgain() {
        std::vector<Seen> original;
        Recorder recorder;
        {
            XevWindow target(targetArea, targetTitle);
            QVERIFY(target.isReady());
            QVERIFY(recorder.start());
            QVERIFY(playUserSession([](const QString& tool, const QStringList& arguments) {
                return QProcess::execute(tool, arguments) == 0;
            }));
            QCOMPARE(recorder.finish(), 0);
            QVERIFY(target.waitFor("ButtonRelease", 3));
            original = seenBy(target);
        }
        // The stop command reached the window, but is no part of the session.
        while (!original.empty() && !original.back().what.startsWith(QLatin1String("Button")))
            original.pop_back();

        const Project project = recorder.project();
        QCOMPARE(
            operationsOf(project),
            (QStringList{"マウスポインター 150 150", "クリック 左", "マウスポインター 200 150",
                         "クリック 左", "スムーズムーブ 300 200", "入力 Hello, World 123",
                         "入力 Grüße", "キー 65,2", "マウスポインター 250 250", "クリック 右"}));
        for (const QStringList& command : project.list_command)
            QVERIFY(!command.join(u' ').contains(QStringLiteral("83,")));

        XevWindow replay(targetArea, targetTitle);
        QVERIFY(replay.isReady());
        QCOMPARE(QProcess::execute(QStringLiteral(KESTRUN_PLAY), {recorder.file}), 0);
        QVERIFY(replay.waitFor("ButtonRelease", 3));
        const std::vector<Seen> replayed = seenBy(replay);
        const QString mismatch = replayMismatch(original, replayed);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    // A signal ends the recording, which is saved with what it holds.
    void aSignalSavesWhatWasRecorded() {
        XevWindow target(targetArea, targetTitle);
        QVERIFY(target.isReady());
        Recorder recorder;
        QVERIFY(recorder.start());
        xdotool({"type", "--delay", "50", "abc"});
        QTest::qSleep(300);
        ::kill(pid_t(recorder.process.processId()), SIGTERM);
        QCOMPARE(recorder.finish(), 4);
        QVERIFY(operationsOf(recorder.project()).contains(QStringLiteral("入力 abc")));
    }

    void refusalsLoseNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::addRow("existing file") << QStringList{} << 1 << "--force replaces it";
        for (const char* gaps : {"cap:0", "cap:x", "all"})
            QTest::addRow("gaps %s", gaps) << QStringList{"--gaps", gaps} << 2 << "--gaps needs";
        QTest::addRow("no stop command") << QStringList{"--exit", "none"} << 2 << "--exit needs";
    }
    void refusalsLoseNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        Recorder recorder;
        QFile file(recorder.file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{}");
        file.close();
        recorder.process.start(QStringLiteral(KESTRUN_RECORD),
                               arguments + QStringList{recorder.file});
        QCOMPARE(recorder.finish(), status);
        QVERIFY(QString::fromUtf8(recorder.process.readAllStandardError()).contains(said));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("{}"));
    }
};

QTEST_MAIN(RecordX11Test)
#include "tst_recordx11.moc"
