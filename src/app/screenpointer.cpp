#include "app/screenpointer.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/hoverplacement.h"
#include "platform/platform.h"

// The input backend reads native pixels, the same units the coordinates are
// written and replayed in; the window and screen geometry are in Qt's
// device-independent pixels. Converting the pointer, per the screen it is on,
// keeps placements and distance tests right on scaled displays and across
// monitors with different scales.
QList<ScreenArea> screenAreas() {
    QList<ScreenArea> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.append({primary->geometry(), primary->devicePixelRatio()});
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append({screen->geometry(), screen->devicePixelRatio()});
    return screens;
}

QPoint pointerPosition() {
    return toDeviceIndependent(Platform::instance().input().cursorPosition(), screenAreas());
}

QRect availableAreaAt(const QPoint& point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
