#include <csignal>

#include <QElapsedTimer>
#include <QtTest>

#include "playprocess.h"
#include "x11testing.h"
#include "xevwindow.h"

#include <X11/extensions/XTest.h>
// Xlib's None would stand for the page keyword of that name.
#undef None

namespace {

const QStringList immediately{keyword::Immediately};
const QStringList waitLong{keyword::Time, QStringLiteral("30")};
const QStringList holdShiftA{keyword::Key, QStringLiteral("65,4"), QStringLiteral("30")};
constexpr int keycodeA = 38;

bool sawPress(XevWindow& xev, unsigned long keysym) {
    for (const XevWindow::Event& event : xev.events())
        if (event.type == "KeyPress" && event.keysym == keysym)
            return true;
    return false;
}

int emptyKeycodes(const ServerView& server) {
    const std::vector<KeySym> mapping = server.keyboardMapping();
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(server.display(), &minKeycode, &maxKeycode);
    const size_t columns = mapping.size() / size_t(maxKeycode - minKeycode + 1);
    int empty = 0;
    for (size_t key = 0; key * columns < mapping.size(); ++key)
        empty += std::all_of(mapping.begin() + key * columns, mapping.begin() + (key + 1) * columns,
                             [](KeySym keysym) { return keysym == NoSymbol; });
    return empty;
}

// Taps a key combination by keycode from a client of the test's own, 5 ms
// down, as a user's quick press.
void tap(Display* display, std::initializer_list<int> keycodes) {
    for (int keycode : keycodes)
        XTestFakeKeyEvent(display, keycode, True, CurrentTime);
    XSync(display, False);
    QTest::qSleep(5);
    for (int keycode : keycodes)
        XTestFakeKeyEvent(display, keycode, False, CurrentTime);
    XSync(display, False);
}

// The processes whose parent is `parent`.
QByteArray childrenOf(qint64 parent) {
    const QString tasks = QStringLiteral("/proc/%1/task/").arg(parent);
    QByteArray children;
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks + task + QStringLiteral("/children"));
        if (file.open(QIODevice::ReadOnly))
            children += file.readAll();
    }
    return children.trimmed();
}

bool pageStarted(PlayProcess& play, const QByteArray& page) {
    return QTest::qWaitFor([&] { return play.process.peek(1 << 16).contains(page); }, 5000);
}

} // namespace

// Every way a player can end, its exit command under any layout, a signal
// and a kill, leaves no key or button pressed and the server as it was.
class PlayStopsTest : public QObject {
    Q_OBJECT

    ServerView server;

private slots:
    void cleanup() {
        server.setLayout("us");
        QTRY_VERIFY(server.keysDown().empty());
    }

    // Ctrl+Alt+S and a key condition on Ctrl and a letter, pressed by
    // keycode where the layout puts them.
    void exitCommandAndKeyConditionsUnderEveryLayout_data() {
        QTest::addColumn<QString>("layouts");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("letter");
        QTest::addColumn<int>("keycode");
        QTest::addRow("ru") << "ru" << 0 << int('S') << 39;
        QTest::addRow("de") << "de" << 0 << int('Z') << 29;
        QTest::addRow("fr") << "fr" << 0 << int('A') << 24;
        QTest::addRow("us,ru second group") << "us,ru" << 1 << int('Q') << 24;
    }
    void exitCommandAndKeyConditionsUnderEveryLayout() {
        QFETCH(QString, layouts);
        QFETCH(int, group);
        QFETCH(int, letter);
        QFETCH(int, keycode);
        server.setLayout(layouts, group);
        PlayProcess play;
        const QString path =
            play.writeProject({{keyword::None}, {keyword::None}},
                              {{keyword::Key, QStringLiteral("%1,2").arg(letter)}, waitLong});
        play.start({QStringLiteral("--verbose"), path});
        QVERIFY(pageStarted(play, "page 1/2"));
        tap(server.display(), {37, keycode});
        QVERIFY(pageStarted(play, "page 2/2"));
        tap(server.display(), {37, 64, 39});
        QCOMPARE(play.finish(3000), 4);
    }

    // Every signal that ends the player releases first; a second Ctrl+C
    // right after the first does not cut that short.
    void signalsReleaseWhatTheRunHolds_data() {
        QTest::addColumn<QList<int>>("sent");
        QTest::addRow("SIGTERM") << QList<int>{SIGTERM};
        QTest::addRow("SIGHUP") << QList<int>{SIGHUP};
        QTest::addRow("SIGQUIT") << QList<int>{SIGQUIT};
        QTest::addRow("SIGINT twice") << QList<int>{SIGINT, SIGINT};
    }
    void signalsReleaseWhatTheRunHolds() {
        QFETCH(QList<int>, sent);
        XevWindow xev;
        QVERIFY(xev.isReady());
        PlayProcess play;
        play.start({play.writeProject({holdShiftA}, {waitLong})});
        QVERIFY(xev.waitFor("KeyPress", 2));
        for (int signal : sent)
            ::kill(pid_t(play.process.processId()), signal);
        QCOMPARE(play.finish(3000), 4);
        QVERIFY(xev.waitFor("KeyRelease", 2));
        QVERIFY(server.keysDown().empty());
    }

