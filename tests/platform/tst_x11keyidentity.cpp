#include <QtTest>
#include <mutex>
#include <set>
#include <thread>

#include "platform/x11/x11inputbackend.h"
#include "platform/x11/x11inputeventsource.h"
#include "platform/x11/x11keyboardhook.h"
#include "x11testing.h"
#include "xevwindow.h"

#include <X11/extensions/XTest.h>

namespace {

// What an event source reported, as it reported it.
class Recorder : public InputEventListener {
public:
    void inputChanged(int virtualKey, bool down) override {
        std::lock_guard lock(mutex);
        seen.emplace_back(virtualKey, down);
    }
    void inputSynced() override { synced = true; }

    std::vector<std::pair<int, bool>> events() {
        std::lock_guard lock(mutex);
        return seen;
    }
    void clear() {
        std::lock_guard lock(mutex);
        seen.clear();
    }

    std::atomic<bool> synced{false};

private:
    std::mutex mutex;
    std::vector<std::pair<int, bool>> seen;
};

// An event source running on a thread of its own, as a run's watcher does.
struct RunningSource {
    X11InputEventSource source;
    Recorder recorder;
    std::thread thread{[this] { source.run(recorder); }};
    ~RunningSource() {
        source.interrupt();
        thread.join();
    }
};

// The main block of a keyboard: digits, letters and punctuation.
std::vector<int> mainBlockKeycodes() {
    std::vector<int> keycodes;
    for (int first : {10, 24, 38})
        for (int i = 0; i < 12; ++i)
            keycodes.push_back(first + i);
    for (int i = 0; i < 11; ++i)
        keycodes.push_back(51 + i);
    keycodes.push_back(94);
    return keycodes;
}

void pressKeycode(Display* display, int keycode, bool down) {
    XTestFakeKeyEvent(display, keycode, down, CurrentTime);
    XSync(display, False);
}

} // namespace

// One key, one name: the key keyboard capture records is the key the run's
// events and key state report and the key synthesis presses, whatever the
// layout, and no two keys of the main block share a name.
class X11KeyIdentityTest : public QObject {
    Q_OBJECT

    ServerView server;

private slots:
    void cleanup() {
        server.setLayout("us");
        QVERIFY(server.keysDown().empty());
    }

    void captureEventsStateAndSynthesisAgree_data() {
        QTest::addColumn<QString>("layouts");
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<int>>("named"); // keycode, code pairs the layout implies
        QTest::addRow("us") << "us" << 0 << QList<int>{39, 'S', 52, 'Z', 47, 0xBA};
        QTest::addRow("de") << "de" << 0 << QList<int>{29, 'Z', 52, 'Y', 39, 'S'};
        QTest::addRow("fr") << "fr" << 0 << QList<int>{24, 'A', 38, 'Q', 10, '1', 47, 'M'};
        QTest::addRow("ru") << "ru" << 0 << QList<int>{39, 'S', 24, 'Q', 10, '1'};
        QTest::addRow("us,ru second group") << "us,ru" << 1 << QList<int>{39, 'S', 24, 'Q'};
    }

    void captureEventsStateAndSynthesisAgree() {
        QFETCH(QString, layouts);
        QFETCH(int, group);
        QFETCH(QList<int>, named);
        server.setLayout(layouts, group);
        X11InputBackend backend;
        RunningSource events;
        QTRY_VERIFY(events.recorder.synced.load());
        std::map<int, int> captured;
        X11KeyboardHook hook;
        int lastCaptured = 0;
        QVERIFY(hook.install([&](int, int message, int virtualKey) {
            if (message == int(KeyMessage::KeyDown) || message == int(KeyMessage::SysKeyDown))
                lastCaptured = virtualKey;
            return HookVerdict::Swallow;
        }));

        std::set<int> names;
        for (int keycode : mainBlockKeycodes()) {
            lastCaptured = 0;
            events.recorder.clear();
            pressKeycode(server.display(), keycode, true);
            QVERIFY2(QTest::qWaitFor(
                         [&] { return lastCaptured != 0 && !events.recorder.events().empty(); }),
                     qPrintable(QString::number(keycode)));
            const int name = lastCaptured;
            QCOMPARE(events.recorder.events().front(), std::make_pair(name, true));
            QVERIFY2(backend.isKeyDown(name), qPrintable(QString::number(keycode)));
            pressKeycode(server.display(), keycode, false);
            QVERIFY(QTest::qWaitFor([&] { return events.recorder.events().size() == 2; }));
            QCOMPARE(events.recorder.events().back(), std::make_pair(name, false));
            QVERIFY2(names.insert(name).second,
                     qPrintable(QStringLiteral("keycode %1 shares %2").arg(keycode).arg(name)));
            captured[keycode] = name;
        }
        QVERIFY(hook.remove());

        for (qsizetype i = 0; i < named.size(); i += 2)
            QCOMPARE(captured[named[i]], named[i + 1]);
        for (const auto& [keycode, name] : captured) {
            backend.sendKey(name, true);
            const std::vector<int> down = server.keysDown();
            backend.sendKey(name, false);
            QCOMPARE(down, std::vector<int>{keycode});
        }
    }

    // However short, a click or a key press is reported, down and up.
    void shortPressesAreEvents() {
        RunningSource events;
        QTRY_VERIFY(events.recorder.synced.load());
        runTool("xdotool", {"click", "1"});
        runTool("xdotool", {"click", "3"});
        runTool("xdotool", {"key", "ctrl+a"});
        const std::vector<std::pair<int, bool>> expected{
            {vk::LButton, true},  {vk::LButton, false}, {vk::RButton, true},   {vk::RButton, false},
            {vk::LControl, true}, {'A', true},          {vk::LControl, false}, {'A', false}};
        QTRY_COMPARE(events.recorder.events(), expected);
    }
};

QTEST_GUILESS_MAIN(X11KeyIdentityTest)
#include "tst_x11keyidentity.moc"
