// Time of one image search (ImageFinder::bestMatch) in a 1920x1080 desktop
// drawn like a real one, over the whole desktop and over a 400x300 region,
// beside OpenCV's plain full-resolution grey matchTemplate as the baseline.
// Capture is not included.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "benchstats.h"
#include "vision/imagefinder.h"

namespace {

const QRect desktopRect(0, 0, 1920, 1080);

// A wallpaper, a taskbar and overlapping windows with title bars, lines of
// text, buttons and icons: the many half-alike places of a real screen.
QImage desktop(QRect* topWindow) {
    QImage image(desktopRect.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient wallpaper(0, 0, 1920, 1080);
    wallpaper.setColorAt(0, QColor(20, 60, 110));
    wallpaper.setColorAt(1, QColor(120, 40, 90));
    painter.fillRect(image.rect(), wallpaper);

    const QStringList words{"File",    "Edit",    "View", "Save",   "Open",  "Cancel", "Settings",
                            "Kestrun", "project", "page", "window", "12:45", "OK",     "設定"};
    QRandomGenerator random(42);
    const auto word = [&] { return words[random.bounded(int(words.size()))]; };
    for (int window = 0; window < 7; ++window) {
        const QRect frame(random.bounded(1300), random.bounded(500), 500 + random.bounded(400),
                          350 + random.bounded(250));
        *topWindow = frame;
        painter.fillRect(frame, QColor(242, 242, 242));
        QLinearGradient title(frame.topLeft(), frame.topRight());
        title.setColorAt(0, QColor(40, 90, 170));
        title.setColorAt(1, QColor(90, 140, 210));
        painter.fillRect(frame.x(), frame.y(), frame.width(), 28, title);
        painter.setPen(Qt::white);
        painter.drawText(frame.x() + 10, frame.y() + 19, word() + " - " + word());
        painter.setPen(Qt::black);
        for (int y = frame.y() + 50; y < frame.bottom() - 60; y += 20) {
            QString line;
            for (int count = 3 + random.bounded(8); count > 0; --count)
                line += word() + ' ';
            painter.drawText(frame.x() + 40, y, line);
        }
        for (int icon = 0; icon < 4; ++icon) {
            painter.setBrush(QColor::fromHsv(random.bounded(360), 180, 220));
            painter.drawEllipse(frame.x() + 8, frame.y() + 40 + icon * 40, 24, 24);
        }
        for (int button = 0; button < 3; ++button) {
            const QRect rect(frame.right() - 100 * (button + 1), frame.bottom() - 40, 90, 28);
            painter.setBrush(QColor(225, 225, 225));
            painter.drawRoundedRect(rect, 4, 4);
            painter.drawText(rect, Qt::AlignCenter, word());
        }
    }
    painter.fillRect(0, 1040, 1920, 40, QColor(30, 30, 36));
    return image;
}

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Wall time and this thread's CPU time of each run, printed.
void timed(const char* what, int runs, const std::function<void()>& search) {
    std::vector<double> wall;
    std::vector<double> cpu;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        const double cpuBefore = threadCpuMs();
        timer.start();
        search();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - cpuBefore);
    }
    printFigures((std::string(what) + ", wall").c_str(), wall, "ms");
    printFigures((std::string(what) + ", CPU").c_str(), cpu, "ms");
}

void checkFound(const char* what, const std::optional<ImageMatch>& match, QRect expected) {
    if (!match || match->rect != expected)
        std::printf("%s: NOT FOUND at the expected place\n", what);
    else
        std::printf("%s: found, similarity %.4f\n", what, match->similarity);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QRect topWindow;
    const QImage screen = desktop(&topWindow);
    // An icon and the text beside it in the window on top.
    const QRect cut(topWindow.topLeft() + QPoint(5, 37), QSize(64, 64));
    const QImage image = screen.copy(cut);
    const QRect region = QRect(cut.center() - QPoint(170, 120), QSize(400, 300)) & desktopRect;
    const QImage regionShot = screen.copy(region);
    const double threshold = 0.9;

    const ImageFinder finder(image);
    // The build information names the parallel framework on a line of its own.
    const std::string build = cv::getBuildInformation();
    const size_t framework = build.find("Parallel framework:");
    const std::string parallel =
        framework == std::string::npos
            ? " none"
            : build.substr(framework + 19, build.find('\n', framework) - framework - 19);
    // Read once a finder exists, since the finder chooses OpenCV's threads.
    std::printf("OpenCV %s, parallel framework:%s, %d thread(s), %d CPU(s)\n", CV_VERSION,
                parallel.c_str(), cv::getNumThreads(), cv::getNumberOfCPUs());

    checkFound("whole desktop", finder.bestMatch(screen, threshold), cut);
    checkFound("region", finder.bestMatch(regionShot, threshold),
               cut.translated(-region.topLeft()));

    timed("bestMatch, whole 1920x1080", 200, [&] { finder.bestMatch(screen, threshold); });
    timed("bestMatch, 400x300 region", 1000, [&] { finder.bestMatch(regionShot, threshold); });
    // The same image with its corners transparent: a masked search.
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12 - y; ++x)
            for (const QPoint corner :
                 {QPoint(x, y), QPoint(63 - x, y), QPoint(x, 63 - y), QPoint(63 - x, 63 - y)})
                masked.setPixelColor(corner, Qt::transparent);
    const ImageFinder maskedFinder(masked);
    checkFound("whole desktop, masked", maskedFinder.bestMatch(screen, threshold), cut);
    timed("bestMatch, whole, masked", 50, [&] { maskedFinder.bestMatch(screen, threshold); });
    // The image absent: what a wait does until it shows.
    QImage elsewhere = screen;
    QPainter(&elsewhere).fillRect(cut, QColor(242, 242, 242));
    timed("bestMatch, whole, image absent", 200, [&] { finder.bestMatch(elsewhere, threshold); });

    // The baseline: grey at full resolution, OpenCV's matchTemplate and the
    // best place, the grey conversion of the screenshot included.
    cv::Mat imageGrey;
    const QImage imageRgb = image.convertToFormat(QImage::Format_RGB32);
    cv::cvtColor(
        cv::Mat(64, 64, CV_8UC4, const_cast<uchar*>(imageRgb.constBits()), imageRgb.bytesPerLine()),
        imageGrey, cv::COLOR_BGRA2GRAY);
    const cv::Mat screenBgra(screen.height(), screen.width(), CV_8UC4,
                             const_cast<uchar*>(screen.constBits()), screen.bytesPerLine());
    cv::Point baselineAt;
    timed("baseline matchTemplate, whole", 30, [&] {
        cv::Mat grey, result;
        cv::cvtColor(screenBgra, grey, cv::COLOR_BGRA2GRAY);
        cv::matchTemplate(grey, imageGrey, result, cv::TM_CCOEFF_NORMED);
        cv::minMaxLoc(result, nullptr, nullptr, nullptr, &baselineAt);
    });
    std::printf("baseline found at %d,%d (expected %d,%d)\n", baselineAt.x, baselineAt.y, cut.x(),
                cut.y());
    return 0;
}
