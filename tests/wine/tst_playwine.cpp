#include <QtTest>

#include "eventwindow.h"
#include "model/screenpages.h"
#include "picturewindow.h"
#include "platform/platform.h"
#include "platform/win32/windowsapi.h"
#include "playprocess.h"
#include "x11tools.h"

// kestrun-play.exe as a Windows user meets it, under Wine: it types into a
// Win32 window, the exit command pressed on the keyboard stops it, and
// nothing stays pressed.
class PlayWineTest : public QObject {
    Q_OBJECT

private slots:
    void typesThenStopsOnTheExitCommandWithNothingHeld() {
        // Wine's tray takes the foreground when the run shows its icon (any
        // program's icon does); the window takes it back before the run's
        // first page, and notes every program that took it.
        EventWindow window;
        QVERIFY(window.isReady());
        PlayProcess play;
        // Its log tells a missed exit command from a slow end.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        play.process.setProcessEnvironment(environment);
        const QString text = QString::fromUtf8("hello 世界 😀 done");
        const QString project =
            play.writeProject({{keyword::EnterText, text, QStringLiteral("0.5")},
                               {keyword::Key, QStringLiteral("65,0"), QStringLiteral("30")}},
                              {{keyword::WaitUntilOver, QStringLiteral("0.1")},
                               {keyword::Time, QStringLiteral("30")}});
        play.start({"--delay", "1", "--verbose", project});
        QVERIFY(window.waitFor("keydown", text.size() + 1, 20000));
        QCOMPARE(window.typedText().left(text.size()), text);

        // The player holds A; the user presses Ctrl+Alt+S and keeps it down
        // until the player has gone.
        QVERIFY(xdotool({"keydown", "ctrl+alt+s"}));
        const int status = play.finish(5000);
        QVERIFY(xdotool({"keyup", "ctrl+alt+s"}));
        const QString errors = play.standardError();
        QVERIFY2(status == 4, qPrintable(QStringLiteral("status %1\n").arg(status) + errors));
        // Qt's own complaints stay off the user's console.
        QVERIFY2(!errors.contains(QStringLiteral("qt.qpa")), qPrintable(errors));
        QVERIFY(window.waitFor("keyup", text.size() + 1));
        InputBackend& input = Platform::instance().input();
        for (int key = 1; key < 255; ++key)
            QVERIFY2(!input.isKeyDown(key), qPrintable(QString::number(key)));

        // Only other programs (Wine's tray) ever took the foreground.
        for (const EventWindow::Event& event : window.events("foreground"))
            QVERIFY2(event.values.value(0) != play.process.processId(), event.text);

        const QString output = play.standardOutput();
        QVERIFY2(output.contains(QStringLiteral("pass 1/1, page 1/2: type \"") + text),
                 qPrintable(output));
        QVERIFY(output.contains(QStringLiteral("pass 1/1, page 2/2")));
    }

    // The player hears keys and buttons through low-level hooks, as events:
    // a click a few milliseconds long satisfies a click condition, and a tap
    // of the exit command as short stops the run.
    void shortPressesAreSeen() {
        EventWindow window;
        QVERIFY(window.isReady());
        PlayProcess play;
        const QString project = play.writeProject(
            {{keyword::None}, {keyword::None}},
            {{keyword::Click, keyword::Left}, {keyword::Time, QStringLiteral("30")}});
        play.start({"--delay", "1", "--verbose", project});
        QVERIFY(QTest::qWaitFor([&] { return play.process.bytesAvailable() > 0; }, 10000));
        // Wine sees the pointer only over its own windows.
        QVERIFY(xdotool({"mousemove", QString::number(window.center().x()),
                         QString::number(window.center().y()), "click", "1"}));
        QString output;
        QTRY_VERIFY((output += play.standardOutput()).contains(QStringLiteral("page 2/2")));
        QVERIFY(xdotool({"key", "--delay", "0", "ctrl+alt+s"}));
        QCOMPARE(play.finish(5000), 4);
    }

