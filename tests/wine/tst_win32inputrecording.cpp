#include <QtTest>

#include "platform/win32/win32inputrecording.h"
#include "platform/win32/windowsapi.h"
#include "runningrecording.h"

// The low-level hooks' recording under Wine. What it records, keys with
// their text and clicks where they went, tst_recordwine checks end to end.
class Win32InputRecordingTest : public QObject {
    Q_OBJECT

private slots:
    void interruptEndsTheRecordingAtOnce() {
        const auto probe = [] {
            for (const DWORD flags : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
                INPUT input{};
                input.type = INPUT_KEYBOARD;
                input.ki.wVk = VK_F24;
                input.ki.dwFlags = flags;
                SendInput(1, &input, sizeof input);
            }
        };
        QVERIFY(interruptEndsAtOnce([] { return std::make_unique<Win32InputRecording>(); }, probe));
    }
};

QTEST_MAIN(Win32InputRecordingTest)
#include "tst_win32inputrecording.moc"
