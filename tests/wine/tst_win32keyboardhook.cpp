#include <QtTest>

#include "eventwindow.h"
#include "keys/keycapture.h"
#include "keys/keycombination.h"
#include "platform/platform.h"
#include "playprocess.h"
#include "x11tools.h"

namespace {

void setLayout(const QString& layout) {
    bool ok = false;
    runX11Tool("setxkbmap", {layout}, &ok);
    QVERIFY2(ok, qPrintable(layout));
}

struct PressedKey {
    int virtualKey = 0;
    int scanCode = 0;
};

PressedKey firstKeyDown(EventWindow& window) {
    const auto downs = window.events("keydown");
    if (downs.empty())
        return {};
    return {int(downs.front().values[0]), int(downs.front().values[1])};
}

} // namespace

// The low-level keyboard hook and the key state under Wine, with xdotool as
// the user typing into the focused winevents window.
class Win32KeyboardHookTest : public QObject {
    Q_OBJECT

    InputBackend& input = Platform::instance().input();

private slots:
    void cleanup() { setLayout("us"); }

    void capturedKeysAreSwallowedAndTheRestPassesOn() {
        EventWindow window;
        QVERIFY(window.isReady());
        KeyCapture capture;
        capture.beginCapture();
        QVERIFY(capture.install());
        QVERIFY(xdotool({"key", "ctrl+shift+a"}));
        QTRY_COMPARE(capture.capturedKey.load(), int('A'));
        QCOMPARE(toStoredMask(capture.capturedModifiers.load()), 6);
        QVERIFY(xdotool({"key", "Shift_L"}));
        QTest::qWait(300);
        QCOMPARE(window.count("keydown"), 0);
        QCOMPARE(window.count("keyup"), 0);

        // A modifier alone is captured by its own, side-specific key. (Wine
        // sends a left key ahead of a right modifier, so only the left side
        // can be told apart here.)
        capture.beginCapture();
        QVERIFY(xdotool({"key", "Shift_L"}));
        QTRY_COMPARE(capture.capturedKey.load(), vk::LShift);
        QCOMPARE(capture.capturedModifiers.load(), 0);

        capture.endCapture();
        QVERIFY(xdotool({"key", "b"}));
        QVERIFY(window.waitFor("keyup", 1));
        QCOMPARE(firstKeyDown(window).virtualKey, int('B'));
        QVERIFY(capture.remove());
    }

    // Windows names keys by layout. Whatever code the layout gives a key, the
    // capture records it, the exit-command watcher sees it held, and
    // synthesis presses the same key (scan code) with the same character.
    void oneKeyIdentityUnderEachLayout_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("keysym");
        QTest::addColumn<QString>("character");
        QTest::newRow("us z") << "us"
                              << "z"
                              << "z";
        QTest::newRow("de z, where us has y") << "de"
                                              << "z"
                                              << "z";
        QTest::newRow("de ö") << "de"
                              << "odiaeresis"
                              << "ö";
        QTest::newRow("fr a, where us has q") << "fr"
                                              << "a"
                                              << "a";
        QTest::newRow("ru ы, where us has s") << "ru"
                                              << "Cyrillic_yeru"
                                              << "ы";
    }
    void oneKeyIdentityUnderEachLayout() {
        QFETCH(QString, layout);
        QFETCH(QString, keysym);
        QFETCH(QString, character);
        setLayout(layout);
        // Wine reads the X layout when a program starts.
        EventWindow window;
        QVERIFY(window.isReady());

        QVERIFY(xdotool({"key", keysym}));
        QVERIFY(window.waitFor("keyup", 1));
        const PressedKey pressed = firstKeyDown(window);
        QCOMPARE(window.typedText(), character);
        // Latin letters are named by their letter on every layout.
        if (character.at(0) >= u'a' && character.at(0) <= u'z')
            QCOMPARE(pressed.virtualKey, int(character.at(0).toUpper().unicode()));
        window.clear();

        KeyCapture capture;
        capture.beginCapture();
        QVERIFY(capture.install());
        QVERIFY(xdotool({"key", keysym}));
        QTRY_COMPARE(capture.capturedKey.load(), pressed.virtualKey);
        capture.endCapture();
        QVERIFY(capture.remove());

        QVERIFY(xdotool({"keydown", keysym}));
        QTRY_VERIFY(input.isKeyDown(pressed.virtualKey));
        QVERIFY(xdotool({"keyup", keysym}));
        QTRY_VERIFY(!input.isKeyDown(pressed.virtualKey));
        QVERIFY(window.waitFor("keyup", 1));
        window.clear();

        // Windows keeps a layout per thread, Wine one per program, read when
        // the program starts: a new player presses the key.
        PlayProcess play;
        const QString project =
            play.writeProject({{keyword::Key, QStringLiteral("%1,0").arg(pressed.virtualKey),
                                QStringLiteral("0.01")}},
                              {{keyword::Immediately}});
        QCOMPARE(play.play({"--delay", "1", "--exit", "none", project}), 0);
        QVERIFY(window.waitFor("keyup", 1));
        QCOMPARE(firstKeyDown(window).virtualKey, pressed.virtualKey);
        QCOMPARE(firstKeyDown(window).scanCode, pressed.scanCode);
        QCOMPARE(window.typedText(), character);
    }
};

QTEST_MAIN(Win32KeyboardHookTest)
#include "tst_win32keyboardhook.moc"
