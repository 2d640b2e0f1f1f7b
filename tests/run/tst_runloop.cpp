#include <QtTest>

#include "runharness.h"

using Kind = RecordingBackend::Kind;

namespace {

const QStringList immediately{keyword::Immediately};

QStringList waitTime(double seconds) {
    return {keyword::Time, formatSeconds(seconds)};
}

QStringList clickFor(double seconds) {
    return {keyword::Click, keyword::Left, formatSeconds(seconds)};
}

Clock::time_point firstMark(const RecordingBackend& backend, QPoint at) {
    for (const auto& event : backend.events(Kind::SetCursor))
        if (QPoint(event.a, event.b) == at)
            return event.time;
    return {};
}

} // namespace

class RunLoopTest : public QObject {
    Q_OBJECT

private slots:
    void passesWalkThePagesInOrderBetweenTwoBeeps() {
        RunHarness h;
        h.setUp(0, 3, keyword::None, {pointerAt(1, 1), pointerAt(2, 2)},
                {immediately, immediately});
        h.run->start();
        QVERIFY(h.waitFinished());
        const std::vector<QPoint> expected{{1, 1}, {2, 2}, {1, 1}, {2, 2}, {1, 1}, {2, 2}};
        QCOMPARE(h.pointerMarks(), expected);
        QCOMPARE(h.beeps, 2);
        QVERIFY(!h.run->wasStopped());
    }

    void zeroPassesStillBeepTwiceAndFinish() {
        RunHarness h;
        h.setUp(0, 0, keyword::None, {pointerAt(1, 1)}, {immediately});
        h.run->start();
        QVERIFY(h.waitFinished());
        QVERIFY(h.backend.events().empty());
        QCOMPARE(h.beeps, 2);
    }

    void anEmptyProjectFinishesEvenWhenRepeating() {
        RunHarness h;
        h.setUp(0, Run::repeatUntilStopped, keyword::None, {}, {});
        h.run->start();
        QVERIFY(h.waitFinished());
        QCOMPARE(h.beeps, 2);
        QVERIFY(!h.run->wasStopped());
    }

    void repeatingRunsUntilStopped() {
        RunHarness h;
        h.setUp(0, Run::repeatUntilStopped, keyword::None, {pointerAt(1, 1)}, {waitTime(0.01)});
        h.run->start();
        QVERIFY(QTest::qWaitFor([&] { return h.pointerMarks().size() >= 20; }, 5000));
        QVERIFY(!h.finished);
        const auto stoppedAt = Clock::now();
        h.run->requestStop();
        QVERIFY(h.waitFinished());
        QVERIFY(secondsBetween(stoppedAt, h.finishTime()) < 0.5);
        QVERIFY(h.run->wasStopped());
        QCOMPARE(h.beeps, 2);
    }

    void stopDuringTheStartDelayEndsAtOnceWithOnlyTheEndBeep() {
        RunHarness h;
        h.setUp(30, 1, keyword::None, {pointerAt(1, 1)}, {immediately});
        h.run->start();
        QTest::qWait(100);
        const auto stoppedAt = Clock::now();
        h.run->requestStop();
        QVERIFY(h.waitFinished());
        QVERIFY(secondsBetween(stoppedAt, h.finishTime()) < 0.5);
        QVERIFY(h.backend.events().empty());
        QCOMPARE(h.beeps, 1);
    }

    void immediatelyGoesOnWhileTheButtonIsStillHeld() {
        RunHarness h;
        h.setUp(0, 1, keyword::None, {clickFor(0.6), pointerAt(5, 5)}, {immediately, immediately});
        h.run->start();
        QVERIFY(h.waitFinished());
        const auto buttons = h.backend.events(Kind::MouseButton);
        QCOMPARE(buttons.size(), 2u);
        const auto mark = firstMark(h.backend, {5, 5});
        QVERIFY(secondsBetween(buttons[0].time, mark) < 0.3);
        QVERIFY(mark < buttons[1].time);
    }

    void waitUntilOverGoesOnItsTimeAfterTheRelease() {
        RunHarness h;
        h.setUp(0, 1, keyword::None, {clickFor(0.3), pointerAt(5, 5)},
                {{keyword::WaitUntilOver, QStringLiteral("0.1")}, immediately});
        h.run->start();
        QVERIFY(h.waitFinished());
        const auto buttons = h.backend.events(Kind::MouseButton);
        QCOMPARE(buttons.size(), 2u);
        const double after = secondsBetween(buttons[1].time, firstMark(h.backend, {5, 5}));
        QVERIFY2(after > 0.095 && after < 0.5, qPrintable(QString::number(after)));
    }

    void timeCountsFromTheOperationsStart() {
        RunHarness h;
        h.setUp(0, 1, keyword::None,
                {{keyword::SmoothMove, QStringLiteral("100"), QStringLiteral("0"),
                  QStringLiteral("0.6")},
                 pointerAt(-7, -7)},
                {waitTime(0.2), immediately});
        h.run->start();
        QVERIFY(h.waitFinished());
        const auto moves = h.backend.events(Kind::SetCursor);
        const auto mark = firstMark(h.backend, {-7, -7});
        // The first move comes once the operation's thread runs, which a busy
        // system (or Wine) may start well after the wait began. Counted from
        // the operation's end, the wait would end some 0.8 s after it.
        const double after = secondsBetween(moves.front().time, mark);
        QVERIFY2(after > 0.1 && after < 0.55, qPrintable(QString::number(after)));
        QVERIFY(moves.back().time > mark);
        QCOMPARE(QPoint(moves.back().a, moves.back().b), QPoint(100, 0));
    }

