#include "app/frozendesktop.h"

#include <algorithm>
#include <cmath>

#include "model/screenpages.h"

FrozenDesktop::FrozenDesktop(QImage shot, const QRect& desktopArea, QList<ScreenArea> screens)
    : picture(std::move(shot)), area(desktopArea), areas(std::move(screens)) {}

QRect FrozenDesktop::physicalGeometry(const ScreenArea& screen) const {
    const QSizeF size = QSizeF(screen.geometry.size()) * screen.devicePixelRatio;
    return QRect(screen.geometry.topLeft(), size.toSize());
}

const ScreenArea* FrozenDesktop::screenAt(const QPointF& position) const {
    for (const ScreenArea& screen : areas)
        if (QRectF(screen.geometry).contains(position))
            return &screen;
    return areas.isEmpty() ? nullptr : &areas.first();
}

QPoint FrozenDesktop::physicalPixel(const QPointF& event, const QPoint& pointer) const {
    const ScreenArea* screen = screenAt(event);
    if (!screen)
        return pointer;
    const qreal ratio = screen->devicePixelRatio;
    const QPointF origin = screen->geometry.topLeft();
    const QPointF scaled = origin + (event - origin) * ratio;
    const QPoint fromEvent(int(std::floor(scaled.x())), int(std::floor(scaled.y())));
    const QPoint apart = pointer - fromEvent;
    const bool stillThere = std::abs(apart.x()) < ratio && std::abs(apart.y()) < ratio;
    return stillThere ? pointer : fromEvent;
}

QRect FrozenDesktop::shotPartOf(int index) const {
    return inShot(physicalGeometry(areas.at(index)));
}

QRectF FrozenDesktop::onScreen(const QRect& physical, int index) const {
    const ScreenArea& screen = areas.at(index);
    const qreal ratio = screen.devicePixelRatio;
    const QPointF offset = QPointF(physical.topLeft() - screen.geometry.topLeft()) / ratio;
    return QRectF(offset, QSizeF(physical.size()) / ratio);
}

QRect FrozenDesktop::selection(const QPoint& pressed, const QPoint& current) const {
    const int most = screenpages::maximumImageSide - 1;
    const QPoint far(std::clamp(current.x(), pressed.x() - most, pressed.x() + most),
                     std::clamp(current.y(), pressed.y() - most, pressed.y() + most));
    const QRect dragged(QPoint(std::min(pressed.x(), far.x()), std::min(pressed.y(), far.y())),
                        QPoint(std::max(pressed.x(), far.x()), std::max(pressed.y(), far.y())));
    return dragged.intersected(area);
}

QImage FrozenDesktop::crop(const QRect& selection) const {
    return picture.copy(inShot(selection));
}

QRect toDeviceIndependent(const QRect& physical, const QList<ScreenArea>& screens) {
    const QPoint topLeft = toDeviceIndependent(physical.topLeft(), screens);
    qreal ratio = screens.isEmpty() ? 1 : screens.first().devicePixelRatio;
    for (const ScreenArea& screen : screens)
        if (screen.geometry.contains(topLeft)) {
            ratio = screen.devicePixelRatio;
            break;
        }
    return QRect(topLeft, (QSizeF(physical.size()) / ratio).toSize());
}