    // The run's own Ctrl+Alt+S (tagged, as all its input) does not stop it,
    // its own click does not satisfy its click condition; the user's does.
    void theRunsOwnInputIsNotTheUsers() {
        EventWindow window;
        QVERIFY(window.isReady());
        PlayProcess play;
        const QString project = play.writeProject(
            {{keyword::Key, QStringLiteral("83,3"), QStringLiteral("0.1")},
             {keyword::Click, keyword::Left, QStringLiteral("0.05")}},
            {{keyword::WaitUntilOver, QStringLiteral("0.1")}, {keyword::Click, keyword::Left}});
        play.start({"--delay", "1", "--verbose", project});
        QVERIFY(
            QTest::qWaitFor([&] { return play.process.peek(4096).contains("page 2/2"); }, 10000));
        QVERIFY(!play.process.waitForFinished(1500));
        QVERIFY(xdotool({"mousemove", QString::number(window.center().x()),
                         QString::number(window.center().y()), "click", "1"}));
        QCOMPARE(play.finish(5000), 0);
    }

    // A Window page brings one of two windows forward by part of its title,
    // and what the next page types arrives there only.
    void activatesByTitleThenTypesThere() {
        EventWindow alpha(false, QRect(100, 100, 300, 200), "Kestrun alpha");
        EventWindow beta(false, QRect(500, 100, 300, 200), "Kestrun beta");
        QVERIFY(alpha.isReady() && beta.isReady());
        PlayProcess play;
        const QString project = play.writeProject(
            {{keyword::Window, "ALPHA"}, {keyword::EnterText, "hi", QStringLiteral("0.05")}},
            {{keyword::Window, "alpha"}, {keyword::WaitUntilOver, QStringLiteral("0")}});
        QCOMPARE(play.play({"--delay", "1", project}), 0);
        QVERIFY(alpha.waitFor("char", 2));
        QCOMPARE(alpha.typedText(), "hi");
        QCOMPARE(beta.count("keydown"), 0);
    }

    // The image condition finds the picture a Win32 window paints, through
    // BitBlt, and tells it from a picture no window shows.
    void imageConditionFindsAPaintedPicture() {
        EventWindow window(true, QRect(200, 150, 300, 200), {}, 5);
        QVERIFY(window.isReady());
        const auto condition = [](unsigned seed, const QString& mode) {
            return QStringList{keyword::Image,
                               screenpages::imageToken(PictureWindow::testPicture(seed)),
                               QStringLiteral("0.9"), QString(), mode};
        };
        PlayProcess play;
        const QString project =
            play.writeProject({{keyword::None}, {keyword::None}},
                              {condition(5, keyword::Appears), condition(6, keyword::Disappears)});
        play.start({"--verbose", project});
        const int status = play.finish(20000);
        const QString output = play.standardOutput();
        QVERIFY2(status == 0, qPrintable(output + play.standardError()));
        QVERIFY2(output.contains(QStringLiteral("page 2/2")), qPrintable(output));
    }

    // One run at a time in a session: a second player refuses at once; one
    // given --wait starts once the first has been killed, whose lock the
    // system dropped with it.
    void oneRunAtATimeInASession() {
        PlayProcess first;
        const QString longRun =
            first.writeProject({{keyword::None}}, {{keyword::Time, QStringLiteral("30")}});
        first.start({"--verbose", longRun});
        QVERIFY(
            QTest::qWaitFor([&] { return first.process.peek(4096).contains("page 1/1"); }, 10000));
        PlayProcess refused;
        const QString shortRun = refused.writeProject({{keyword::None}}, {{keyword::Immediately}});
        QCOMPARE(refused.play({shortRun}), 5);
        QVERIFY(refused.standardError().contains(QStringLiteral("Another run is going on")));

        PlayProcess waiter;
        waiter.start({"--wait", "--verbose", shortRun});
        QVERIFY(QTest::qWaitFor(
            [&] { return waiter.process.peek(4096).contains("waiting for the other run"); },
            10000));
        first.process.kill();
        QCOMPARE(waiter.finish(10000), 0);
        QVERIFY(waiter.standardOutput().contains(QStringLiteral("page 1/1")));
    }
};

QTEST_MAIN(PlayWineTest)
#include "tst_playwine.moc"
