#include <QtTest>

#include "eventwindow.h"
#include "model/project.h"
#include "platform/platform.h"
#include "replayedsession.h"
#include "usersession.h"
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
            QVERIFY(playUserSession([](const QString& tool, const QStringList& arguments) {
                bool ok = false;
                runX11Tool(tool, arguments, &ok);
                return ok;
            }));
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
