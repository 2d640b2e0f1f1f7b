#include <QProcess>
#include <QtTest>

#include "keys/keycapture.h"
#include "keys/keycombination.h"
#include "platform/x11/x11keyboardhook.h"
#include "recordingbackend.h"
#include "xevwatcher.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

bool xdotool(const QStringList& arguments) {
    return XevWatcher::xdotool(arguments);
}

bool anyKeyDown() {
    Display* display = XOpenDisplay(nullptr);
    char keys[32] = {};
    XQueryKeymap(display, keys);
    XCloseDisplay(display);
    for (char bits : keys)
        if (bits != 0)
            return true;
    return false;
}

bool pressByKeycode(const QStringList& steps) {
    Display* display = XOpenDisplay(nullptr);
    bool known = true;
    for (const QString& step : steps) {
        const KeySym keysym = XStringToKeysym(step.mid(1).toLatin1().constData());
        const KeyCode keycode = XKeysymToKeycode(display, keysym);
        known = known && keycode != 0;
        if (keycode != 0)
            XTestFakeKeyEvent(display, keycode, step.startsWith(u'+'), CurrentTime);
    }
    XSync(display, False);
    XCloseDisplay(display);
    return known;
}

struct Seen {
    int message;
    int virtualKey;
    bool operator==(const Seen&) const = default;
};

} // namespace

namespace QTest {
template <> char* toString(const Seen& seen) {
    return qstrdup(QByteArray::number(seen.message) + ":" + QByteArray::number(seen.virtualKey));
}
} // namespace QTest

class X11KeyboardHookTest : public QObject {
    Q_OBJECT

    XevWatcher xev;

private slots:
    void initTestCase() { QVERIFY(xev.start()); }
    void cleanup() { QVERIFY2(!anyKeyDown(), "a key was left down"); }

