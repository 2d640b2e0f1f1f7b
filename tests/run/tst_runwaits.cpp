#include <thread>

#include <QPointer>
#include <QSystemTrayIcon>
#include <QThread>
#include <QtTest>

#include "model/screenpages.h"
#include "runharness.h"
#include "testplatform.h"

namespace {

const QStringList immediately{keyword::Immediately};
const QStringList waitLong{keyword::Time, QStringLiteral("30")};

void press(RecordingBackend& backend, std::initializer_list<int> keys, bool down) {
    for (int key : keys)
        backend.setKeyDown(key, down);
}

// An event source that starts listening only after a while.
class SlowToListen : public InputEventSource {
public:
    explicit SlowToListen(std::unique_ptr<InputEventSource> source) : source(std::move(source)) {}
    bool run(InputEventListener& listener) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return source->run(listener);
    }
    void interrupt() override { source->interrupt(); }

private:
    std::unique_ptr<InputEventSource> source;
};

} // namespace

// The waits for input and for the clock, and the ways to stop a run.
class RunWaitsTest : public QObject {
    Q_OBJECT

private:
    // A run whose first page waits for `condition`, then marks the pointer.
    void startWaitingFor(RunHarness& h, const QStringList& condition) {
        h.setUp(0, 1, keyword::None, {{keyword::None}, pointerAt(9, 9)}, {condition, immediately});
        h.run->start();
        QTest::qWait(50); // let the wait begin before keys go down
    }

    // The exit command Ctrl+Alt+S, pressed with `control`, ends the run in time.
    bool stopsOnCtrlAltS(RunHarness& h, int control) {
        QTest::ignoreMessage(QtDebugMsg, "[Run] stop command detected: vk= 83  mask= 3");
        const auto pressedAt = Clock::now();
        press(h.backend, {control, vk::LMenu, 83}, true);
        press(h.backend, {control, vk::LMenu, 83}, false);
        return h.waitFinished() && secondsBetween(pressedAt, h.finishTime()) < 0.4 &&
               h.run->wasStopped();
    }

    bool wentOn(RunHarness& h, int withinMs = 300) {
        return QTest::qWaitFor([&] { return !h.pointerMarks().empty(); }, withinMs);
    }

private slots:
    void keyConditionNeedsExactlyItsModifiers() {
        RunHarness h;
        startWaitingFor(h, {keyword::Key, QStringLiteral("65,2")});
        press(h.backend, {vk::LControl, vk::LShift, 65}, true);
        QVERIFY(!wentOn(h, 250));
        press(h.backend, {vk::LShift}, false);
        QVERIFY(!wentOn(h, 150)); // pressed now, but A is still down
        press(h.backend, {65}, false);
        QVERIFY(wentOn(h));
        QVERIFY(h.waitFinished());
    }

    void keyConditionIgnoresAKeyAlreadyHeld() {
        RunHarness h;
        press(h.backend, {vk::Control, 65}, true);
        startWaitingFor(h, {keyword::Key, QStringLiteral("65,2")});
        press(h.backend, {65}, false);
        QVERIFY(!wentOn(h, 250));
        press(h.backend, {65}, true);
        QTest::qWait(100);
        press(h.backend, {65}, false);
        QVERIFY(wentOn(h));
        QVERIFY(h.waitFinished());
    }

    // Waits see events, not polled states: a press over before any poll
    // could read it still counts, and a lone modifier is a key by itself.
    void shortPressesAndLoneModifiersSatisfyConditions() {
        RunHarness h;
        std::atomic<int> page{0};
        h.run->setPageObserver([&](qint64, int number) { page = number; });
        h.setUp(0, 1, keyword::None, {{keyword::None}, {keyword::None}, pointerAt(9, 9)},
                {{keyword::Click, keyword::Left},
                 {keyword::Key, QStringLiteral("160,0")},
                 immediately});
        h.run->start();
        QVERIFY(QTest::qWaitFor([&] { return page == 1; }));
        QTest::qWait(20);
        h.backend.setKeyDown(vk::LButton, true);
        h.backend.setKeyDown(vk::LButton, false);
        QVERIFY(QTest::qWaitFor([&] { return page == 2; }));
        QTest::qWait(20);
        h.backend.setKeyDown(vk::LShift, true);
        h.backend.setKeyDown(vk::LShift, false);
        QVERIFY(wentOn(h));
        QVERIFY(h.waitFinished());
    }

