// CPU time the X11 input recording uses while the user is idle and while
// xdotool types fast, and how many events it reported meanwhile.
#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <thread>

#include "platform/x11/x11inputrecording.h"
#include "recordingcpu.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    X11InputRecording recording;
    EventCounter counter;
    bool usable = true;
    std::thread reader([&] { usable = recording.run(counter); });
    QThread::msleep(500);

    measureRecording("idle, 5 s", counter, [] { QThread::sleep(5); });
    // 2,000 characters, 1 ms apart: 4,000 or more key events.
    const QString text =
        QStringLiteral("The quick brown fox jumps over the lazy dog. ").repeated(45);
    measureRecording("xdotool type, 1 ms delay", counter, [&] {
        QProcess::execute("xdotool", {"type", "--delay", "1", text.left(2000)});
        QThread::msleep(200);
    });

    recording.interrupt();
    reader.join();
    if (!usable)
        std::printf("this display cannot be recorded (no XInput 2.2)\n");
    return usable ? 0 : 1;
}
