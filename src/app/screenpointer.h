#pragma once

#include <QPoint>
#include <QRect>

#include "app/hoverplacement.h"

// The pointer and the screens in the units of Qt's window geometry, for the
// small always-on-top windows that keep out of the pointer's way.

// Every screen as Qt places it, the primary one first.
QList<ScreenArea> screenAreas();
// The pointer position read from the input backend (native pixels) in
// device-independent pixels.
QPoint pointerPosition();
// The available area of the screen under `point`, or of the primary screen.
QRect availableAreaAt(const QPoint& point);
