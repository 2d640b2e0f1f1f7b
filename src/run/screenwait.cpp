#include "run/screenwait.h"

#include <QDebug>
#include <QHash>

#include <cstring>
#include <functional>
#include <memory>

#include "vision/imagefinder.h"

namespace {

using screenwait::End;

QString rectText(const QRect& rect) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

// The smallest rectangle holding every pixel that differs between two
// captures of one area; null when none does.
QRect changedPart(const QImage& before, const QImage& after) {
    const int width = after.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < after.height(); ++y) {
        const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* is = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        if (std::memcmp(was, is, size_t(width) * sizeof(QRgb)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        // Only columns outside those known to have changed need a look.
        int x = 0;
        while (x < left && was[x] == is[x])
            ++x;
        left = x;
        int last = width - 1;
        while (last > right && was[last] == is[last])
            --last;
        right = last;
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Gets each capture of the watched area and the part of it that changed
// since the one before (all of it the first time); true to end the wait.
using Accept = std::function<bool(const QImage& shot, const QRect& changed)>;

// Captures `area` each time it may have changed and hands every capture that
// differs from the one before to `accept`, until it accepts one or the stop
// comes. An area off the desktop shows nothing, once.
End watchArea(ScreenCapture& capture, const StopSignal& stop, const QRect& area,
              const Accept& accept) {
    const QRect desktop = capture.desktopArea();
    if (!desktop.intersects(area)) {
        qWarning().noquote() << "[Run] the searched area" << rectText(area)
                             << "lies outside the desktop" << rectText(desktop);
        if (accept(QImage(), QRect()))
            return End::Met;
        stop.waitUntil([] { return false; });
        return End::Stopped;
    }
    const std::unique_ptr<ScreenChangeWatch> watch = capture.createChangeWatch(area);
    if (!watch)
        return End::Unavailable;
    const StopSignal::OnRaise interrupt(stop, [&watch] { watch->interrupt(); });
    QImage previous;
    size_t previousHash = 0;
    while (watch->waitForChange()) {
        const QImage shot = capture.grab(area);
        // A failed capture says nothing about the screen; the next may not fail.
        if (shot.isNull())
            continue;
        const size_t hash = screenwait::captureHash(shot);
        if (!previous.isNull() && hash == previousHash)
            continue;
        const QRect changed = previous.isNull() ? shot.rect() : changedPart(previous, shot);
        previous = shot;
        previousHash = hash;
        if (accept(shot, changed))
            return End::Met;
    }
    return End::Stopped;
}

// Where an image is, capture after capture, searching no more than the
// changes require: where it was not found it can only appear where the
// screen changed, and where it was found it stays while its pixels do.
class ImageTracker {
public:
    explicit ImageTracker(const screenpages::ImageSearch& search)
        : search(search), finder(search.image) {}

    QSize imageSize() const { return finder.size(); }

    // The place of the image in `shot`, null when it is not there.
    QRect follow(const QImage& shot, const QRect& changed) {
        if (shot.isNull())
            return last = QRect();
        if (!last.isNull() && !changed.intersects(last))
            return last;
        const QSize margin = finder.size() - QSize(1, 1);
        const QRect searched = last.isNull() ? changed.adjusted(-margin.width(), -margin.height(),
                                                                margin.width(), margin.height()) &
                                                   shot.rect()
                                             : shot.rect();
        // A view into the capture, not a copy.
        const QImage part(shot.constScanLine(searched.y()) + searched.x() * sizeof(QRgb),
                          searched.width(), searched.height(), shot.bytesPerLine(),
                          QImage::Format_RGB32);
        const std::optional<ImageMatch> match = finder.bestMatch(part, search.similarity);
        const bool found = match && match->similarity >= search.similarity;
        return last = found ? match->rect.translated(searched.topLeft()) : QRect();
    }

private:
    const screenpages::ImageSearch& search;
    const ImageFinder finder;
    QRect last;
};

} // namespace

namespace screenwait {

ImageWaitEnd waitForImage(ScreenCapture& capture, const StopSignal& stop,
                          const screenpages::ImageSearch& search) {
    if (!capture.isAvailable())
        return {End::Unavailable, {}};
    const QRect area = search.region.isNull() ? capture.desktopArea() : search.region;
    ImageTracker tracker(search);
    if (area.width() < tracker.imageSize().width() || area.height() < tracker.imageSize().height())
        qWarning().noquote() << "[Run] the searched area" << rectText(area)
                             << "is smaller than the image, which cannot be found in it";
    ImageWaitEnd result;
    result.end = watchArea(capture, stop, area, [&](const QImage& shot, const QRect& changed) {
        const QRect found = tracker.follow(shot, changed);
        result.found = found.isNull() ? QRect() : found.translated(area.topLeft());
        return found.isNull() == search.untilGone;
    });
    return result;
}

End waitForColor(ScreenCapture& capture, const StopSignal& stop,
                 const screenpages::ColorProbe& probe) {
    if (!capture.isAvailable())
        return End::Unavailable;
    return watchArea(capture, stop, QRect(probe.point, QSize(1, 1)),
                     [&](const QImage& shot, const QRect&) {
                         return !shot.isNull() && probe.matches(shot.pixel(0, 0));
                     });
}

// The seed is fixed: any seed serves, and 0 would keep Qt from its fastest
// hash function.
size_t captureHash(const QImage& shot) {
    return qHashBits(shot.constBits(), size_t(shot.sizeInBytes()), 0x4b657374);
}

void logUnavailable(const ScreenCapture& capture) {
    qWarning().noquote() << "[Run] pages that look at the screen cannot run here:"
                         << capture.unavailableReason(false);
}

} // namespace screenwait
