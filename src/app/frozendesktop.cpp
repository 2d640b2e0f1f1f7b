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

QPoint FrozenDesktop::toPhysical(const QPointF& position) const {
    if (areas.isEmpty())
        return position.toPoint();
    const ScreenArea* owner = &areas.first();
    for (const ScreenArea& screen : areas)
        if (QRectF(screen.geometry).contains(position)) {
            owner = &screen;
            break;
        }
    const QPointF origin = owner->geometry.topLeft();
    const QPointF offset = (position - origin) * owner->devicePixelRatio;
    return owner->geometry.topLeft() +
           QPoint(int(std::floor(offset.x())), int(std::floor(offset.y())));
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
