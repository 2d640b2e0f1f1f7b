#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QtTest>

#include <chrono>
#include <memory>

#include "backgroundchangewait.h"
#include "patternwindow.h"
#include "platform/x11/x11inputbackend.h"
#include "platform/x11/x11screencapture.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Transfer = X11ScreenCapture::Transfer;

Q_DECLARE_METATYPE(X11ScreenCapture::Transfer)

namespace {

void xrandr(const QStringList& arguments) {
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.start(QStringLiteral("xrandr"), arguments);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 0);
}

// Two monitors that leave the root's columns 1000 to 1299 unseen, as
// monitors of different sizes leave a strip, for the test's lifetime.
struct MonitorsWithGap {
    MonitorsWithGap() {
        xrandr({"--setmonitor", "left", "1000/264x1080/286+0+0", "screen"});
        xrandr({"--setmonitor", "right", "620/164x1080/286+1300+0", "none"});
    }
    ~MonitorsWithGap() {
        xrandr({"--delmonitor", "left"});
        xrandr({"--delmonitor", "right"});
    }
};

} // namespace

// Our own windows on Xvfb, with no window manager, read back through the
// capture; on the two-monitor display too.
class X11ScreenCaptureTest : public QObject {
    Q_OBJECT

private slots:
    void grabsWhatIsShown_data();
    void grabsWhatIsShown();
    void partsOnNoMonitorAreBlack();
    void grabsWindowOnEachMonitor_data();
    void grabsWindowOnEachMonitor();
    void watchWakesForChangeInArea_data();
    void watchWakesForChangeInArea();
    void interruptEndsWaitAtOnce_data();
    void interruptEndsWaitAtOnce();
};

void X11ScreenCaptureTest::grabsWhatIsShown_data() {
    QTest::addColumn<Transfer>("transfer");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("area");
    for (const auto& [transfer, name] : {std::pair(Transfer::SharedMemoryFirst, "shared memory"),
                                         std::pair(Transfer::RequestOnly, "requests")}) {
        QTest::addRow("%s, inside a window", name)
            << transfer << QRect(300, 200, 320, 240) << QRect(333, 211, 200, 150);
        QTest::addRow("%s, over the desktop's corner", name)
            << transfer << QRect(0, 0, 200, 150) << QRect(-20, -10, 100, 80);
        QTest::addRow("%s, off the desktop", name)
            << transfer << QRect(0, 0, 200, 150) << QRect(-300, 100, 200, 80);
    }
}

// Pixels off the desktop are black; an area entirely off it gives nothing.
void X11ScreenCaptureTest::grabsWhatIsShown() {
    QFETCH(Transfer, transfer);
    QFETCH(QRect, window);
    QFETCH(QRect, area);
    PatternWindow shown(window);
    QVERIFY(shown.isShown());
    QCOMPARE(shown.desktopPosition(), window.topLeft());
    X11ScreenCapture capture({}, transfer);
    QVERIFY(capture.isAvailable());

    QImage expected;
    if (area.intersects(capture.desktopArea())) {
        expected = QImage(area.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(window.topLeft() - area.topLeft(),
                                      PatternWindow::pattern(window.size()));
    }
    QTRY_COMPARE(capture.grab(area), expected);
    QCOMPARE(capture.sharesMemory(), transfer == Transfer::SharedMemoryFirst);
}

void X11ScreenCaptureTest::partsOnNoMonitorAreBlack() {
    MonitorsWithGap monitors;
    PatternWindow shown(QRect(900, 300, 500, 200));
    QVERIFY(shown.isShown());
    X11ScreenCapture capture;
    QCOMPARE(capture.desktopArea(), QRect(0, 0, 1920, 1080));
    QImage expected = shown.shownPicture();
    QPainter(&expected).fillRect(100, 0, 300, 200, Qt::black);
    QTRY_COMPARE(capture.grab(QRect(900, 300, 500, 200)), expected);
}

void X11ScreenCaptureTest::grabsWindowOnEachMonitor_data() {
    QTest::addColumn<QRect>("monitor");
    for (const QScreen* screen : QGuiApplication::screens())
        QTest::newRow(qPrintable(screen->name())) << screen->geometry();
}

// The capture's coordinates are the pointer's, whichever monitor.
void X11ScreenCaptureTest::grabsWindowOnEachMonitor() {
    QFETCH(QRect, monitor);
    X11ScreenCapture capture;
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    QCOMPARE(capture.desktopArea(), desktop);

    PatternWindow shown(QRect(monitor.topLeft() + QPoint(250, 120), QSize(160, 120)));
    QVERIFY(shown.isShown());
    QTRY_COMPARE(capture.grab(QRect(shown.desktopPosition(), shown.size())), shown.shownPicture());
    X11InputBackend input;
    const QPoint middle = shown.desktopPosition() + QPoint(80, 60);
    input.setCursorPosition(middle.x(), middle.y());
    QTRY_COMPARE(shown.mapFromGlobal(QCursor::pos()), QPoint(80, 60));
}

void X11ScreenCaptureTest::watchWakesForChangeInArea_data() {
    QTest::addColumn<QRect>("window");
    QTest::addColumn<bool>("wakes");
    QTest::newRow("window inside") << QRect(550, 420, 100, 80) << true;
    QTest::newRow("window over the edge") << QRect(420, 350, 100, 80) << true;
    QTest::newRow("window elsewhere") << QRect(50, 50, 300, 200) << false;
}

void X11ScreenCaptureTest::watchWakesForChangeInArea() {
#ifndef KESTRUN_HAVE_XDAMAGE
    QSKIP("built without DAMAGE: the watch polls");
#endif
    QFETCH(QRect, window);
    QFETCH(bool, wakes);
    X11ScreenCapture capture;
    const auto watch = capture.createChangeWatch(QRect(500, 400, 200, 150));
    QVERIFY(watch);
    QVERIFY(watch->waitForChange());
    BackgroundChangeWait wait(*watch);
    // A still desktop keeps it waiting.
    QTest::qWait(200);
    QVERIFY(!wait.ended());

    PatternWindow shown(window);
    QVERIFY(shown.isShown());
    if (wakes) {
        QTRY_VERIFY(wait.woke());
    } else {
        QTest::qWait(500);
        QVERIFY(!wait.ended());
    }
}

void X11ScreenCaptureTest::interruptEndsWaitAtOnce_data() {
    QTest::addColumn<bool>("whileWaiting");
    QTest::newRow("while waiting") << true;
    QTest::newRow("before waiting") << false;
}

void X11ScreenCaptureTest::interruptEndsWaitAtOnce() {
    QFETCH(bool, whileWaiting);
    X11ScreenCapture capture;
    const auto watch = capture.createChangeWatch(capture.desktopArea());
    QVERIFY(watch->waitForChange());
    std::unique_ptr<BackgroundChangeWait> wait;
    if (whileWaiting) {
        wait = std::make_unique<BackgroundChangeWait>(*watch);
        QTest::qWait(100);
    }
    const Clock::time_point interrupted = Clock::now();
    watch->interrupt();
    if (!whileWaiting)
        wait = std::make_unique<BackgroundChangeWait>(*watch);
    QTRY_VERIFY_WITH_TIMEOUT(wait->ended(), 1000);
    QVERIFY(!wait->woke());
    QVERIFY(wait->endedAfter(interrupted) < 200ms);
}

QTEST_MAIN(X11ScreenCaptureTest)
#include "tst_x11screencapture.moc"
