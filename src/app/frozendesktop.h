#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include "app/hoverplacement.h"

// One screenshot of the whole desktop, shown frozen over the screens, and the
// rectangle the user drags over it. The screenshot and the rectangle are in
// physical desktop pixels (what the capture and the run use); Qt places and
// paints the windows showing it in device-independent pixels, with a ratio
// per screen, and keeps each screen's origin at its physical position.
class FrozenDesktop {
public:
    FrozenDesktop(QImage shot, const QRect& desktopArea, QList<ScreenArea> screens);

    const QImage& shot() const { return picture; }
    const QList<ScreenArea>& screens() const { return areas; }

    // The physical pixel of a pointer event. Qt rounds a scaled screen's
    // event positions to its own pixels, while the pointer read afterwards
    // may have moved on: the pointer's pixel is taken where it still lies
    // within the event's rounding, the event's position scaled otherwise.
    QPoint physicalPixel(const QPointF& event, const QPoint& pointer) const;
    // The part of the screenshot screen `index` shows, in its pixels.
    QRect shotPartOf(int index) const;
    // A physical rectangle where it shows on screen `index`, relative to the
    // screen's top-left, in device-independent pixels.
    QRectF onScreen(const QRect& physical, int index) const;

    // The rectangle from the pixel pressed to the one under the pointer, both
    // included, kept on the screenshot and at most the largest image a page
    // holds in either direction from the pressed pixel.
    QRect selection(const QPoint& pressed, const QPoint& current) const;
    // A physical rectangle in the screenshot's pixels.
    QRect inShot(const QRect& physical) const { return physical.translated(-area.topLeft()); }
    // The screenshot's pixels under `selection`.
    QImage crop(const QRect& selection) const;

private:
    QRect physicalGeometry(const ScreenArea& screen) const;
    const ScreenArea* screenAt(const QPointF& position) const;

    QImage picture;
    QRect area;
    QList<ScreenArea> areas;
};

// A physical desktop rectangle in device-independent pixels, converted by the
// screen its top-left lies on.
QRect toDeviceIndependent(const QRect& physical, const QList<ScreenArea>& screens);
