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

// An X server of the test's own, for a test to take away.
struct OwnXvfb {
    QProcess process;
    QString display;

    OwnXvfb() {
        process.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                               QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        display = u':' + QString::fromLatin1(process.readLine().trimmed());
    }
    ~OwnXvfb() {
        process.kill();
        process.waitForFinished();
    }
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

        // xdotool's keys come through XTest like the run's, where a modifier
        // the run holds is down already: the user takes the right-hand ones.
        const QString exitCommand = QStringLiteral("Control_R+Alt_R+s");
        QElapsedTimer sinceExitCommand;
        sinceExitCommand.start();
        xdotool({QStringLiteral("keydown"), exitCommand});
        const int status = play.finish();
        const qint64 stoppedAfter = sinceExitCommand.elapsed();
        xdotool({QStringLiteral("keyup"), exitCommand});
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

    // What the run itself types, presses and clicks satisfies neither its
    // conditions nor its exit command; the user's input (xdotool's) does.
    void theRunsOwnInputIsNotTheUsers_data() {
        QTest::addColumn<QString>("exitCommand");
        QTest::addColumn<PageList>("commands");
        QTest::addColumn<PageList>("conditions");
        QTest::addColumn<QStringList>("user");
        const QStringList typeText{keyword::EnterText, QStringLiteral("this is some text"),
                                   QStringLiteral("0.3")};
        const QStringList over{keyword::WaitUntilOver, QStringLiteral("0.1")};
        QTest::addRow("typed S, key condition S")
            << "83,3" << PageList{typeText, {keyword::None}}
            << PageList{immediately, {keyword::Key, QStringLiteral("83,0")}}
            << QStringList{QStringLiteral("key"), QStringLiteral("s")};
        QTest::addRow("click, click condition")
            << "83,3" << PageList{{keyword::Click, keyword::Left, QStringLiteral("0.05")}}
            << PageList{{keyword::Click, keyword::Left}}
            << QStringList{QStringLiteral("click"), QStringLiteral("1")};
        QTest::addRow("typed T, exit command T")
            << "84,0" << PageList{typeText} << PageList{over} << QStringList{};
        QTest::addRow("held Ctrl+C, exit command left Ctrl")
            << "162,0" << PageList{{keyword::Key, QStringLiteral("67,2"), QStringLiteral("0.3")}}
            << PageList{over} << QStringList{};
    }
    void theRunsOwnInputIsNotTheUsers() {
        QFETCH(QString, exitCommand);
        QFETCH(PageList, commands);
        QFETCH(PageList, conditions);
        QFETCH(QStringList, user);
        Xev xev;
        PlayProcess play;
        play.start(
            {QStringLiteral("--verbose"), QStringLiteral("--exit"), exitCommand,
             play.writeProject(PageList{pointerAt(200, 150)} + commands + PageList{{keyword::None}},
                               PageList{immediately} + conditions + PageList{immediately})});
        if (!user.isEmpty()) {
            QTest::qWait(1000);
            const QString lastPage = QStringLiteral("page %1/%1").arg(commands.size() + 2);
            QVERIFY(!play.process.peek(1 << 16).contains(lastPage.toUtf8()));
            xdotool(user);
        }
        QCOMPARE(play.finish(), 0);
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

    // 114514, the window's "repeat", is a number like any other here.
    void runsMakesExactlyThatManyPasses() {
        PlayProcess play;
        const QString path = play.writeProject({{keyword::None}}, {immediately});
        play.start({QStringLiteral("--runs"), QStringLiteral("114514"), QStringLiteral("--verbose"),
                    QStringLiteral("--exit"), QStringLiteral("none"), path});
        QCOMPARE(play.finish(60000), 0);
        const QStringList lines = play.standardOutput().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 114514);
        QVERIFY2(lines.last().startsWith(QStringLiteral("pass 114514/114514, page 1/1")),
                 qPrintable(lines.last()));
    }

    // Both programs end with one line and their own status when the X
    // server goes away, the player whatever its threads are doing.
    void theDesktopClosingEndsWithOneLineAndStatusSix_data() {
        QTest::addColumn<PageList>("commands");
        QTest::addRow("player holding a key")
            << PageList{{keyword::Key, QStringLiteral("65,4"), QStringLiteral("30")}};
        QTest::addRow("player typing")
            << PageList{{keyword::EnterText, QString(10000, u'x'), QStringLiteral("10")}};
        QTest::addRow("window") << PageList{};
    }
    void theDesktopClosingEndsWithOneLineAndStatusSix() {
        QFETCH(PageList, commands);
        OwnXvfb xvfb;
        QVERIFY(xvfb.display.size() > 1);
        PlayProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), xvfb.display);
        for (const char* folder : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            environment.insert(QLatin1String(folder), program.folder.path());
        program.process.setProcessEnvironment(environment);
        if (commands.isEmpty()) {
            program.process.setProgram(QStringLiteral(KESTRUN_WINDOW));
            program.process.start();
            QProcess windows;
            windows.setProcessEnvironment(environment);
            windows.start(QStringLiteral("xdotool"),
                          {QStringLiteral("search"), QStringLiteral("--sync"),
                           QStringLiteral("--class"), QStringLiteral("kestrun")});
            QVERIFY(windows.waitForFinished(20000));
        } else {
            program.start(
                {QStringLiteral("--verbose"),
                 program.writeProject(commands, {{keyword::Time, QStringLiteral("30")}})});
            QVERIFY(QTest::qWaitFor([&] { return program.process.peek(4096).contains("page 1/1"); },
                                    5000));
            QTest::qWait(300);
        }
        xvfb.process.kill();
        QCOMPARE(program.finish(5000), 6);
        const QStringList lines = program.standardError().split(u'\n').filter(u"desktop closed");
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains(QStringLiteral("デスクトップが閉じられました")),
                 qPrintable(lines.first()));
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