    void aSignalEndsFastTypingAtOnce() {
        XevWindow xev;
        QVERIFY(xev.isReady());
        PlayProcess play;
        play.start({play.writeProject(
            {{keyword::EnterText, QString(10000, u'x'), QStringLiteral("10")}}, {immediately})});
        QVERIFY(xev.waitFor("KeyPress", 300));
        QElapsedTimer sinceSignal;
        sinceSignal.start();
        ::kill(pid_t(play.process.processId()), SIGTERM);
        QCOMPARE(play.finish(3000), 4);
        // Typing stops at once and the process follows; the bound is loose
        // for a busy machine (bench_stoplatency measures it).
        QVERIFY2(sinceSignal.elapsed() < 1000, qPrintable(QString::number(sinceSignal.elapsed())));
        const int typed = xev.count("KeyPress");
        QTest::qWait(300);
        QCOMPARE(xev.count("KeyPress"), typed);
    }

    // After SIGKILL the guard releases the held key, switches autorepeat
    // back on and empties the keys lent for typing.
    void theGuardCleansUpAfterAKill() {
        QVERIFY(server.autoRepeats(keycodeA));
        const int freeBefore = emptyKeycodes(server);
        {
            XevWindow xev;
            QVERIFY(xev.isReady());
            PlayProcess play;
            play.start({play.writeProject({holdShiftA}, {waitLong})});
            QVERIFY(xev.waitFor("KeyPress", 2));
            QVERIFY(!server.autoRepeats(keycodeA));
            play.process.kill();
            play.process.waitForFinished();
            QTRY_VERIFY(server.keysDown().empty());
            QTRY_VERIFY(server.autoRepeats(keycodeA));
        }
        {
            XevWindow xev;
            QVERIFY(xev.isReady());
            PlayProcess play;
            const QString japanese =
                QString::fromUtf8("日本語のテキストを入力します。").repeated(40);
            play.start({play.writeProject({{keyword::EnterText, japanese, QStringLiteral("5")}},
                                          {immediately})});
            QVERIFY(xev.waitFor("KeyPress", 30));
            QVERIFY(emptyKeycodes(server) < freeBefore);
            play.process.kill();
            play.process.waitForFinished();
            QTRY_COMPARE(emptyKeycodes(server), freeBefore);
            QVERIFY(!sawPress(xev, 0));
        }
    }

    // The guard hears of a release only once it has left the player: a kill
    // right after it is told (the player's test seam) leaves nothing behind.
    void aKillRightAfterAReleaseLeavesNothingBehind_data() {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QStringList>("command");
        QTest::addRow("key up") << QByteArray("key-up") << QStringList{keyword::Key, "65,4", "0.2"};
        QTest::addRow("autorepeat on")
            << QByteArray("repeat-on") << QStringList{keyword::Key, "65,4", "1"};
        QTest::addRow("button up")
            << QByteArray("button-up") << QStringList{keyword::Click, keyword::Left, "0.2"};
        QTest::addRow("lent key emptied")
            << QByteArray("spare-emptied")
            << QStringList{keyword::EnterText, QString::fromUtf8("日本語"), "0.1"};
    }
    void aKillRightAfterAReleaseLeavesNothingBehind() {
        QFETCH(QByteArray, report);
        QFETCH(QStringList, command);
        const int freeBefore = emptyKeycodes(server);
        PlayProcess play;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KESTRUN_TEST_KILL_AFTER_REPORT"), report);
        play.process.setProcessEnvironment(environment);
        play.start({play.writeProject({command}, {waitLong})});
        QVERIFY(play.process.waitForFinished(10000));
        QCOMPARE(play.process.exitStatus(), QProcess::CrashExit);
        QTRY_VERIFY(server.keysDown().empty());
        QTRY_VERIFY(!server.anyButtonDown());
        QTRY_VERIFY(server.autoRepeats(keycodeA));
        QTRY_COMPARE(emptyKeycodes(server), freeBefore);
    }

    // A guard killed first is reaped and replaced by one that is told what
    // the player holds, and which releases it when the player is killed.
    void aDeadGuardIsReplaced() {
        PlayProcess play;
        play.process.setProcessChannelMode(QProcess::MergedChannels);
        play.start({play.writeProject({holdShiftA}, {waitLong})});
        QTRY_VERIFY(!server.keysDown().empty());
        const qint64 player = play.process.processId();
        const QByteArray guard = childrenOf(player);
        QVERIFY(guard.toInt() > 0);
        ::kill(pid_t(guard.toInt()), SIGKILL);
        QTRY_VERIFY(play.process.peek(1 << 16).contains("a new one guards what is held now"));
        QTRY_VERIFY(childrenOf(player).toInt() > 0 && childrenOf(player) != guard);
        play.process.kill();
        play.process.waitForFinished();
        QTRY_VERIFY(server.keysDown().empty());
        QTRY_VERIFY(server.autoRepeats(keycodeA));
    }
};

QTEST_MAIN(PlayStopsTest)
#include "tst_playstops.moc"
