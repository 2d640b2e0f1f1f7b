// Under Wine: the time the input recording's low-level hook procedures take
// per event (QueryPerformanceCounter around their bodies), and the process's
// CPU while the user is idle and while keys and moves come fast.
#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <thread>
#include <vector>

#include "benchstats.h"
#include "platform/win32/win32inputrecording.h"
#include "platform/win32/windowsapi.h"
#include "recordingcpu.h"

namespace {

void send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

// Letters down and up and small pointer moves, one event a millisecond.
void sendFast(int keys) {
    for (int i = 0; i < keys; ++i) {
        INPUT key{};
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = WORD('A' + i % 26);
        send(key);
        key.ki.dwFlags = KEYEVENTF_KEYUP;
        send(key);
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = i % 2 ? 3 : -3;
        move.mi.dwFlags = MOUSEEVENTF_MOVE;
        send(move);
        QThread::msleep(1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Win32InputRecording recording;
    std::vector<long long> ticks;
    ticks.reserve(1 << 16);
    recording.timeHooks(ticks);
    EventCounter counter;
    bool usable = true;
    std::thread reader([&] { usable = recording.run(counter); });
    QThread::msleep(500);

    measureRecording("idle, 5 s", counter, [] { QThread::sleep(5); });
    measureRecording("2,000 keys and moves", counter, [] {
        sendFast(2000);
        QThread::msleep(200);
    });

    recording.interrupt();
    reader.join();
    if (!usable) {
        std::printf("the hooks could not be set\n");
        return 1;
    }
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> microseconds;
    for (long long tick : ticks)
        microseconds.push_back(1e6 * double(tick) / double(frequency.QuadPart));
    printFigures("inside a hook procedure", microseconds, "us");
    return 0;
}
