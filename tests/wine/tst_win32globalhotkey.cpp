#include <QtTest>

#include "app/globalhotkeyfilter.h"
#include "eventwindow.h"
#include "platform/win32/win32globalhotkey.h"
#include "x11tools.h"

namespace {

int gDownsIn(EventWindow& window) {
    int downs = 0;
    for (const char* type : {"keydown", "syskeydown"})
        for (const EventWindow::Event& event : window.events(type))
            downs += event.values[0] == 'G';
    return downs;
}

} // namespace

// Ctrl+Alt+G registered with RegisterHotKey, pressed with xdotool while a
// Wine window has the focus, reaches the application's native event filter
// and no window; other combinations and an unregistered hotkey pass on.
class Win32GlobalHotkeyTest : public QObject {
    Q_OBJECT

private slots:
    void hotkeyArrivesThroughTheNativeEventFilter() {
        EventWindow window;
        QVERIFY(window.isReady());
        Win32GlobalHotkey hotkey;
        GlobalHotkeyFilter filter(GlobalHotkey::hotkeyId);
        int calls = 0;
        filter.callback = [&calls] { ++calls; };
        QCoreApplication::instance()->installNativeEventFilter(&filter);
        QVERIFY(hotkey.registerHotkey());

        QVERIFY(xdotool({"key", "ctrl+alt+g"}));
        QTRY_COMPARE(calls, 1);
        QVERIFY(xdotool({"key", "ctrl+g"}));
        QVERIFY(window.waitFor("keyup", 2));
        QCOMPARE(calls, 1);
        // G reached the window only without Alt.
        QCOMPARE(gDownsIn(window), 1);
        window.clear();

        hotkey.unregisterHotkey();
        QVERIFY(xdotool({"key", "ctrl+alt+g"}));
        QVERIFY(QTest::qWaitFor([&] { return gDownsIn(window) == 1; }));
        QCOMPARE(calls, 1);
        QCoreApplication::instance()->removeNativeEventFilter(&filter);
    }
};

QTEST_MAIN(Win32GlobalHotkeyTest)
#include "tst_win32globalhotkey.moc"
