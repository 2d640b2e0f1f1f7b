#include <csignal>

#include <QElapsedTimer>
#include <QtTest>

#include "platform/platform.h"
#include "playprocess.h"

namespace {

const QStringList immediately{keyword::Immediately};

QStringList pointerAt(int x, int y) {
    return {keyword::MousePointer, QString::number(x), QString::number(y)};
}

void xdotool(const QStringList& arguments) {
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
}

// An xev window at the top left of the screen, reporting what reaches it.
class Xev {
public:
    Xev() {
        process.start(QStringLiteral("stdbuf"),
                      {QStringLiteral("-oL"), QStringLiteral("xev"), QStringLiteral("-geometry"),
                       QStringLiteral("400x300+0+0"), QStringLiteral("-event"),
                       QStringLiteral("keyboard"), QStringLiteral("-event"),
                       QStringLiteral("button")});
        process.waitForStarted();
        QTest::qWait(500);
    }
    ~Xev() {
        process.kill();
        process.waitForFinished();
    }

    QString output() {
        seen += QString::fromUtf8(process.readAllStandardOutput());
        return seen;
    }
    bool waitFor(const QString& text, int milliseconds = 3000) {
        return QTest::qWaitFor([&] { return output().contains(text); }, milliseconds);
    }
    // The event block (an event's lines up to the blank line) that holds `text`.
    QString eventWith(const QString& text) {
        for (const QString& event : output().split(QStringLiteral("\n\n")))
            if (event.contains(text))
                return event;
        return {};
    }

private:
    QProcess process;
    QString seen;
};

} // namespace