    // An event source takes a moment to start listening (an X connection to
    // open); the first page does not begin before it does.
    void theFirstPageWaitsForTheWatcher() {
        RecordingBackend backend;
        Run run(backend, std::make_unique<SlowToListen>(backend.createEventSource()));
        std::atomic<bool> pageBegun{false};
        run.setPageObserver([&](qint64, int) { pageBegun = true; });
        bool finished = false;
        QObject::connect(
            &run, &Run::finished, &run, [&] { finished = true; }, Qt::QueuedConnection);
        run.setParameters(0, 1, keyword::None, {{keyword::None}}, {{keyword::Click, keyword::Left}},
                          QStringLiteral("p"));
        run.start();
        QVERIFY(QTest::qWaitFor([&] { return pageBegun.load(); }, 2000));
        QTest::qWait(20);
        backend.setKeyDown(vk::LButton, true);
        backend.setKeyDown(vk::LButton, false);
        QVERIFY(QTest::qWaitFor([&] { return finished; }, 3000));
    }

    void withoutEventsTheWaitsPoll() {
        RecordingBackend backend;
        Run run(backend);
        QTest::ignoreMessage(QtWarningMsg, "[Run] no key and button events from this desktop: "
                                           "polling them every 50 ms");
        bool finished = false;
        QObject::connect(
            &run, &Run::finished, &run, [&] { finished = true; }, Qt::QueuedConnection);
        run.setParameters(0, 1, keyword::None, {{keyword::None}},
                          {{keyword::Key, QStringLiteral("65,2")}}, QStringLiteral("p"));
        run.start();
        QTest::qWait(100);
        press(backend, {vk::LControl, 65}, true);
        QTest::qWait(150);
        press(backend, {vk::LControl, 65}, false);
        QVERIFY(QTest::qWaitFor([&] { return finished; }, 3000));
        QVERIFY(!run.wasStopped());
    }

    void keyConditionWithoutAKeyDoesNotWait() {
        for (const char* text : {"", "なし", "0,2", "x"}) {
            RunHarness h;
            startWaitingFor(h, {keyword::Key, QString::fromUtf8(text)});
            QVERIFY2(wentOn(h, 200), text);
        }
    }

    void clickConditionWaitsForItsButton() {
        RunHarness h;
        startWaitingFor(h, {keyword::Click, keyword::Right});
        h.backend.setKeyDown(vk::LButton, true);
        QVERIFY(!wentOn(h, 200));
        h.backend.setKeyDown(vk::RButton, true);
        QVERIFY(wentOn(h));
        QVERIFY(h.waitFinished());
    }

    void clockTimeOfNowGoesOnAtOnceAnotherWaitsUntilStopped() {
        if (QTime::currentTime().second() >= 58)
            QTest::qWait(2500);
        const QTime now = QTime::currentTime();
        {
            RunHarness h;
            startWaitingFor(h, {keyword::ClockTime, QString::number(now.hour()),
                                QString::number(now.minute())});
            QVERIFY(wentOn(h, 200));
        }
        const QTime later = now.addSecs(3 * 60);
        RunHarness h;
        startWaitingFor(h, {keyword::ClockTime, QString::number(later.hour()),
                            QString::number(later.minute())});
        QVERIFY(!wentOn(h, 200));
        const auto stoppedAt = Clock::now();
        h.run->requestStop();
        QVERIFY(h.waitFinished());
        QVERIFY(secondsBetween(stoppedAt, h.finishTime()) < 0.4);
    }

