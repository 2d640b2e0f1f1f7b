#include "run/screenwait.h"

#include <QDebug>
#include <QHash>

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

// Captures `area` each time it may have changed and hands every capture that
// differs from the one before to `accept`, until it accepts one or the stop
// comes. An area off the desktop shows nothing, once.
End watchArea(ScreenCapture& capture, const StopSignal& stop, const QRect& area,
              const std::function<bool(const QImage&)>& accept) {
    const QRect desktop = capture.desktopArea();
    if (!desktop.intersects(area)) {
        qWarning().noquote() << "[Run] the searched area" << rectText(area)
                             << "lies outside the desktop" << rectText(desktop);
        if (accept(QImage()))
            return End::Met;
        stop.waitUntil([] { return false; });
        return End::Stopped;
    }
    const std::unique_ptr<ScreenChangeWatch> watch = capture.createChangeWatch(area);
    if (!watch)
        return End::Unavailable;
    const StopSignal::OnRaise interrupt(stop, [&watch] { watch->interrupt(); });
    bool searched = false;
    size_t lastHash = 0;
    while (watch->waitForChange()) {
        const QImage shot = capture.grab(area);
        // A failed capture says nothing about the screen; the next may not fail.
        if (shot.isNull())
            continue;
        const size_t hash = screenwait::captureHash(shot);
        if (searched && hash == lastHash)
            continue;
        searched = true;
        lastHash = hash;
        if (accept(shot))
            return End::Met;
    }
    return End::Stopped;
}

} // namespace

namespace screenwait {

ImageWaitEnd waitForImage(ScreenCapture& capture, const StopSignal& stop,
                          const screenpages::ImageSearch& search) {
    if (!capture.isAvailable())
        return {End::Unavailable, {}};
    const QRect area = search.region.isNull() ? capture.desktopArea() : search.region;
    const ImageFinder finder(search.image);
    if (area.width() < finder.size().width() || area.height() < finder.size().height())
        qWarning().noquote() << "[Run] the searched area" << rectText(area)
                             << "is smaller than the image, which cannot be found in it";
    ImageWaitEnd result;
    result.end = watchArea(capture, stop, area, [&](const QImage& shot) {
        const std::optional<ImageMatch> match =
            shot.isNull() ? std::nullopt : finder.bestMatch(shot, search.similarity);
        const bool found = match && match->similarity >= search.similarity;
        if (found)
            result.found = match->rect.translated(area.topLeft());
        return found != search.untilGone;
    });
    return result;
}

End waitForColor(ScreenCapture& capture, const StopSignal& stop,
                 const screenpages::ColorProbe& probe) {
    if (!capture.isAvailable())
        return End::Unavailable;
    return watchArea(capture, stop, QRect(probe.point, QSize(1, 1)), [&](const QImage& shot) {
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
