#pragma once

#include <QRect>

// Draws a red frame around a place on the screen for a while, as four thin
// windows (a frame window with a see-through middle needs a compositor).
// Deletes itself when done. `rect` is in device-independent pixels.
void showMatchFrame(const QRect& rect, int milliseconds);
