// Searching the X screen for an image: one search with its capture, against
// OpenCV's plain matchTemplate; the time from a picture appearing to the
// wait going on; and the CPU a wait takes on a still and on a busy screen,
// with DAMAGE and where it polls (an Xvfb of its own without DAMAGE).
// Usage: DISPLAY=:N bench_screenwait [TRIALS]   (a 1920x1080 display)

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

#include <QCoreApplication>
#include <QProcess>

#include <opencv2/imgproc.hpp>

#include "benchstats.h"
#include "platform/x11/x11screencapture.h"
#include "processcpu.h"
#include "run/screenwait.h"
#include "testpicture.h"
#include "vision/imagefinder.h"

#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QImage testPicture(unsigned seed, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, 0xff000000u | testpicture::pixel(seed, x, y));
    return picture;
}

// A window without frame whose background the server paints from a pixmap,
// so that it is on the screen the moment the map request is through.
class ServerPicture {
public:
    ServerPicture(Display* display, const QImage& image) : display(display), size(image.size()) {
        const int screen = DefaultScreen(display);
        const Window root = RootWindow(display, screen);
        pixmap = XCreatePixmap(display, root, unsigned(size.width()), unsigned(size.height()),
                               unsigned(DefaultDepth(display, screen)));
        putPixels(image);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.background_pixmap = pixmap;
        window = XCreateWindow(display, root, 0, 0, unsigned(size.width()), unsigned(size.height()),
                               0, CopyFromParent, InputOutput, CopyFromParent,
                               CWOverrideRedirect | CWBackPixmap, &attributes);
    }
    ~ServerPicture() {
        XDestroyWindow(display, window);
        XFreePixmap(display, pixmap);
        XSync(display, False);
    }

    // Only images of the pixmap's size.
    void draw(const QImage& image) {
        putPixels(image);
        XClearWindow(display, window);
        XSync(display, False);
    }
    void showAt(QPoint at) {
        XMoveWindow(display, window, at.x(), at.y());
        XMapRaised(display, window);
        XSync(display, False);
    }
    void hide() {
        XUnmapWindow(display, window);
        XSync(display, False);
    }

private:
    void putPixels(const QImage& image) {
        QImage pixels = image.convertToFormat(QImage::Format_RGB32);
        XImage* ximage =
            XCreateImage(display, DefaultVisual(display, DefaultScreen(display)),
                         unsigned(DefaultDepth(display, DefaultScreen(display))), ZPixmap, 0,
                         reinterpret_cast<char*>(pixels.bits()), unsigned(pixels.width()),
                         unsigned(pixels.height()), 32, int(pixels.bytesPerLine()));
        GC gc = XCreateGC(display, pixmap, 0, nullptr);
        XPutImage(display, pixmap, gc, ximage, 0, 0, 0, 0, unsigned(pixels.width()),
                  unsigned(pixels.height()));
        XFreeGC(display, gc);
        ximage->data = nullptr;
        XDestroyImage(ximage);
    }

    Display* display;
    QSize size;
    Pixmap pixmap = 0;
    Window window = 0;
};

QPoint randomPlace(std::mt19937& random, const QRect& area, QSize size) {
    return {area.x() + int(random() % unsigned(area.width() - size.width())),
            area.y() + int(random() % unsigned(area.height() - size.height()))};
}

cv::Mat asMat(const QImage& image) {
    return cv::Mat(image.height(), image.width(), CV_8UC4, const_cast<uchar*>(image.constBits()),
                   size_t(image.bytesPerLine()));
}

// What a program without a pyramid does: the whole capture in colour at
// full resolution.
void plainMatchTemplate(const QImage& shot, const cv::Mat& templateBgr) {
    cv::Mat shotBgr, result;
    cv::cvtColor(asMat(shot), shotBgr, cv::COLOR_BGRA2BGR);
    cv::matchTemplate(shotBgr, templateBgr, result, cv::TM_CCOEFF_NORMED);
    double best = 0;
    cv::Point where;
    cv::minMaxLoc(result, nullptr, &best, nullptr, &where);
}

void oneSearch(ScreenCapture& capture, Display* display, int trials) {
    const QImage picture = testPicture(1, QSize(64, 64));
    ServerPicture shown(display, picture);
    std::mt19937 random(1);
    const QRect desktop = capture.desktopArea();
    const QPoint at = randomPlace(random, desktop, picture.size());
    shown.showAt(at);
    const QRect region(at - QPoint(200, 100), QSize(400, 300));
    const ImageFinder finder(picture);
    cv::Mat templateBgr;
    cv::cvtColor(asMat(picture), templateBgr, cv::COLOR_BGRA2BGR);

    std::vector<double> whole, grabOnly, hashOnly, matchOnly, inRegion, baseline;
    for (int i = 0; i < trials; ++i) {
        auto start = Clock::now();
        const QImage shot = capture.grab(desktop);
        grabOnly.push_back(millisecondsSince(start));
        const auto hashStart = Clock::now();
        screenwait::captureHash(shot);
        hashOnly.push_back(millisecondsSince(hashStart));
        const auto matchStart = Clock::now();
        const std::optional<ImageMatch> match = finder.bestMatch(shot, 0.9);
        matchOnly.push_back(millisecondsSince(matchStart));
        whole.push_back(millisecondsSince(start));
        if (!match || match->rect.topLeft() != at)
            std::printf("  trial %d: not found where shown\n", i);

        start = Clock::now();
        finder.bestMatch(capture.grab(region), 0.9);
        inRegion.push_back(millisecondsSince(start));

        start = Clock::now();
        plainMatchTemplate(capture.grab(desktop), templateBgr);
        baseline.push_back(millisecondsSince(start));
    }
    std::printf("One search, capture included, 64x64 image:\n");
    printFigures("ours, 1920x1080 desktop", whole, "ms");
    printFigures("  of which capture", grabOnly, "ms");
    printFigures("  of which match", matchOnly, "ms");
    printFigures("hash of the desktop's capture", hashOnly, "ms");
    printFigures("ours, 400x300 region", inRegion, "ms");
    printFigures("plain matchTemplate, desktop", baseline, "ms");
    shown.hide();
}

