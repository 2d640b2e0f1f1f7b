#include <QtTest>

#include <chrono>

#include "backgroundwindowwait.h"
#include "eventwindow.h"
#include "platform/win32/win32inputbackend.h"
#include "platform/win32/win32windowlist.h"
#include "platform/win32/windowsapi.h"
#include "run/windowpages.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

HWND hwnd(const EventWindow& window) {
    return reinterpret_cast<HWND>(window.handle());
}

} // namespace

// The window list against two winevents windows under Wine.
class Win32WindowListTest : public QObject {
    Q_OBJECT

    Win32WindowList windows;
    Win32InputBackend input;
    StopSignal stop;

private slots:
    // Wine hands the keyboard input of an activation made from another
    // process nowhere under openbox, so only the foreground is checked here;
    // the X11 test checks where the text goes.
    void activatesByPartOfTitle() {
        EventWindow alpha(false, QRect(100, 100, 300, 200), "Kestrun alpha");
        EventWindow beta(false, QRect(500, 100, 300, 200), "Kestrun beta");
        QVERIFY(alpha.isReady() && beta.isReady());
        QVERIFY(windowpages::activate(windows, stop, "ALPHA"));
        QCOMPARE(GetForegroundWindow(), hwnd(alpha));
    }

    void restoresMinimisedWindow() {
        EventWindow alpha(false, QRect(100, 100, 300, 200), "Kestrun alpha");
        EventWindow beta(false, QRect(500, 100, 300, 200), "Kestrun beta");
        ShowWindow(hwnd(alpha), SW_MINIMIZE);
        QTRY_VERIFY(IsIconic(hwnd(alpha)));
        QVERIFY(windowpages::activate(windows, stop, "alpha"));
        QTRY_VERIFY(!IsIconic(hwnd(alpha)));
        QCOMPARE(GetForegroundWindow(), hwnd(alpha));
    }

    void ownActivationSatisfiesCondition() {
        EventWindow alpha(false, QRect(100, 100, 300, 200), "Kestrun alpha");
        EventWindow beta(false, QRect(500, 100, 300, 200), "Kestrun beta");
        QVERIFY(windowpages::activate(windows, stop, "alpha"));
        const Clock::time_point before = Clock::now();
        QVERIFY(windowpages::waitUntilActive(windows, stop, "alpha"));
        QVERIFY(Clock::now() - before < 50ms);
    }

    void stopEndsWaitForever() {
        BackgroundWindowWait wait(windows, "no window has this title");
        QVERIFY(wait.timeToStop() < 200ms);
    }

    void namesWindowUnderPointer() {
        EventWindow alpha(false, QRect(100, 100, 300, 200), "Kestrun alpha");
        EventWindow beta(false, QRect(500, 100, 300, 200), "Kestrun beta");
        // The window manager may place them elsewhere than asked.
        for (const EventWindow* window : {&alpha, &beta}) {
            RECT frame{};
            GetWindowRect(hwnd(*window), &frame);
            input.setCursorPosition((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
            QTRY_COMPARE(windows.windowUnderPointer().handle, window->handle());
        }
    }
};

QTEST_MAIN(Win32WindowListTest)
#include "tst_win32windowlist.moc"
