#include <QtTest>
#include <chrono>

#include "eventwindow.h"
#include "platform/platform.h"
#include "platform/win32/win32inputrecording.h"
#include "platform/win32/windowsapi.h"
#include "runningrecording.h"

using namespace std::chrono_literals;
using Kind = RecordedInput::Kind;

namespace {

// Plain SendInput, as another program sends input.
void sendKey(int virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = WORD(virtualKey);
    input.ki.wScan = WORD(MapVirtualKeyW(UINT(virtualKey), MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// Moves there and clicks, as a mouse does; returns where the pointer ended.
QPoint clickAt(QPoint position, DWORD downFlag, DWORD upFlag) {
    INPUT inputs[3]{};
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    inputs[0].mi.dx = (position.x() * 65536 + width - 1) / width;
    inputs[0].mi.dy = (position.y() * 65536 + height - 1) / height;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = downFlag;
    inputs[2].mi.dwFlags = upFlag;
    SendInput(3, inputs, sizeof(INPUT));
    POINT now{};
    GetCursorPos(&now);
    return {now.x, now.y};
}

void probe() {
    sendKey(VK_F24, true);
    sendKey(VK_F24, false);
}

std::unique_ptr<RunningRecording> startRecording() {
    return std::make_unique<RunningRecording>(Platform::instance().createInputRecording(), probe);
}

} // namespace

// The low-level hooks' recording under Wine, into our winevents window.
class Win32InputRecordingTest : public QObject {
    Q_OBJECT

private slots:
    void sentKeysAndClicksWithTextAndPositions() {
        EventWindow window;
        QVERIFY(window.isReady());
        const auto running = startRecording();
        QVERIFY(running->ready());
        const std::vector<std::pair<int, bool>> keys{
            {VK_LSHIFT, true}, {'H', true},  {'H', false},      {VK_LSHIFT, false},
            {'I', true},       {'I', false}, {VK_RETURN, true}, {VK_RETURN, false}};
        for (const auto& [key, down] : keys)
            sendKey(key, down);
        const QPoint left = clickAt(window.center(), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        const QPoint right =
            clickAt(window.center() + QPoint(40, 30), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        QCOMPARE_GT((right - left).manhattanLength(), 60);
        QTRY_COMPARE(running->collector.of({Kind::ButtonUp}).size(), size_t(2));

        QList<int> pressed;
        QString typed;
        for (const RecordedInput& input : running->collector.of({Kind::KeyDown})) {
            pressed << input.virtualKey;
            typed += input.text;
        }
        QCOMPARE(pressed, (QList<int>{VK_LSHIFT, 'H', 'I', VK_RETURN}));
        QCOMPARE(typed, QStringLiteral("Hi\r"));
        std::vector<std::tuple<Kind, int, QPoint>> buttons;
        for (const RecordedInput& input : running->collector.of({Kind::ButtonDown, Kind::ButtonUp}))
            buttons.emplace_back(input.kind, input.virtualKey, input.position);
        const std::vector<std::tuple<Kind, int, QPoint>> expected{
            {Kind::ButtonDown, VK_LBUTTON, left},
            {Kind::ButtonUp, VK_LBUTTON, left},
            {Kind::ButtonDown, VK_RBUTTON, right},
            {Kind::ButtonUp, VK_RBUTTON, right}};
        QCOMPARE(buttons, expected);
        const std::vector<RecordedInput> all =
            running->collector.of({Kind::KeyDown, Kind::KeyUp, Kind::ButtonDown, Kind::ButtonUp});
        for (size_t i = 1; i < all.size(); ++i)
            QVERIFY(all[i].timeMs >= all[i - 1].timeMs);
    }

    void interruptEndsTheRecordingAtOnce() {
        {
            Win32InputRecording early;
            early.interrupt();
            RecordedInputCollector collector;
            QVERIFY(early.run(collector));
        }
        auto running = startRecording();
        QVERIFY(running->ready());
        QTest::qWait(100);
        const auto start = std::chrono::steady_clock::now();
        running.reset();
        QCOMPARE_LT(std::chrono::steady_clock::now() - start, 200ms);
    }
};

QTEST_MAIN(Win32InputRecordingTest)
#include "tst_win32inputrecording.moc"