    void startingTwiceRunsOnce() {
        RunHarness h;
        h.setUp(0, 1, keyword::None, {pointerAt(3, 3)}, {waitTime(0.05)});
        h.run->start();
        h.run->start();
        QVERIFY(h.waitFinished());
        QCOMPARE(h.pointerMarks().size(), 1u);
        QCOMPARE(h.beeps, 2);
    }

    void aStopBeforeTheLoopBeginsIsNotLost() {
        RunHarness h;
        h.setUp(0, Run::repeatUntilStopped, keyword::None, {pointerAt(1, 1)}, {waitTime(0.01)});
        h.run->requestStop();
        h.run->start();
        QVERIFY(h.waitFinished(1000));
        QVERIFY(h.backend.events().empty());
        QCOMPARE(h.beeps, 1);
    }

    void missingConditionsAndUnknownTypesGoOnAtOnce() {
        RunHarness h;
        h.setUp(0, 1, keyword::None, {{QStringLiteral("謎")}, {keyword::Click}, pointerAt(4, 4)},
                {{QStringLiteral("謎")}});
        h.run->start();
        QVERIFY(h.waitFinished());
        const auto buttons = h.backend.events(Kind::MouseButton);
        QCOMPARE(buttons.size(), 2u);
        QCOMPARE(buttons[0].a, 1); // neither 左 nor 右 clicks the right button
        QCOMPARE(h.pointerMarks(), std::vector<QPoint>(1, QPoint(4, 4)));
    }

    void destroyingARunningRunReleasesEverything() {
        RunHarness h;
        h.backend.setEchoPresses(true);
        h.setUp(0, 1, QStringLiteral("83,3"),
                {clickFor(30),
                 {keyword::Key, QStringLiteral("65,6"), QStringLiteral("30")},
                 {keyword::EnterText, QStringLiteral("abcdef"), QStringLiteral("30")}},
                {immediately, immediately, waitTime(30)});
        h.run->start();
        // The typing has begun: its first character (down and up) is out.
        QVERIFY(QTest::qWaitFor(
            [&] { return h.backend.isKeyDown(65) && h.backend.events(Kind::Unicode).size() >= 2; },
            2000));
        const auto t0 = Clock::now();
        h.run.reset();
        QVERIFY(secondsBetween(t0, Clock::now()) < 0.5);
        for (int key : {vk::LButton, vk::Control, vk::Shift, 65})
            QVERIFY(!h.backend.isKeyDown(key));
        QCOMPARE(h.backend.events(Kind::Unicode).size(), 2u);
    }

    // The run ends on its own thread while the Run is destroyed on another:
    // both stop the exit-command watcher, which is joined once.
    void destroyingARunAsItEndsJoinsTheWatcherOnce() {
        for (int i = 0; i < 50; ++i) {
            RunHarness h;
            h.setUp(0, 1, QStringLiteral("83,3"), {{keyword::None}}, {immediately});
            h.run->start();
            h.run->requestStop();
            h.run.reset();
        }
    }

    // Times beyond any clock (a hold, a key hold, a typing time and a wait)
    // last until the run is stopped instead of ending at once.
    void extremeTimesLastUntilStopped_data() {
        QTest::addColumn<QString>("time");
        QTest::newRow("1e308") << QStringLiteral("1e308");
        QTest::newRow("inf") << QStringLiteral("inf");
        QTest::newRow("1e20") << QStringLiteral("1e20");
    }
    void extremeTimesLastUntilStopped() {
        QFETCH(QString, time);
        RunHarness h;
        h.backend.setEchoPresses(true);
        h.setUp(0, 1, keyword::None,
                {{keyword::Click, keyword::Left, time},
                 {keyword::Key, QStringLiteral("65,0"), time},
                 {keyword::EnterText, QStringLiteral("ab"), time}},
                {immediately, immediately, {keyword::Time, time}});
        h.run->start();
        QVERIFY(QTest::qWaitFor([&] { return !h.backend.events(Kind::Unicode).empty(); }, 2000));
        QTest::qWait(200);
        QVERIFY(!h.finished);
        QVERIFY(h.backend.isKeyDown(vk::LButton));
        QVERIFY(h.backend.isKeyDown(65));
        QCOMPARE(h.backend.events(Kind::Unicode).size(), 2u);
        h.run->requestStop();
        QVERIFY(h.waitFinished(2000));
        QVERIFY(!h.backend.isKeyDown(vk::LButton));
        QVERIFY(!h.backend.isKeyDown(65));
    }

    // The system refused the press of A while Shift was down (another
    // program blocks input): the run stops at once and releases Shift.
    void aRefusedEventStopsTheRunAndReleasesWhatIsHeld() {
        RunHarness h;
        h.backend.setEchoPresses(true);
        h.backend.refuseSend(2);
        h.setUp(0, 1, keyword::None, {{keyword::Key, QStringLiteral("65,4"), QStringLiteral("30")}},
                {waitTime(30)});
        QTest::ignoreMessage(QtWarningMsg,
                             "[Run] the system refused synthesised input; the run stops");
        h.run->start();
        QVERIFY(h.waitFinished(2000));
        QVERIFY(h.run->wasStopped());
        QVERIFY(!h.backend.isKeyDown(vk::Shift));
        QVERIFY(!h.backend.isKeyDown(65));
        QCOMPARE(h.backend.events(Kind::Key).front().a, vk::Shift);
    }
};

QTEST_MAIN(RunLoopTest)
#include "tst_runloop.moc"
