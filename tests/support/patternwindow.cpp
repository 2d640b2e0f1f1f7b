#include "patternwindow.h"

#include <QPainter>
#include <QTest>

PatternWindow::PatternWindow(const QRect& geometry) {
    setFlag(Qt::FramelessWindowHint);
    setGeometry(geometry);
    show();
    shown = QTest::qWaitForWindowExposed(this);
}

QImage PatternWindow::pattern(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) & 0xff, (y * 13) & 0xff, ((x + 2 * y) * 3) & 0xff));
    return image;
}

void PatternWindow::paintEvent(QPaintEvent*) {
    QImage picture = shownPicture();
    picture.setDevicePixelRatio(devicePixelRatio());
    QPainter(this).drawImage(0, 0, picture);
}
