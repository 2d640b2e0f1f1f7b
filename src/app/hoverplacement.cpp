#include "app/hoverplacement.h"

#include <cmath>

namespace {

QRect nativeGeometry(const ScreenArea& screen) {
    const QSizeF size = QSizeF(screen.geometry.size()) * screen.devicePixelRatio;
    return QRect(screen.geometry.topLeft(), size.toSize());
}

} // namespace

QPoint bottomRightPlacement(const QRect& available, const QSize& size, int margin) {
    return {available.right() - size.width() - margin, available.bottom() - size.height() - margin};
}

QPoint cornerAwayFrom(const QRect& available, const QSize& size, int margin, const QPoint& pointer,
                      int distance) {
    const QPoint bottomRight = bottomRightPlacement(available, size, margin);
    const int left = available.left() + margin;
    const int top = available.top() + margin;
    for (const QPoint corner : {bottomRight, QPoint(left, bottomRight.y()),
                                QPoint(bottomRight.x(), top), QPoint(left, top)})
        if (!isNear(QRect(corner, size), pointer, distance))
            return corner;
    return bottomRight;
}

QRect bringInside(const QRect& rect, const QRect& available, int margin) {
    if (rect.isNull())
        return rect;
    int x = rect.x();
    int y = rect.y();
    if (x + rect.width() + margin > available.right())
        x = available.right() - rect.width() - margin;
    if (x < available.left() + margin)
        x = available.left() + margin;
    if (y + rect.height() + margin > available.bottom())
        y = available.bottom() - rect.height() - margin;
    if (y < available.top() + margin)
        y = available.top() + margin;
    return QRect(QPoint(x, y), rect.size());
}

bool isNear(const QRect& frame, const QPoint& point, int distance) {
    return frame.adjusted(-distance, -distance, distance, distance).contains(point);
}

QPoint toDeviceIndependent(const QPoint& native, const QList<ScreenArea>& screens) {
    if (screens.isEmpty())
        return native;
    const ScreenArea* owner = &screens.first();
    for (const ScreenArea& screen : screens)
        if (nativeGeometry(screen).contains(native)) {
            owner = &screen;
            break;
        }
    const QPoint origin = owner->geometry.topLeft();
    const QPoint offset = native - origin;
    const qreal ratio = owner->devicePixelRatio > 0 ? owner->devicePixelRatio : 1;
    return origin +
           QPoint(int(std::floor(offset.x() / ratio)), int(std::floor(offset.y() / ratio)));
}
