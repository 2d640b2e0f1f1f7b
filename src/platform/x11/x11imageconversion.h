#pragma once

// Qt's headers go before Xlib's, whose macros would break them.
#include <QImage>

#include <X11/Xlib.h>

// Copies a ZPixmap image into `target` at (x, y) as QImage::Format_RGB32,
// whatever the visual's masks, pixel size and byte order.
void copyToRgb32(const XImage& image, QImage& target, int x, int y);