    void exitCommandStopsOnlyOnItsExactCombination() {
        RunHarness h;
        h.setUp(0, 1, QStringLiteral("83,3"), {{keyword::None}}, {waitLong});
        h.run->start();
        for (auto keys : {std::initializer_list<int>{vk::Control, vk::Menu, vk::Shift, 83},
                          {vk::Control, 83},
                          {vk::Menu, 83}}) {
            press(h.backend, keys, true);
            QTest::qWait(150);
            press(h.backend, keys, false);
            QVERIFY(!h.run->wasStopped());
        }
        QVERIFY(stopsOnCtrlAltS(h, vk::RControl));
        QCOMPARE(h.beeps, 2);
    }

    // Modifiers the run itself holds cannot block its exit command, and what
    // it holds is released the moment the command is seen.
    void exitCommandStopsWhileTheRunHoldsModifiers() {
        // With Shift held by the run the user's Shift cannot be told apart.
        const std::pair<const char*, bool> cases[] = {
            {"65,4", true}, {"65,8", false}, {"65,7", true}};
        for (const auto& [held, userShiftHidden] : cases) {
            RunHarness h;
            h.backend.setEchoPresses(true);
            h.setUp(0, 1, QStringLiteral("83,3"),
                    {{keyword::Key, QString::fromLatin1(held), QStringLiteral("30")}}, {waitLong});
            h.run->start();
            QVERIFY(QTest::qWaitFor([&] { return h.backend.isKeyDown(65); }, 2000));
            press(h.backend, {vk::LShift}, true); // the user's own Shift still counts
            press(h.backend, {vk::LControl, vk::LMenu, 83}, true);
            press(h.backend, {vk::LControl, vk::LMenu, 83}, false);
            QTest::qWait(150);
            QCOMPARE(h.run->wasStopped(), userShiftHidden);
            press(h.backend, {vk::LShift}, false);
            if (!userShiftHidden) {
                QTest::ignoreMessage(QtDebugMsg, "[Run] stop command detected: vk= 83  mask= 3");
                press(h.backend, {vk::LControl, vk::LMenu, 83}, true);
            }
            QVERIFY2(QTest::qWaitFor([&] { return !h.backend.isKeyDown(65); }, 1000), held);
            press(h.backend, {vk::LControl, vk::LMenu, 83}, false);
            QVERIFY(h.waitFinished());
            QVERIFY(h.run->wasStopped());
            for (int key : {vk::Control, vk::Menu, vk::Shift, vk::LWin})
                QVERIFY(!h.backend.isKeyDown(key));
        }
    }

    // A missing window is passed over; the operation activates the first
    // window its title names, the condition waits for the active window's
    // title and the exit command ends a wait that would last forever.
    void windowPagesActivateWaitAndStop() {
        TestPlatform platform;
        platform.windows.setWindows({{1, QStringLiteral("Notes - Editor")}, {2, "Terminal"}});
        platform.windows.setActive(2);
        const QString window = keyword::Window;
        RunHarness h;
        h.setUp(0, 1, QStringLiteral("83,3"),
                {{window, "absent"}, {window, "editor"}, pointerAt(1, 1), pointerAt(2, 2)},
                {immediately, {window, "NOTES"}, {window, "Calculator"}, {window, "never"}});
        QTest::ignoreMessage(QtWarningMsg, "[Run] no window's title contains absent");
        h.run->start();
        QVERIFY(QTest::qWaitFor([&] { return h.pointerMarks().size() == 1; }, 2000));
        QCOMPARE(platform.windows.activations(), std::vector<WindowHandle>{1});
        QTest::qWait(150);
        QCOMPARE(h.pointerMarks().size(), 1u);
        platform.windows.setWindows({{3, QStringLiteral("calculator")}});
        platform.windows.setActive(3);
        QVERIFY(QTest::qWaitFor([&] { return h.pointerMarks().size() == 2; }, 300));

        QVERIFY(stopsOnCtrlAltS(h, vk::LControl));
    }

