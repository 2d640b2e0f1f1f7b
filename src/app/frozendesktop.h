#pragma once

#include <QImage>
#include <QList>
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

    // A device-independent desktop position in physical pixels, converted by
    // the screen it lies on (the first screen for a point on none).
    QPoint toPhysical(const QPointF& position) const;
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

    QImage picture;
    QRect area;
    QList<ScreenArea> areas;
};

// A physical desktop rectangle in device-independent pixels, converted by the
// screen its top-left lies on.
QRect toDeviceIndependent(const QRect& physical, const QList<ScreenArea>& screens);