// kestrun-play against a real X server, with xev receiving the input and
// xdotool acting as the user.
class PlayX11Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!Platform::instance().input().canSynthesize())
            QSKIP("This session's platform cannot synthesise input (no X11 input backend).");
    }

    void typesAndClicksIntoAClient() {
        Xev xev;
        PlayProcess play;
        const QString path =
            play.writeProject({pointerAt(200, 150),
                               {keyword::Click, keyword::Left, QStringLiteral("0.05")},
                               {keyword::EnterText, QStringLiteral("ab"), QStringLiteral("0.2")}},
                              {immediately,
                               {keyword::WaitUntilOver, QStringLiteral("0.05")},
                               {keyword::WaitUntilOver, QStringLiteral("0.1")}});
        QCOMPARE(play.play({path}), 0);
        QVERIFY(xev.waitFor(QStringLiteral("keysym 0x62, b")));
        QVERIFY(xev.eventWith(QStringLiteral("ButtonPress")).contains(QStringLiteral("button 1")));
        QVERIFY(
            xev.eventWith(QStringLiteral("ButtonRelease")).contains(QStringLiteral("button 1")));
        const QString output = xev.output();
        QVERIFY(output.indexOf(QStringLiteral("keysym 0x61, a")) <
                output.indexOf(QStringLiteral("keysym 0x62, b")));
    }

    // The run holds the left button and a modifier with A when the exit
    // command (Ctrl+Alt+S) comes: a modifier the run holds does not block it.
    void exitCommandStopsWhileTheRunHoldsAModifier_data() {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("seen");
        QTest::addRow("shift") << "65,4"
                               << "keysym 0x41, A";
        QTest::addRow("ctrl") << "65,2"
                              << "keysym 0x61, a";
        QTest::addRow("alt") << "65,1"
                             << "keysym 0x61, a";
    }
    void exitCommandStopsWhileTheRunHoldsAModifier() {
        QFETCH(QString, held);
        QFETCH(QString, seen);
        Xev xev;
        PlayProcess play;
        const QString path = play.writeProject(
            {pointerAt(200, 150),
             {keyword::Click, keyword::Left, QStringLiteral("30")},
             {keyword::Key, held, QStringLiteral("30")},
             {keyword::None}},
            {immediately, immediately, immediately, {keyword::Time, QStringLiteral("30")}});
        play.start({path});
        QVERIFY(xev.waitFor(seen));

        QElapsedTimer sinceExitCommand;
        sinceExitCommand.start();
        xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl+alt+s")});
        const int status = play.finish();
        const qint64 stoppedAfter = sinceExitCommand.elapsed();
        xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl+alt+s")});
        QCOMPARE(status, 4);
        // The run answers within 0.2 s; the bound leaves room for process exit
        // on a busy machine.
        QVERIFY2(stoppedAfter < 1000, qPrintable(QString::number(stoppedAfter)));

        xdotool({QStringLiteral("key"), QStringLiteral("x")});
        QVERIFY(xev.waitFor(QStringLiteral("keysym 0x78, x")));
        QVERIFY2(
            xev.eventWith(QStringLiteral("keysym 0x78, x")).contains(QStringLiteral("state 0x0,")),
            qPrintable(xev.eventWith(QStringLiteral("keysym 0x78, x"))));
    }

    // Clicks and key presses of no length (xdotool's) satisfy conditions.
    void shortPressesSatisfyConditions() {
        Xev xev;
        PlayProcess play;
        const QString path = play.writeProject(
            {pointerAt(200, 150),
             {keyword::None},
             {keyword::EnterText, QStringLiteral("z"), QStringLiteral("0.05")}},
            {{keyword::Click, keyword::Left}, {keyword::Key, QStringLiteral("65,2")}, immediately});
        play.start({QStringLiteral("--verbose"), path});
        QVERIFY(
            QTest::qWaitFor([&] { return play.process.peek(4096).contains("page 1/3"); }, 3000));
        QVERIFY(!play.process.waitForFinished(200));
        xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QVERIFY(
            QTest::qWaitFor([&] { return play.process.peek(4096).contains("page 2/3"); }, 3000));
        QVERIFY(!play.process.waitForFinished(200));
        xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
        QCOMPARE(play.finish(), 0);
        QVERIFY(play.standardOutput().contains(QStringLiteral("page 3/3: type \"z\"")));
        QVERIFY(xev.waitFor(QStringLiteral("keysym 0x7a, z")));
    }

    // One run at a time on a display: a second player refuses at once, or
    // with --wait waits for the first to end, even by SIGKILL, which leaves
    // no stale lock; a stop signal ends the wait.
    void oneRunAtATimeOnADisplay() {
        PlayProcess first;
        const QString longRun =
            first.writeProject({{keyword::None}}, {{keyword::Time, QStringLiteral("30")}});
        first.start({QStringLiteral("--verbose"), longRun});
        QVERIFY(
            QTest::qWaitFor([&] { return first.process.peek(4096).contains("page 1/1"); }, 5000));

        PlayProcess refused;
        const QString shortRun = refused.writeProject({{keyword::None}}, {immediately});
        QCOMPARE(refused.play({shortRun}), 5);
        const QString refusal = refused.standardError();
        QVERIFY2(refusal.contains(QStringLiteral("別の実行が進行中です")), qPrintable(refusal));
        QVERIFY2(refusal.contains(QStringLiteral("Another run is going on")), qPrintable(refusal));
        QVERIFY(!refused.standardOutput().contains(QStringLiteral("page")));

        const auto startWaiting = [&shortRun](PlayProcess& waiter) {
            waiter.start({QStringLiteral("--wait"), QStringLiteral("--verbose"), shortRun});
            QVERIFY(QTest::qWaitFor(
                [&] { return waiter.process.peek(4096).contains("waiting for the other run"); },
                5000));
        };
        PlayProcess interrupted;
        startWaiting(interrupted);
        ::kill(pid_t(interrupted.process.processId()), SIGTERM);
        QCOMPARE(interrupted.finish(), 4);

        PlayProcess waiter;
        startWaiting(waiter);
        QVERIFY(!waiter.process.waitForFinished(500));
        ::kill(pid_t(first.process.processId()), SIGKILL);
        QCOMPARE(waiter.finish(), 0);
        QVERIFY(waiter.standardOutput().contains(QStringLiteral("page 1/1")));
        first.finish();
    }

    void interruptStopsTheRun() {
        PlayProcess play;
        const QString path =
            play.writeProject({{keyword::None}}, {{keyword::Time, QStringLiteral("30")}});
        play.start({QStringLiteral("--repeat"), QStringLiteral("--verbose"), path});
        QVERIFY(
            QTest::qWaitFor([&] { return play.process.peek(4096).contains("page 1/1"); }, 3000));
        QElapsedTimer sinceSignal;
        sinceSignal.start();
        ::kill(pid_t(play.process.processId()), SIGINT);
        QCOMPARE(play.finish(), 4);
        QVERIFY2(sinceSignal.elapsed() < 1000, qPrintable(QString::number(sinceSignal.elapsed())));
    }
};

QTEST_MAIN(PlayX11Test)
#include "tst_playx11.moc"