// Waits on a thread of its own, as the run does; returns when it ended.
struct BackgroundWait {
    StopSignal stop;
    std::atomic<bool> ended{false};
    Clock::time_point endedAt;
    screenwait::ImageWaitEnd result;
    std::thread thread;

    BackgroundWait(ScreenCapture& capture, const screenpages::ImageSearch& search)
        : thread([this, &capture, search] {
              result = screenwait::waitForImage(capture, stop, search);
              endedAt = Clock::now();
              ended.store(true);
          }) {}
    ~BackgroundWait() {
        stop.raise();
        thread.join();
    }
    bool waitEnded(std::chrono::milliseconds limit) {
        const auto deadline = Clock::now() + limit;
        while (!ended.load() && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        return ended.load();
    }
};

void appearToGoOn(ScreenCapture& capture, Display* display, int trials) {
    screenpages::ImageSearch search;
    search.image = testPicture(2, QSize(64, 64));
    ServerPicture shown(display, search.image);
    std::mt19937 random(2);
    std::vector<double> latency;
    int missed = 0;
    for (int i = 0; i < trials; ++i) {
        shown.hide();
        BackgroundWait wait(capture, search);
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + random() % 250));
        const QPoint at = randomPlace(random, capture.desktopArea(), search.image.size());
        const auto appeared = Clock::now();
        shown.showAt(at);
        if (!wait.waitEnded(std::chrono::seconds(5)) || wait.result.found.topLeft() != at) {
            ++missed;
            continue;
        }
        latency.push_back(
            std::chrono::duration<double, std::milli>(wait.endedAt - appeared).count());
    }
    shown.hide();
    std::printf("\nFrom the picture appearing to the wait going on, whole desktop:\n");
    printFigures("appeared -> went on", latency, "ms");
    if (missed)
        std::printf("  %d trials not found within 5 s or not where shown\n", missed);
}

void cpuWhileWaiting(ScreenCapture& capture, const char* what, int seconds) {
    screenpages::ImageSearch search;
    search.image = testPicture(3, QSize(64, 64));
    BackgroundWait wait(capture, search);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu = processCpuSeconds() - cpuBefore;
    const double wall = millisecondsSince(wallBefore) / 1000;
    std::printf("%-44s %7.1f ms CPU over %.1f s = %6.2f %% of one core\n", what, cpu * 1000, wall,
                100 * cpu / wall);
    std::fflush(stdout);
}

// Another program that changes part of the screen all the time, as a video
// does: 640x360 pixels, 30 frames a second.
int animate() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const QSize size(640, 360);
    const QImage noise = testPicture(4, QSize(size.width() * 2, size.height()));
    ServerPicture video(display, noise.copy(QRect(QPoint(), size)));
    video.showAt({300, 200});
    for (int frame = 0;; ++frame) {
        video.draw(noise.copy(QRect(QPoint((frame * 8) % size.width(), 0), size)));
        std::this_thread::sleep_for(std::chrono::milliseconds(33));
    }
}

// An X server of the benchmark's own, without the DAMAGE extension.
struct XvfbWithoutDamage {
    QProcess process;
    QByteArray display;

    XvfbWithoutDamage() {
        process.start(QStringLiteral("Xvfb"),
                      {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1920x1080x24"),
                       QStringLiteral("-extension"), QStringLiteral("DAMAGE"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        display = ':' + process.readLine().trimmed();
    }
    ~XvfbWithoutDamage() {
        process.kill();
        process.waitForFinished();
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--animate") == 0)
        return animate();
    const int trials = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    Display* display = XOpenDisplay(nullptr);
    X11ScreenCapture capture;
    if (!display || !capture.isAvailable()) {
        std::fprintf(stderr, "bench_screenwait needs an X display (DISPLAY=:N)\n");
        return 1;
    }
    const QRect desktop = capture.desktopArea();
    std::printf("Desktop %dx%d, %d trials\n\n", desktop.width(), desktop.height(), trials);
    oneSearch(capture, display, trials);
    appearToGoOn(capture, display, trials);

    std::printf("\nCPU while waiting for a picture that is not there, whole desktop:\n");
    cpuWhileWaiting(capture, "still desktop (DAMAGE)", 10);
    {
        XvfbWithoutDamage polled;
        X11ScreenCapture polling(polled.display);
        if (polling.isAvailable())
            cpuWhileWaiting(polling, "still desktop (no DAMAGE: polling)", 10);
        else
            std::printf("no Xvfb without DAMAGE could be started\n");
    }
    QProcess video;
    video.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--animate")});
    video.waitForStarted();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    cpuWhileWaiting(capture, "640x360 at 30 frames/s changing (DAMAGE)", 10);
    video.kill();
    video.waitForFinished();
    XCloseDisplay(display);
    return 0;
}
