#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QProcess>
#include <QtTest>

#include "platform/x11/x11globalhotkey.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

bool xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

class CountingFilter : public QAbstractNativeEventFilter {
public:
    explicit CountingFilter(const GlobalHotkey& hotkey) : hotkey(hotkey) {}
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (!hotkey.isHotkeyEvent(eventType, message))
            return false;
        ++fired;
        return true;
    }
    int fired = 0;

private:
    const GlobalHotkey& hotkey;
};

// A second client of the display, to hold or contest the grab.
class OtherClient {
public:
    OtherClient() : display(XOpenDisplay(nullptr)) {}
    ~OtherClient() { XCloseDisplay(display); }

    // False when the server refused with BadAccess.
    bool grabCtrlAltG() {
        refused = false;
        XErrorHandler previous = XSetErrorHandler(&OtherClient::onError);
        XGrabKey(display, XKeysymToKeycode(display, XK_g), ControlMask | Mod1Mask,
                 DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync);
        XSync(display, False);
        XSetErrorHandler(previous);
        return !refused;
    }
    void ungrabCtrlAltG() {
        XUngrabKey(display, XKeysymToKeycode(display, XK_g), ControlMask | Mod1Mask,
                   DefaultRootWindow(display));
        XSync(display, False);
    }
    bool anyKeyDown() {
        char keys[32] = {};
        XQueryKeymap(display, keys);
        for (char bits : keys)
            if (bits != 0)
                return true;
        return false;
    }
    bool numLockOn() {
        XkbStateRec state;
        XkbGetState(display, XkbUseCoreKbd, &state);
        return state.locked_mods & XkbKeysymToModifiers(display, XK_Num_Lock);
    }

private:
    static int onError(Display*, XErrorEvent* error) {
        refused = refused || error->error_code == BadAccess;
        return 0;
    }
    static inline bool refused = false;
    Display* display;
};

} // namespace

class X11GlobalHotkeyTest : public QObject {
    Q_OBJECT

    OtherClient other;

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (!other.numLockOn())
            QVERIFY(xdotool({"key", "Num_Lock"}));
        QVERIFY(other.numLockOn());
    }
    void cleanupTestCase() {
        if (other.numLockOn())
            xdotool({"key", "Num_Lock"});
    }

    void cleanup() { QVERIFY2(!other.anyKeyDown(), "a key was left down"); }

    void firesWithNumLockOnAndNotAfterUnregistering() {
        X11GlobalHotkey hotkey;
        CountingFilter filter(hotkey);
        qApp->installNativeEventFilter(&filter);
        QVERIFY(hotkey.registerHotkey());
        QVERIFY(xdotool({"key", "ctrl+alt+g"}));
        QTRY_COMPARE(filter.fired, 1);

        // Other keys and other modifiers are not the hotkey.
        QVERIFY(xdotool({"key", "ctrl+g", "alt+g", "ctrl+alt+h"}));
        QTest::qWait(300);
        QCOMPARE(filter.fired, 1);

        hotkey.unregisterHotkey();
        QVERIFY(xdotool({"key", "ctrl+alt+g"}));
        QTest::qWait(300);
        QCOMPARE(filter.fired, 1);
        qApp->removeNativeEventFilter(&filter);
    }

    void firesWithCapsLockOnToo() {
        X11GlobalHotkey hotkey;
        CountingFilter filter(hotkey);
        qApp->installNativeEventFilter(&filter);
        QVERIFY(hotkey.registerHotkey());
        QVERIFY(xdotool({"key", "Caps_Lock"}));
        QVERIFY(xdotool({"key", "ctrl+alt+g"}));
        QVERIFY(xdotool({"key", "Caps_Lock"}));
        QTRY_COMPARE(filter.fired, 1);
        qApp->removeNativeEventFilter(&filter);
    }

    void registrationFailsWhileAnotherClientOwnsTheKey() {
        QVERIFY(other.grabCtrlAltG());
        X11GlobalHotkey hotkey;
        QTest::ignoreMessage(QtWarningMsg, "RegisterHotKey failed.");
        QVERIFY(!hotkey.registerHotkey());
        other.ungrabCtrlAltG();
        // Nothing of the failed attempt stays behind to block the next one.
        QVERIFY(hotkey.registerHotkey());
    }

    void anotherClientIsRefusedWhileRegistered() {
        X11GlobalHotkey hotkey;
        QVERIFY(hotkey.registerHotkey());
        QVERIFY(!other.grabCtrlAltG());
        hotkey.unregisterHotkey();
        QVERIFY(other.grabCtrlAltG());
        other.ungrabCtrlAltG();
    }

    void destructionReleasesTheKey() {
        {
            X11GlobalHotkey hotkey;
            QVERIFY(hotkey.registerHotkey());
        }
        QVERIFY(other.grabCtrlAltG());
        other.ungrabCtrlAltG();
    }
};

QTEST_MAIN(X11GlobalHotkeyTest)
#include "tst_x11globalhotkey.moc"
