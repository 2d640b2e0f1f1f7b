#pragma once

#include <QRect>

#include <optional>

#include "model/screenpages.h"
#include "platform/screencapture.h"
#include "run/stopsignal.h"

// What a run does with the pages that look at the screen, on the thread that
// waits. The screen is searched again only when the searched area may have
// changed, so that a still screen costs next to nothing; a stop ends a wait
// at once.
namespace screenwait {

enum class End { Met, Stopped, Unavailable };

struct ImageWaitEnd {
    End end = End::Stopped;
    // Where the image was found, in desktop pixels; null when it went.
    QRect found;
};

// Goes on once the image is on the screen, or with `untilGone` once it no
// longer is.
ImageWaitEnd waitForImage(ScreenCapture& capture, const StopSignal& stop,
                          const screenpages::ImageSearch& search);
// Goes on once the pixel is within the tolerance of the colour.
End waitForColor(ScreenCapture& capture, const StopSignal& stop,
                 const screenpages::ColorProbe& probe);

// Tells two captures apart cheaply, so that an unchanged one is not searched
// again.
size_t captureHash(const QImage& shot);

// Says in the log why this desktop cannot serve such a page.
void logUnavailable(const ScreenCapture& capture);

} // namespace screenwait
