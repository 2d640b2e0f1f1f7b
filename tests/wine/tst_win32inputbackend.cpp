#include <QtTest>
#include <chrono>
#include <thread>

#include "eventwindow.h"
#include "mixedtext.h"
#include "platform/platform.h"
#include "platform/win32/win32inputbackend.h"
#include "platform/win32/win32platform.h"
#include "platform/win32/windowsapi.h"
#include "run/timedoperations.h"
#include "x11tools.h"

namespace {

// Each code unit down and up, as the typing operation sends it, then a pause.
void typeUnits(InputBackend& input, const QString& text, std::chrono::microseconds pause) {
    for (QChar unit : text) {
        input.sendUnicodeUnit(unit.unicode(), true);
        input.sendUnicodeUnit(unit.unicode(), false);
        if (pause.count() > 0)
            std::this_thread::sleep_for(pause);
    }
}

QPoint pointerOnTheServer() {
    // "x:1234 y:567 screen:0 window:..."
    const QList<QByteArray> fields = runX11Tool("xdotool", {"getmouselocation"}).split(' ');
    if (fields.size() < 2)
        return {};
    return {fields[0].mid(2).toInt(), fields[1].mid(2).toInt()};
}

// A SendInput that refuses the first `refusals` events it is given.
int refusals = 0;
int calls = 0;
unsigned refusingSendInput(unsigned count, tagINPUT*, int) {
    ++calls;
    return calls <= refusals ? 0 : count;
}

const StopSignal neverStop;

} // namespace

// The Win32 input backend against a real Win32 client under Wine: winevents
// shows what arrives, xdotool acts as the user and reads the X server.
class Win32InputBackendTest : public QObject {
    Q_OBJECT

    Win32InputBackend backend;

private slots:
    void windowsSessionChoosesWin32() {
        Platform& platform = Platform::instance();
        QVERIFY(dynamic_cast<Win32Platform*>(&platform));
        QVERIFY(platform.input().canSynthesize());
    }

    void mixedTextArrivesExactly_data() {
        QTest::addColumn<int>("pauseUs");
        QTest::newRow("1 ms per unit") << 1000;
        QTest::newRow("back to back") << 0;
    }
    void mixedTextArrivesExactly() {
        QFETCH(int, pauseUs);
        EventWindow window;
        QVERIFY(window.isReady());
        const QString text = mixedText();
        typeUnits(backend, text, std::chrono::microseconds(pauseUs));
        window.waitFor("char", int(text.size()));
        QCOMPARE(window.typedText(), text);
        QCOMPARE(window.count("keyup"), window.count("keydown"));
    }

    // Keys go out as a keyboard sends them: in order, with the scan code of
    // the key and the extended flag where the key has it.
    void keysArriveInOrderWithTheirScanCodes() {
        EventWindow window;
        QVERIFY(window.isReady());
        timed::pressKeyCombination(backend, neverStop, QStringLiteral("65,6,0.05"));
        backend.sendKey(VK_LEFT, true);
        backend.sendKey(VK_LEFT, false);
        QVERIFY(window.waitFor("keyup", 4));
        QList<QList<qint64>> keys;
        for (const EventWindow::Event& event : window.events())
            if (event.type == "keydown" || event.type == "keyup")
                keys.append(
                    {event.type == "keydown", event.values[0], event.values[1], event.values[2]});
        const QList<QList<qint64>> expected{{1, VK_CONTROL, 0x1d, 0}, {1, VK_SHIFT, 0x2a, 0},
                                            {1, 'A', 0x1e, 0},        {0, 'A', 0x1e, 0},
                                            {0, VK_SHIFT, 0x2a, 0},   {0, VK_CONTROL, 0x1d, 0},
                                            {1, VK_LEFT, 0x4b, 1},    {0, VK_LEFT, 0x4b, 1}};
        QCOMPARE(keys, expected);
        QCOMPARE(window.typedText(), QString(QChar(1)));
    }

    void clicksAreHeldForTheirTime() {
        EventWindow window;
        QVERIFY(window.isReady());
        backend.setCursorPosition(window.center().x(), window.center().y());
        timed::click(backend, neverStop, MouseButton::Left, 0.3);
        timed::click(backend, neverStop, MouseButton::Right, 0);
        QVERIFY(window.waitFor("rbuttonup", 1));
        const auto down = window.events("lbuttondown");
        const auto up = window.events("lbuttonup");
        QCOMPARE(int(down.size()), 1);
        QCOMPARE(int(up.size()), 1);
        QCOMPARE(QPoint(int(down[0].values[0]), int(down[0].values[1])), window.center());
        const qint64 held = up[0].values[2] - down[0].values[2];
        QVERIFY2(held >= 280 && held < 800, qPrintable(QString::number(held)));
        QCOMPARE(window.count("rbuttondown"), 1);
    }

    void pointerPositionIsTheServersPointer() {
        backend.setCursorPosition(1234, 567);
        QCOMPARE(pointerOnTheServer(), QPoint(1234, 567));
        QCOMPARE(backend.cursorPosition(), QPoint(1234, 567));
        QVERIFY(xdotool({"mousemove", "321", "654"}));
        QTRY_COMPARE(backend.cursorPosition(), QPoint(321, 654));
    }

    // The session's display is scaled to 150 %. A thread that is not DPI
    // aware reads positions scaled to 96 DPI; the backend's are physical
    // pixels on every thread: the units of the X server, of Qt's native
    // positions and of the coordinates a project stores.
    void pointerPositionsArePhysicalOnEveryThread() {
        QCOMPARE(GetDpiForSystem(), 144u);
        QVERIFY(xdotool({"mousemove", "900", "600"}));
        QPoint scaledRead;
        QPoint backendRead;
        std::thread unaware([&] {
            SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
            POINT point{};
            GetCursorPos(&point);
            scaledRead = QPoint(point.x, point.y);
            backendRead = backend.cursorPosition();
            backend.setCursorPosition(1500, 900);
        });
        unaware.join();
        QCOMPARE(scaledRead, QPoint(600, 400));
        QCOMPARE(backendRead, QPoint(900, 600));
        QCOMPARE(pointerOnTheServer(), QPoint(1500, 900));
    }

    void keyStateFollowsTheUserAndTheBackend() {
        EventWindow window;
        QVERIFY(window.isReady());
        QVERIFY(xdotool({"keydown", "shift"}));
        QTRY_VERIFY(backend.isKeyDown(VK_SHIFT));
        QVERIFY(backend.isKeyDown(VK_LSHIFT));
        QVERIFY(xdotool({"keyup", "shift"}));
        QTRY_VERIFY(!backend.isKeyDown(VK_SHIFT));

        backend.sendKey(VK_CONTROL, true);
        QTRY_VERIFY(backend.isKeyDown(VK_CONTROL));
        backend.sendKey(VK_CONTROL, false);
        QTRY_VERIFY(!backend.isKeyDown(VK_CONTROL));
    }

    void aRefusedEventIsSentOnceMore() {
        Win32InputBackend refusing(refusingSendInput);
        refusals = 1;
        calls = 0;
        QVERIFY(refusing.sendKey('A', true));
        QCOMPARE(calls, 2);

        refusals = 2;
        calls = 0;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^SendInput refused an event twice"));
        QVERIFY(!refusing.sendUnicodeUnit(u'a', true));
        QCOMPARE(calls, 2);
    }
};

QTEST_MAIN(Win32InputBackendTest)
#include "tst_win32inputbackend.moc"
