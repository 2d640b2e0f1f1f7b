#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

#include <chrono>

#include "backgroundchangewait.h"
#include "patternwindow.h"
#include "platform/win32/win32inputbackend.h"
#include "platform/win32/win32screencapture.h"
#include "platform/win32/windowsapi.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// BitBlt capture under Wine, read back from a window of ours.
class Win32ScreenCaptureTest : public QObject {
    Q_OBJECT

    Win32ScreenCapture capture;

private slots:
    // Found where Windows says the window's client area is, in the pointer's
    // coordinates: physical pixels, also on a scaled display.
    void grabsWindowAtItsScreenPosition() {
        QRect desktop;
        for (const QScreen* screen : QGuiApplication::screens())
            desktop |= QRect(screen->geometry().topLeft(),
                             (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize());
        QCOMPARE(capture.desktopArea(), desktop);

        PatternWindow shown(QRect(200, 150, 240, 180));
        QVERIFY(shown.isShown());
        const auto window = reinterpret_cast<HWND>(shown.winId());
        POINT origin{0, 0};
        QVERIFY(ClientToScreen(window, &origin));
        const QPoint position(origin.x, origin.y);
        QTRY_COMPARE(capture.grab(QRect(position, shown.physicalSize())), shown.shownPicture());

        Win32InputBackend input;
        input.setCursorPosition(position.x() + 30, position.y() + 40);
        POINT pointer{0, 0};
        QVERIFY(GetCursorPos(&pointer) && ScreenToClient(window, &pointer));
        QCOMPARE(QPoint(pointer.x, pointer.y), QPoint(30, 40));
    }

    void watchPollsAndStopsAtOnce_data() {
        QTest::addColumn<bool>("interrupted");
        QTest::newRow("left alone") << false;
        QTest::newRow("interrupted") << true;
    }

    // Every 50 ms, or at once when interrupted.
    void watchPollsAndStopsAtOnce() {
        QFETCH(bool, interrupted);
        const auto watch = capture.createChangeWatch(capture.desktopArea());
        const Clock::time_point beforeFirst = Clock::now();
        QVERIFY(watch->waitForChange());
        BackgroundChangeWait wait(*watch);
        if (!interrupted) {
            QTRY_VERIFY_WITH_TIMEOUT(wait.ended(), 1000);
            QVERIFY(wait.woke());
            QVERIFY(wait.endedAfter(beforeFirst) >= 50ms);
            return;
        }
        const Clock::time_point stopped = Clock::now();
        watch->interrupt();
        QTRY_VERIFY_WITH_TIMEOUT(wait.ended(), 1000);
        QVERIFY(!wait.woke());
        QVERIFY(wait.endedAfter(stopped) < 200ms);
    }
};

QTEST_MAIN(Win32ScreenCaptureTest)
#include "tst_win32screencapture.moc"
