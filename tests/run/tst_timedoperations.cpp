#include <atomic>
#include <thread>

#include <QtTest>

#include "recordingbackend.h"
#include "run/timedoperations.h"
#include "run/timedwait.h"
#include "runharness.h"

using Kind = RecordingBackend::Kind;
using namespace std::chrono_literals;

namespace {

// Raises `stop` after `delay` on a thread of its own.
struct DelayedStop {
    std::jthread thread;
    DelayedStop(StopSignal& stop, std::chrono::milliseconds delay)
        : thread([&stop, delay] {
              std::this_thread::sleep_for(delay);
              stop.raise();
          }) {}
};

} // namespace

class TimedOperationsTest : public QObject {
    Q_OBJECT

private slots:
    void waitEndsAtTheDeadlineOrSoonAfterAStop() {
        StopSignal stop;
        auto t0 = Clock::now();
        timed::waitSeconds(stop, 0);
        timed::waitSeconds(stop, -1);
        QVERIFY(secondsBetween(t0, Clock::now()) < 0.05);

        t0 = Clock::now();
        timed::waitSeconds(stop, 0.1);
        const double waited = secondsBetween(t0, Clock::now());
        QVERIFY2(waited > 0.098 && waited < 0.2, qPrintable(QString::number(waited)));

        t0 = Clock::now();
        {
            DelayedStop stopper(stop, 50ms);
            timed::waitSeconds(stop, 5);
        }
        QVERIFY(secondsBetween(t0, Clock::now()) < 0.3);
    }

    void clickHoldsThenReleasesAlsoWhenStopped() {
        RecordingBackend backend;
        StopSignal stop;
        timed::click(backend, stop, MouseButton::Right, 0);
        auto events = backend.events();
        QCOMPARE(events.size(), 2u);
        QVERIFY(events[0].kind == Kind::MouseButton && events[0].a == 1 && events[0].down);
        QVERIFY(events[1].kind == Kind::MouseButton && events[1].a == 1 && !events[1].down);

        backend.clear();
        timed::click(backend, stop, MouseButton::Left, 0.2);
        events = backend.events();
        QCOMPARE(events.size(), 2u);
        const double held = secondsBetween(events[0].time, events[1].time);
        QVERIFY2(held > 0.195 && held < 0.5, qPrintable(QString::number(held)));

        backend.clear();
        {
            DelayedStop stopper(stop, 50ms);
            timed::click(backend, stop, MouseButton::Left, 10);
        }
        events = backend.events();
        QCOMPARE(events.size(), 2u);
        QVERIFY(!events[1].down);
        QVERIFY(secondsBetween(events[0].time, events[1].time) < 0.3);
    }

    void smoothMoveIsLinearInTimeAndEndsOnTheTarget() {
        RecordingBackend backend;
        StopSignal stop;
        const auto t0 = Clock::now();
        timed::smoothMove(backend, stop, 100, 0, 0.4);
        const auto moves = backend.events(Kind::SetCursor);
        QVERIFY(moves.size() > 10);
        bool sawHalfway = false;
        for (const auto& move : moves) {
            const double expected = std::min(100.0, 100 * secondsBetween(t0, move.time) / 0.4);
            QVERIFY2(std::abs(move.a - expected) <= 15,
                     qPrintable(QStringLiteral("x %1 expected %2").arg(move.a).arg(expected)));
            QCOMPARE(move.b, 0);
            const double at = secondsBetween(t0, move.time);
            if (at > 0.16 && at < 0.24) {
                sawHalfway = true;
                QVERIFY(move.a > 30 && move.a < 70);
            }
        }
        QVERIFY(sawHalfway);
        QCOMPARE(QPoint(moves.back().a, moves.back().b), QPoint(100, 0));
        QVERIFY(secondsBetween(t0, Clock::now()) < 0.6);
    }

    void smoothMoveJumpsAtDurationZeroAndStopsShortWhenStopped() {
        RecordingBackend backend;
        backend.setPointer({10, 10});
        StopSignal stop;
        timed::smoothMove(backend, stop, -5, 7, 0);
        auto moves = backend.events(Kind::SetCursor);
        QCOMPARE(moves.size(), 1u);
        QCOMPARE(QPoint(moves[0].a, moves[0].b), QPoint(-5, 7));

        backend.clear();
        backend.setPointer({0, 0});
        {
            DelayedStop stopper(stop, 100ms);
            timed::smoothMove(backend, stop, 1000, 1000, 1);
        }
        moves = backend.events(Kind::SetCursor);
        QVERIFY(!moves.empty());
        QVERIFY(moves.back().a < 500);
    }

