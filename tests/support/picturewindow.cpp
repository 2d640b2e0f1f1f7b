#include "picturewindow.h"

#include <QPainter>
#include <QTest>

#include "testpicture.h"

PictureWindow::PictureWindow(const QImage& image, QPoint position)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                           Qt::WindowStaysOnTopHint),
      image(image), position(position) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(QRect(position, image.size()));
}

QImage PictureWindow::testPicture(unsigned seed, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, 0xff000000u | testpicture::pixel(seed, x, y));
    return picture;
}

QImage PictureWindow::plain(QRgb color, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(color);
    return picture;
}

bool PictureWindow::showAndWait() {
    show();
    if (!QTest::qWaitForWindowExposed(this))
        return false;
    // Exposed is not yet painted: the first paint reaches the server within
    // the next event loop turns.
    QTest::qWait(50);
    return true;
}

void PictureWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}
