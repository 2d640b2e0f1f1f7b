#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

// A window without frame that shows one image, pixel for pixel, with its top
// left corner at a desktop position: what a search on the screen is to find.
class PictureWindow : public QWidget {
public:
    PictureWindow(const QImage& image, QPoint position);

    // The picture of testpicture::pixel for a seed.
    static QImage testPicture(unsigned seed, QSize size = QSize(64, 64));
    // A plain colour, for the colour condition.
    static QImage plain(QRgb color, QSize size);

    // Shows it and waits until the X server has it on the screen.
    bool showAndWait();
    QRect pictureRect() const { return QRect(position, image.size()); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage image;
    QPoint position;
};