    // Where the screen cannot be captured, or an image page has no image yet,
    // the run says why and stops rather than wait for ever or act blind.
    void screenPagesThatCannotRunStopTheRun_data() {
        QTest::addColumn<QString>("unavailable");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("condition");
        QTest::addColumn<QString>("warning");
        const QString picture = screenpages::imageToken(QImage(8, 8, QImage::Format_RGB32));
        const QString cannotCapture =
            QStringLiteral("[Run] pages that look at the screen cannot run here: no screen");
        QTest::newRow("image condition") << "no screen" << QStringList{keyword::None}
                                         << QStringList{keyword::Image, picture} << cannotCapture;
        QTest::newRow("colour condition")
            << "no screen" << QStringList{keyword::None}
            << QStringList{keyword::Color, "1", "1", "#000000"} << cannotCapture;
        QTest::newRow("move to image") << "no screen" << QStringList{keyword::MoveToImage, picture}
                                       << immediately << cannotCapture;
        QTest::newRow("no image yet")
            << "" << QStringList{keyword::MoveToImage, ""} << immediately
            << "[Run] the page cannot run: The image (token 1) is missing.";
    }
    void screenPagesThatCannotRunStopTheRun() {
        QFETCH(QString, unavailable);
        QFETCH(QStringList, command);
        QFETCH(QStringList, condition);
        QFETCH(QString, warning);
        TestPlatform platform;
        if (!unavailable.isEmpty())
            platform.capture.setUnavailable(unavailable);
        RunHarness h;
        h.setUp(0, 1, keyword::None, {command, pointerAt(1, 1)}, {condition, immediately});
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        h.run->start();
        QVERIFY(h.waitFinished());
        QVERIFY(h.run->wasStopped());
        QVERIFY(h.pointerMarks().empty());
    }

    void withoutAnExitCommandOnlyTheTrayIconStops() {
        RunHarness h;
        h.setUp(0, 1, keyword::None, {{keyword::None}}, {waitLong},
                QStringLiteral("新規プロジェクト"));
        QPointer<QSystemTrayIcon> tray = h.run->trayIcon();
        QVERIFY(tray);
        QCOMPARE(tray->toolTip(), QStringLiteral("「新規プロジェクト」を終了"));
        // The shipped picture, not the stock icon that stands in without it.
        const QImage shipped(QCoreApplication::applicationDirPath() +
                             QStringLiteral("/image/SystemTrayIcon.png"));
        QVERIFY(!shipped.isNull());
        QCOMPARE(tray->icon()
                     .pixmap(shipped.size())
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 shipped.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        h.run->start();
        press(h.backend, {vk::Control, vk::Menu, 83}, true);
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        emit tray->activated(QSystemTrayIcon::Context);
        QTest::qWait(150);
        QVERIFY(!h.run->wasStopped());
        emit tray->activated(QSystemTrayIcon::Trigger);
        QVERIFY(h.waitFinished());
        QVERIFY(h.run->wasStopped());
        QTRY_VERIFY(!tray);
    }

    // As the window runs it: the Run on a worker thread, its tray icon on the
    // GUI thread, where a click on it comes and where it is removed.
    void theTrayIconStaysOnTheGuiThread() {
        RecordingBackend backend;
        QThread worker;
        auto* run = new Run(backend, backend.createEventSource());
        run->setParameters(0, 1, keyword::None, {{keyword::None}}, {waitLong}, QStringLiteral("p"));
        QPointer<QSystemTrayIcon> tray = run->trayIcon();
        QThread* removedOn = nullptr;
        connect(tray, &QObject::destroyed, [&removedOn] { removedOn = QThread::currentThread(); });
        run->moveToThread(&worker);
        connect(run, &Run::finished, run, &QObject::deleteLater);
        connect(run, &Run::finished, &worker, &QThread::quit);
        worker.start();
        QMetaObject::invokeMethod(run, &Run::start, Qt::QueuedConnection);
        QCOMPARE(tray->thread(), QThread::currentThread());
        emit tray->activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(!tray);
        QCOMPARE(removedOn, QThread::currentThread());
        QVERIFY(worker.wait(5000));
    }
};

QTEST_MAIN(RunWaitsTest)
#include "tst_runwaits.moc"