    void keyCombinationPressesModifiersFirstAndReleasesInReverse() {
        RecordingBackend backend;
        StopSignal stop;
        timed::pressKeyCombination(backend, stop, QStringLiteral("65,3,0.01"));
        const auto keys = backend.events(Kind::Key);
        QCOMPARE(keys.size(), 6u);
        const int order[] = {vk::Control, vk::Menu, 65, 65, vk::Menu, vk::Control};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(keys[i].a, order[i]);
            QCOMPARE(keys[i].down, i < 3);
        }
        QVERIFY(secondsBetween(keys[2].time, keys[3].time) >= 0.0095);

        backend.clear();
        timed::pressKeyCombination(backend, stop, QStringLiteral("90,15,0"));
        const auto all = backend.events(Kind::Key);
        QCOMPARE(all.size(), 10u);
        QCOMPARE(all[3].a, int(vk::LWin));
        QCOMPARE(all[4].a, 90);
        QCOMPARE(all[5].a, 90);
        QVERIFY(!all[5].down);
    }

    void keyTextThatNamesNoKeyPressesNothing() {
        RecordingBackend backend;
        StopSignal stop;
        for (const char* text : {"", "なし", ",", "0,2,1", "x,2,1"})
            timed::pressKeyCombination(backend, stop, QString::fromUtf8(text));
        QVERIFY(backend.events().empty());
        stop.raise();
        timed::pressKeyCombination(backend, stop, QStringLiteral("65,2,1"));
        QVERIFY(backend.events().empty());
    }

    void stopDuringAKeyHoldReleasesEverything() {
        RecordingBackend backend;
        StopSignal stop;
        {
            DelayedStop stopper(stop, 100ms);
            timed::pressKeyCombination(backend, stop, QStringLiteral("83,6,5"));
        }
        const auto keys = backend.events(Kind::Key);
        QCOMPARE(keys.size(), 6u);
        QVERIFY(secondsBetween(keys[2].time, keys[3].time) < 0.3);
        QCOMPARE(keys[5].a, int(vk::Control));
        QVERIFY(!keys[5].down);
    }

    void typingSpreadsTheUnitsOverTheDuration() {
        RecordingBackend backend;
        StopSignal stop;
        const auto t0 = Clock::now();
        timed::typeText(backend, stop, QStringLiteral("abc"), 0.3);
        const double total = secondsBetween(t0, Clock::now());
        QVERIFY2(total > 0.299 && total < 0.5, qPrintable(QString::number(total)));
        const auto units = backend.events(Kind::Unicode);
        QCOMPARE(units.size(), 6u);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(units[2 * i].a, int(u"abc"[i]));
            QVERIFY(units[2 * i].down && !units[2 * i + 1].down);
            const double at = secondsBetween(t0, units[2 * i].time);
            QVERIFY2(std::abs(at - 0.1 * i) < 0.06, qPrintable(QString::number(at)));
        }
    }

    void typingSendsSurrogatesAsUnitsAndNothingWithoutTime() {
        RecordingBackend backend;
        StopSignal stop;
        timed::typeText(backend, stop, QStringLiteral("x"), 0);
        timed::typeText(backend, stop, QString(), 1);
        QVERIFY(backend.events().empty());

        timed::typeText(backend, stop, QString::fromUtf8("😀\n"), 0.03);
        const auto units = backend.events(Kind::Unicode);
        QCOMPARE(units.size(), 6u);
        QCOMPARE(units[0].a, 0xD83D);
        QCOMPARE(units[2].a, 0xDE00);
        QCOMPARE(units[4].a, int('\n'));
    }

    void stopEndsTypingEarly() {
        RecordingBackend backend;
        StopSignal stop;
        const auto t0 = Clock::now();
        {
            DelayedStop stopper(stop, 100ms);
            timed::typeText(backend, stop, QStringLiteral("abcdefghij"), 10);
        }
        QVERIFY(secondsBetween(t0, Clock::now()) < 0.4);
        QCOMPARE(backend.events(Kind::Unicode).size(), 2u);
    }
};

QTEST_GUILESS_MAIN(TimedOperationsTest)
#include "tst_timedoperations.moc"
