#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the coordinate hint window goes and when it dodges the pointer. Every
// rectangle and point here is in device-independent pixels, the units of Qt's
// screen and window geometry; edges are inclusive (right = left + width - 1).

// Top-left corner of a window of `size` in the bottom-right of `available`,
// `margin` pixels from its edges.
QPoint bottomRightPlacement(const QRect& available, const QSize& size, int margin);

// The first corner of `available` (bottom-right, bottom-left, top-right,
// top-left), `margin` pixels from its edges, where a window of `size` stays
// more than `distance` pixels away from `pointer`; bottom-right when none does.
QPoint cornerAwayFrom(const QRect& available, const QSize& size, int margin, const QPoint& pointer,
                      int distance);

// `rect` moved so it keeps `margin` from every edge of `available`, the right
// and bottom edges first, so an oversized rectangle sticks to the top-left. Its
// size stays; a null rectangle comes back unchanged.
QRect bringInside(const QRect& rect, const QRect& available, int margin);

// Whether `point` lies within `distance` pixels of `frame`, edges included.
bool isNear(const QRect& frame, const QPoint& point, int distance);

struct ScreenArea {
    QRect geometry; // device-independent, as QScreen::geometry() reports it
    qreal devicePixelRatio = 1;
};

// A pointer position in native pixels (what the input backend reads) in
// device-independent pixels. Qt keeps a scaled screen's origin at its native
// position and divides only the distance from it, so each screen converts
// with its own ratio. A point on no screen converts with the first one's.
QPoint toDeviceIndependent(const QPoint& native, const QList<ScreenArea>& screens);
