// Time to grab the whole desktop and a 400 x 300 area through shared memory
// and through requests, and the CPU time of a thread that waits in the
// change watch and grabs its area at each wake, for 10 s on a still desktop
// and on one that changes all the time. Needs an X display (DISPLAY).
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QTest>
#include <QTimer>

#include "benchstats.h"
#include "platform/x11/x11screencapture.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// A window that paints another colour every 16 ms, as a playing video does.
class RepaintingWindow : public QRasterWindow {
public:
    explicit RepaintingWindow(const QRect& geometry) {
        setFlag(Qt::FramelessWindowHint);
        setGeometry(geometry);
        connect(&timer, &QTimer::timeout, this, [this] { update(); });
        timer.start(16);
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        ++frame;
        QPainter(this).fillRect(QRect(QPoint(), size()),
                                QColor::fromHsv(frame * 7 % 360, 200, 220));
    }

private:
    QTimer timer;
    int frame = 0;
};

double threadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void grabTimes(const char* what, X11ScreenCapture& capture, const QRect& area, int samples) {
    for (int i = 0; i < 5; ++i)
        capture.grab(area);
    std::vector<double> times;
    for (int i = 0; i < samples; ++i) {
        const Clock::time_point start = Clock::now();
        const QImage image = capture.grab(area);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (image.isNull())
            std::printf("%s: the grab failed\n", what);
    }
    printFigures(what, times, "ms");
}

// The GUI thread keeps painting while a thread of its own waits and grabs.
void waitingCpu(const char* what, X11ScreenCapture& capture, const QRect& area,
                const QRect& repainting) {
    std::unique_ptr<RepaintingWindow> window;
    if (!repainting.isEmpty())
        window = std::make_unique<RepaintingWindow>(repainting);
    QTest::qWait(500);
    const auto watch = capture.createChangeWatch(area);
    std::atomic<double> cpu{0};
    std::atomic<int> wakes{0};
    std::thread waiting([&] {
        const double before = threadCpuSeconds();
        while (watch->waitForChange()) {
            capture.grab(area);
            ++wakes;
        }
        cpu = threadCpuSeconds() - before;
    });
    const Clock::time_point start = Clock::now();
    QTest::qWait(10000);
    watch->interrupt();
    waiting.join();
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-58s %7.1f ms CPU over %.1f s = %6.3f %% of a core, %4d wakes\n", what,
                cpu * 1000, wall, 100 * cpu / wall, wakes.load());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    X11ScreenCapture shared({}, X11ScreenCapture::Transfer::SharedMemoryFirst);
    X11ScreenCapture requests({}, X11ScreenCapture::Transfer::RequestOnly);
    if (!shared.isAvailable()) {
        std::printf("%s\n", qPrintable(shared.unavailableReason(false)));
        return 1;
    }
    const QRect desktop = shared.desktopArea();
    const QRect area(760, 390, 400, 300);
    std::printf("desktop %dx%d, shared memory %s\n", desktop.width(), desktop.height(),
                shared.sharesMemory() ? "offered" : "refused");

    grabTimes("whole desktop, shared memory", shared, desktop, 200);
    grabTimes("whole desktop, XGetImage", requests, desktop, 200);
    grabTimes("400x300, shared memory", shared, area, 1000);
    grabTimes("400x300, XGetImage", requests, area, 1000);

    const QRect inside(860, 440, 200, 150);
    const QRect elsewhere(100, 100, 200, 150);
    waitingCpu("still desktop, whole desktop watched", shared, desktop, {});
    waitingCpu("repainting every 16 ms, whole desktop watched", shared, desktop, inside);
    waitingCpu("repainting every 16 ms in the 400x300 watched", shared, area, inside);
    waitingCpu("repainting every 16 ms outside the 400x300 watched", shared, area, elsewhere);
    return 0;
}
