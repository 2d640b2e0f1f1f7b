#include <QtTest>

#include "platform/x11/x11inputrecording.h"
#include "runningrecording.h"
#include "x11testing.h"
#include "xevwindow.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>

using Kind = RecordedInput::Kind;

namespace {

void probe() {
    runTool("xdotool", {"key", "Shift_R"});
}

// The server's clock now, from the time stamp of a property change.
qint64 serverNow(Display* display) {
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    const Atom atom = XInternAtom(display, "KESTRUN_TEST_CLOCK", False);
    XChangeProperty(display, window, atom, XA_STRING, 8, PropModeReplace, nullptr, 0);
    XEvent event;
    XWindowEvent(display, window, PropertyChangeMask, &event);
    XDestroyWindow(display, window);
    return qint64(event.xproperty.time);
}

} // namespace

// What the user does on the X display, read back as a recording sees it.
class X11InputRecordingTest : public QObject {
    Q_OBJECT

    ServerView server;

private slots:
    void cleanup() {
        server.setLayout("us");
        QVERIFY(server.keysDown().empty());
    }

    void keysAreNamedWithTheirText_data() {
        QTest::addColumn<QString>("layouts");
        QTest::addColumn<int>("group");
        // xdotool commands; "keycode N" presses the key by its code.
        QTest::addColumn<QList<QStringList>>("commands");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("text");
        const int shift = vk::LShift;
        QTest::addRow("shift") << "us" << 0 << QList<QStringList>{{"type", "Hi!"}}
                               << QList<int>{shift, 'H', 'I', shift, '1'} << "Hi!";
        QTest::addRow("ctrl") << "us" << 0 << QList<QStringList>{{"key", "ctrl+a"}}
                              << QList<int>{vk::LControl, 'A'} << "\x01";
        QTest::addRow("enter tab backspace")
            << "us" << 0 << QList<QStringList>{{"key", "Return", "Tab", "BackSpace", "F5"}}
            << QList<int>{0x0D, 0x09, 0x08, 0x74} << "\r\t\b";
        QTest::addRow("de umlauts")
            << "de" << 0 << QList<QStringList>{{"type", "äöüßz"}}
            << QList<int>{0xDE, 0xBA, 0xDB, 0xBF, 'Z'} << QString::fromUtf8("äöüßz");
        QTest::addRow("de altgr") << "de" << 0 << QList<QStringList>{{"key", "ISO_Level3_Shift+q"}}
                                  << QList<int>{vk::RMenu, 'Q'} << "@";
        // Keycode 49 carries dead_circumflex on its first level under de.
        QTest::addRow("dead keys")
            << "de" << 0
            << QList<QStringList>{{"keycode", "49"},
                                  {"key", "e", "dead_acute", "shift+a"},
                                  {"keycode", "49"}}
            << QList<int>{0xC0, 'E', 0xBB, shift, 'A', 0xC0} << QString::fromUtf8("êÁ");
        QTest::addRow("second group") << "us,ru" << 1 << QList<QStringList>{{"keycode", "39"}}
                                      << QList<int>{'S'} << QString::fromUtf8("ы");
    }

    void keysAreNamedWithTheirText() {
        QFETCH(QString, layouts);
        QFETCH(int, group);
        QFETCH(QList<QStringList>, commands);
        QFETCH(QList<int>, keys);
        QFETCH(QString, text);
        server.setLayout(layouts, group);
        RunningRecording running(std::make_unique<X11InputRecording>(), probe);
        QVERIFY(running.ready());
        for (const QStringList& command : commands) {
            if (command.front() == "keycode") {
                for (bool down : {true, false})
                    XTestFakeKeyEvent(server.display(), command[1].toUInt(), down, CurrentTime);
                XSync(server.display(), False);
            } else {
                runTool("xdotool", command);
            }
        }
        QTRY_COMPARE(running.collector.of({Kind::KeyUp}).size(), size_t(keys.size()));
        QList<int> pressed;
        QString typed;
        for (const RecordedInput& input : running.collector.of({Kind::KeyDown})) {
            pressed << input.virtualKey;
            typed += input.text;
        }
        QCOMPARE(pressed, keys);
        QCOMPARE(typed, text);
    }

    void buttonsAtThePointerInServerTime() {
        const qint64 before = serverNow(server.display());
        RunningRecording running(std::make_unique<X11InputRecording>(), probe);
        QVERIFY(running.ready());
        // xdotool warps the pointer, which no device reports as motion; a
        // device's motion comes through XTest.
        runTool("xdotool", {"mousemove", "200", "150", "click", "1", "click", "4"});
        XTestFakeMotionEvent(server.display(), -1, 300, 250, CurrentTime);
        XSync(server.display(), False);
        runTool("xdotool", {"click", "3"});
        QTRY_COMPARE(running.collector.of({Kind::ButtonUp}).size(), size_t(2));
        QTest::qWait(100);
        const std::vector<RecordedInput> buttons =
            running.collector.of({Kind::ButtonDown, Kind::ButtonUp});
        const std::vector<std::tuple<Kind, int, QPoint>> expected{
            {Kind::ButtonDown, vk::LButton, {200, 150}},
            {Kind::ButtonUp, vk::LButton, {200, 150}},
            {Kind::ButtonDown, vk::RButton, {300, 250}},
            {Kind::ButtonUp, vk::RButton, {300, 250}}};
        std::vector<std::tuple<Kind, int, QPoint>> seen;
        for (const RecordedInput& input : buttons)
            seen.emplace_back(input.kind, input.virtualKey, input.position);
        QCOMPARE(seen, expected);

        const std::vector<RecordedInput> all = running.collector.of(
            {Kind::ButtonDown, Kind::ButtonUp, Kind::PointerMove, Kind::KeyDown, Kind::KeyUp});
        const std::vector<RecordedInput> moves = running.collector.of({Kind::PointerMove});
        QVERIFY(!moves.empty());
        QCOMPARE(moves.back().position, QPoint(300, 250));
        const qint64 after = serverNow(server.display());
        for (size_t i = 0; i < all.size(); ++i) {
            QVERIFY(all[i].timeMs >= before && all[i].timeMs <= after);
            QVERIFY(i == 0 || all[i].timeMs >= all[i - 1].timeMs);
        }
    }

    void interruptEndsTheRecordingAtOnce() {
        QVERIFY(interruptEndsAtOnce([] { return std::make_unique<X11InputRecording>(); }, probe));
    }
};

QTEST_GUILESS_MAIN(X11InputRecordingTest)
#include "tst_x11inputrecording.moc"
