// CPU time the X11 input recording uses while the user is idle and while
// xdotool types fast, and how many events it reported meanwhile.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/x11/x11inputrecording.h"

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class Counter : public InputRecordingListener {
public:
    void recorded(const RecordedInput&) override { ++count; }
    std::atomic<int> count{0};
};

// Runs `work`, then prints the process's CPU over its wall time.
template <class Work> void measure(const char* what, Counter& counter, Work work) {
    const int eventsBefore = counter.count.load();
    const double cpuBefore = cpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    work();
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const int events = counter.count.load() - eventsBefore;
    std::printf("%-28s %6.1f ms CPU over %5.2f s wall = %6.3f%% of one core, %5d events, "
                "%6.1f us CPU per event\n",
                what, cpu * 1000, wall, 100 * cpu / wall, events,
                events ? cpu * 1e6 / events : 0.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    X11InputRecording recording;
    Counter counter;
    bool usable = true;
    std::thread reader([&] { usable = recording.run(counter); });
    QThread::msleep(500);

    measure("idle, 5 s", counter, [] { QThread::sleep(5); });
    // 2,000 characters, 1 ms apart: 4,000 or more key events.
    const QString text =
        QStringLiteral("The quick brown fox jumps over the lazy dog. ").repeated(45);
    measure("xdotool type, 1 ms delay", counter, [&] {
        QProcess::execute("xdotool", {"type", "--delay", "1", text.left(2000)});
        QThread::msleep(200);
    });

    recording.interrupt();
    reader.join();
    if (!usable)
        std::printf("this display cannot be recorded (no XInput 2.2)\n");
    return usable ? 0 : 1;
}
