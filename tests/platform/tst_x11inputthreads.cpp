#include <QtTest>
#include <algorithm>
#include <atomic>
#include <latch>
#include <thread>

#include "platform/x11/x11inputbackend.h"
#include "x11testing.h"
#include "xevwindow.h"

using namespace std::chrono_literals;

namespace {

// Two texts with no character in common, so each can be picked out of what
// the window received.
const QString latinText =
    QString::fromUtf8("Quick brown fox \xf0\x9f\x98\x80 jumps over lazy dogs ").repeated(3);
const QString otherText =
    QString::fromUtf8("\xe4\xb8\x96\xe7\x95\x8c\xc3\xa9\xc3\xbc\xc3\x9f\xe2\x82\xac\xe4\xbd\xa0")
        .repeated(4);

QString onlyCharactersOf(const QString& text, const QString& alphabet) {
    QString kept;
    for (char32_t character : text.toUcs4())
        if (alphabet.toUcs4().contains(character))
            kept += QString::fromUcs4(&character, 1);
    return kept;
}

} // namespace

// Every operation of one backend used from several threads at once, as a run
// does with its operation threads and its exit-command watcher.
class X11InputThreadsTest : public QObject {
    Q_OBJECT

private slots:
    void typingClickingAndPollingAtOnceStayExact() {
        ServerView server;
        XevWindow xev;
        QVERIFY(xev.isReady());
        const int clicks = 25;
        {
            X11InputBackend backend;
            // Xlib reads the keyboard map at a client's first key event and
            // misses map changes made while it does; xev is such a client.
            typeText(backend, " ", 0us);
            QVERIFY(xev.waitFor("KeyPress", 1));
            xev.clear();
            std::atomic<bool> typing{true};
            std::thread first([&] { typeText(backend, latinText, 1ms); });
            std::thread second([&] { typeText(backend, otherText, 0us); });
            std::thread clicker([&] {
                for (int i = 0; i < clicks; ++i) {
                    backend.setCursorPosition(xev.center().x(), xev.center().y());
                    backend.sendMouseButton(MouseButton::Left, true);
                    backend.sendMouseButton(MouseButton::Left, false);
                    std::this_thread::sleep_for(2ms);
                }
            });
            std::thread watcher([&] {
                while (typing) {
                    backend.isKeyDown(vk::Shift);
                    backend.isKeyDown(vk::LButton);
                    backend.cursorPosition();
                    std::this_thread::sleep_for(1ms);
                }
            });
            first.join();
            second.join();
            clicker.join();
            typing = false;
            watcher.join();
        }
        const int characters = int(latinText.toUcs4().size() + otherText.toUcs4().size());
        QVERIFY(xev.waitFor("KeyPress", characters));
        QVERIFY(xev.waitFor("ButtonRelease", clicks));
        const QString typed = xev.typedText();

        QCOMPARE(onlyCharactersOf(typed, latinText), latinText);
        QCOMPARE(onlyCharactersOf(typed, otherText), otherText);
        QCOMPARE(typed.toUcs4().size(), characters);
        QCOMPARE(xev.count("ButtonPress"), clicks);
        QVERIFY(server.keysDown().empty());
    }

    // Two threads press F24, which no key carries, while typing keeps every
    // spare key busy, so lending one makes each wait without the lock: the key
    // goes down once, one release lets it go, and the lent keys are emptied.
    void oneUnmappedKeyPressedOnTwoThreadsGoesDownOnce() {
        ServerView server;
        const std::vector<KeySym> before = server.keyboardMapping();
        int minKeycode = 0, maxKeycode = 0;
        XDisplayKeycodes(server.display(), &minKeycode, &maxKeycode);
        const size_t columns = before.size() / size_t(maxKeycode - minKeycode + 1);
        int spareKeys = 0;
        for (size_t first = 0; first < before.size(); first += columns)
            spareKeys += std::all_of(before.begin() + first, before.begin() + first + columns,
                                     [](KeySym keysym) { return keysym == NoSymbol; });
        QString busyText;
        for (int i = 0; i < 3 * spareKeys; ++i)
            busyText += QChar(0x4e00 + i);
        {
            X11InputBackend backend;
            std::thread typist([&] { typeText(backend, busyText, 0us); });
            std::this_thread::sleep_for(20ms);
            std::latch together(2);
            const auto pressF24 = [&] {
                together.arrive_and_wait();
                backend.sendKey(0x87, true);
            };
            std::thread first(pressF24);
            std::thread second(pressF24);
            first.join();
            second.join();
            typist.join();
            backend.sendKey(0x87, false);
            QVERIFY(server.keysDown().empty());
            QTRY_VERIFY_WITH_TIMEOUT(server.keyboardMapping() == before,
                                     int((X11InputBackend::restoreDelay + 3s).count() * 1000));
        }
    }
};

QTEST_GUILESS_MAIN(X11InputThreadsTest)
#include "tst_x11inputthreads.moc"