    // Keys pressed through XTest by keycode, in the order given ("+Shift_R"
    // down, "-Shift_R" up): xdotool adds modifiers of its own to some keysyms.
    void translatesEventsToWindowsCodes_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QList<Seen>>("expected");
        QTest::newRow("ctrl+a") << "+Control_L +a -a -Control_L"
                                << QList<Seen>{{256, 162}, {256, 65}, {257, 65}, {257, 162}};
        QTest::newRow("keys with alt held are system keys")
            << "+Alt_L +x -x -Alt_L" << QList<Seen>{{260, 164}, {260, 88}, {261, 88}, {261, 164}};
        QTest::newRow("right-hand modifiers")
            << "+Shift_R +Control_R -Control_R -Shift_R"
            << QList<Seen>{{256, 161}, {256, 163}, {257, 163}, {257, 161}};
        QTest::newRow("alt gr is right alt")
            << "+ISO_Level3_Shift -ISO_Level3_Shift" << QList<Seen>{{260, 165}, {261, 165}};
        QTest::newRow("windows keys") << "+Super_L -Super_L +Super_R -Super_R"
                                      << QList<Seen>{{256, 91}, {257, 91}, {256, 92}, {257, 92}};
        QTest::newRow("a shifted symbol is its key")
            << "+Shift_L +colon -colon -Shift_L"
            << QList<Seen>{{256, 160}, {256, 186}, {257, 186}, {257, 160}};
        QTest::newRow("function, editing and menu keys")
            << "+F12 -F12 +Delete -Delete +Menu -Menu"
            << QList<Seen>{{256, 123}, {257, 123}, {256, 46}, {257, 46}, {256, 93}, {257, 93}};
        QTest::newRow("keypad follows num lock")
            << "+KP_End -KP_End +Num_Lock -Num_Lock +KP_End -KP_End +Num_Lock -Num_Lock"
            << QList<Seen>{{256, 35}, {257, 35}, {256, 144}, {257, 144},
                           {256, 97}, {257, 97}, {256, 144}, {257, 144}};
    }
    void translatesEventsToWindowsCodes() {
        QFETCH(QString, keys);
        QFETCH(QList<Seen>, expected);
        QList<Seen> seen;
        X11KeyboardHook hook;
        QVERIFY(hook.install([&](int code, int message, int virtualKey) {
            if (code == 0)
                seen.append({message, virtualKey});
            return HookVerdict::Swallow;
        }));
        const int pressesBefore = xev.keyPresses();
        QVERIFY(pressByKeycode(keys.split(u' ')));
        QTRY_COMPARE(seen, expected);
        QVERIFY(hook.remove());
        QTest::qWait(100);
        QCOMPARE(xev.keyPresses(), pressesBefore);
    }

    // Windows names keys by their unshifted Latin symbol, or by their place
    // when the layout has none.
    void followsTheLayout_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QList<Seen>>("expected");
        QTest::newRow("de: z where us has y") << "de"
                                              << "+z -z" << QList<Seen>{{256, 90}, {257, 90}};
        QTest::newRow("ru: a cyrillic letter is its place")
            << "ru"
            << "+Cyrillic_ef -Cyrillic_ef" << QList<Seen>{{256, 65}, {257, 65}};
        QTest::newRow("ru,us: the latin group")
            << "ru,us"
            << "+Cyrillic_ve -Cyrillic_ve" << QList<Seen>{{256, 68}, {257, 68}};
    }
    void followsTheLayout() {
        QFETCH(QString, layout);
        QFETCH(QString, keys);
        QFETCH(QList<Seen>, expected);
        QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {layout}), 0);
        const auto restore =
            qScopeGuard([] { QProcess::execute(QStringLiteral("setxkbmap"), {"us"}); });
        QList<Seen> seen;
        X11KeyboardHook hook;
        QVERIFY(hook.install([&](int, int message, int virtualKey) {
            seen.append({message, virtualKey});
            return HookVerdict::Swallow;
        }));
        QVERIFY(pressByKeycode(keys.split(u' ')));
        QTRY_COMPARE(seen, expected);
    }

    void aCaptureSwallowsTheCombinationItRecords() {
        QVERIFY(xdotool({"key", "b"}));
        QTRY_VERIFY(xev.keyPresses() > 0);
        RecordingBackend input;
        KeyCapture capture(std::make_unique<X11KeyboardHook>(), input);
        capture.beginCapture();
        QVERIFY(capture.install());
        const int pressesBefore = xev.keyPresses();

        QVERIFY(xdotool({"key", "ctrl+a"}));
        QTRY_COMPARE(capture.capturedKey.load(), 65);
        QCOMPARE((KeyCombination{65, toStoredMask(capture.capturedModifiers.load())}.toText()),
                 QStringLiteral("65,2"));
        QTRY_COMPARE(capture.heldModifiers.load(), 0);

        capture.beginCapture();
        QVERIFY(xdotool({"key", "Shift_L"}));
        QTRY_COMPARE(capture.capturedKey.load(), 160);
        QCOMPARE(capture.capturedModifiers.load(), 0);

        QTest::qWait(100);
        QCOMPARE(xev.keyPresses(), pressesBefore);
        capture.endCapture();
        QVERIFY(capture.remove());
        QVERIFY(xdotool({"key", "c"}));
        QTRY_COMPARE(xev.keyPresses(), pressesBefore + 1);
    }

    void anIdleFilterLeavesTheKeyboardAlone() {
        int calls = 0;
        X11KeyboardHook hook;
        QVERIFY(hook.install([&](int, int, int) {
            ++calls;
            return HookVerdict::Swallow;
        }));
        hook.setCapturing(false);
        QVERIFY(hook.isInstalled());
        const int pressesBefore = xev.keyPresses();
        QVERIFY(xdotool({"key", "d"}));
        QTRY_COMPARE(xev.keyPresses(), pressesBefore + 1);
        QCOMPARE(calls, 0);

        hook.setCapturing(true);
        QVERIFY(xdotool({"key", "e"}));
        QTRY_COMPARE(calls, 2);
        QCOMPARE(xev.keyPresses(), pressesBefore + 1);
    }

    void installFailsWhileAnotherClientHoldsTheKeyboard() {
        auto swallow = [](int, int, int) { return HookVerdict::Swallow; };
        X11KeyboardHook first;
        X11KeyboardHook second;
        QVERIFY(first.install(swallow));
        QVERIFY(!second.install(swallow));
        QVERIFY(!second.isInstalled());
        QCOMPARE(second.lastError(), AlreadyGrabbed);
        QVERIFY(!second.remove());

        // Idle, the first no longer stands in the way; capturing again it does.
        first.setCapturing(false);
        QVERIFY(second.install(swallow));
        first.setCapturing(true);
        QVERIFY(!first.install(swallow));
        QVERIFY(second.remove());
        QVERIFY(first.install(swallow));
        QVERIFY(first.remove());
    }

    void failsHonestlyWithoutADisplay() {
        X11KeyboardHook hook(":999");
        QVERIFY(!hook.install([](int, int, int) { return HookVerdict::PassOn; }));
        QVERIFY(!hook.isInstalled());
        QCOMPARE(hook.lastError(), -1);
    }
};

QTEST_GUILESS_MAIN(X11KeyboardHookTest)
#include "tst_x11keyboardhook.moc"
