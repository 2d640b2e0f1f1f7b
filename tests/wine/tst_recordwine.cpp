#include <QtTest>

#include "eventwindow.h"
#include "model/project.h"
#include "platform/platform.h"
#include "replayedsession.h"
#include "x11tools.h"

namespace {

const QRect targetArea(100, 100, 400, 300);

// What the window saw that a replay must give again: the characters typed,
// each at the time of the key press it came from, and the buttons, where
// they went, each at its message time.
std::vector<Seen> seenBy(EventWindow& window) {
    std::vector<Seen> seen;
    qint64 lastKeyPress = 0;
    for (const EventWindow::Event& event : window.events()) {
        if (event.type == "keydown" || event.type == "syskeydown")
            lastKeyPress = event.values.value(4);
        else if (event.type == "char")
            seen.push_back({QStringLiteral("char %1").arg(event.values.value(0)), lastKeyPress});
        else if (event.type.contains("button"))
            seen.push_back({QStringLiteral("%1 %2,%3")
                                .arg(QString::fromLatin1(event.type))
                                .arg(event.values.value(0))
                                .arg(event.values.value(1)),
                            event.values.value(2)});
    }
    return seen;
}

void press(const QString& button, QPoint at, QPoint releaseAt) {
    QVERIFY(xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "sleep", "0.1",
                     "mousedown", button, "sleep", "0.1"}));
    if (releaseAt != at)
        QVERIFY(xdotool({"mousemove", QString::number(releaseAt.x()),
                         QString::number(releaseAt.y()), "sleep", "0.1"}));
    QVERIFY(xdotool({"mouseup", button}));
}

void setLayout(const char* layout) {
    bool ok = false;
    runX11Tool(QStringLiteral("setxkbmap"), {QString::fromLatin1(layout)}, &ok);
    QVERIFY(ok);
}

} // namespace

// kestrun-record.exe under Wine: xdotool acts as the user on a Win32
// window, and kestrun-play.exe replays the recording into a fresh one.
class RecordWineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!Platform::instance().createInputRecording())
            QSKIP("This desktop cannot be recorded.");
    }

    void cleanup() { setLayout("us"); }

    void aReplayGivesTheRecordedSessionAgain() {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("recorded.cmdat"));
        std::vector<Seen> original;
        {
            EventWindow target(true, targetArea);
            QVERIFY(target.isReady());
            QProcess recorder;
            recorder.start(QStringLiteral(KESTRUN_RECORD), {"--delay", "0", file});
            QVERIFY(
                QTest::qWaitFor([&] { return recorder.peek(256).startsWith("recording"); }, 20000));
            press("1", {150, 150}, {150, 150});
            QTest::qSleep(300);
            press("1", {200, 150}, {300, 200});
            QTest::qSleep(300);
            QVERIFY(xdotool({"type", "--delay", "80", "Hello, World 123"}));
            QTest::qSleep(700);
            setLayout("de");
            QTest::qSleep(300);
            QVERIFY(xdotool({"type", "--delay", "80", "Grüße"}));
            QTest::qSleep(700);
            QVERIFY(xdotool({"key", "ctrl+a", "sleep", "1"}));
            press("3", {250, 250}, {250, 250});
            QTest::qSleep(300);
            QVERIFY(xdotool({"key", "ctrl+alt+s"}));
            // It may have ended during the xdotool call already.
            QVERIFY(recorder.state() == QProcess::NotRunning || recorder.waitForFinished(20000));
            QVERIFY2(recorder.exitCode() == 0, recorder.readAllStandardError().constData());
            QVERIFY(target.waitFor("rbuttonup", 1));
            original = seenBy(target);
        }
        // The stop command reached the window but is no part of the session.
        while (!original.empty() && !original.back().what.contains(QLatin1String("button")))
            original.pop_back();

        const Project project = readProjectFile(file).project;
        QStringList texts;
        for (const QStringList& command : project.list_command)
            if (command.value(0) == keyword::EnterText || command.value(0) == keyword::Key)
                texts << command.value(1);
        QCOMPARE(texts, (QStringList{"Hello, World 123", "Grüße", "65,2"}));

        EventWindow replay(true, targetArea);
        QVERIFY(replay.isReady());
        QProcess player;
        player.start(QStringLiteral(KESTRUN_PLAY), {file});
        QVERIFY(player.state() == QProcess::NotRunning || player.waitForFinished(30000));
        QCOMPARE(player.exitCode(), 0);
        QVERIFY(replay.waitFor("rbuttonup", 1));
        const std::vector<Seen> replayed = seenBy(replay);
        const QString mismatch = replayMismatch(original, replayed);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
};

QTEST_MAIN(RecordWineTest)
#include "tst_recordwine.moc"
