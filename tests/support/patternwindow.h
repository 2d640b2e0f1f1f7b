#pragma once

#include <QImage>
#include <QRasterWindow>

// A frameless window that shows a picture whose every pixel differs from its
// neighbours, so that a capture one pixel off or with a channel swapped does
// not match it. The picture is drawn in physical pixels, unscaled whatever
// the display's scale.
class PatternWindow : public QRasterWindow {
public:
    // Shows the window at `geometry` and waits until it is on the screen.
    explicit PatternWindow(const QRect& geometry);

    static QImage pattern(const QSize& size);
    bool isShown() const { return shown; }
    // Where the picture's top-left pixel is on the desktop, at scale 1.
    QPoint desktopPosition() const { return mapToGlobal(QPoint(0, 0)); }
    QSize physicalSize() const { return (QSizeF(size()) * devicePixelRatio()).toSize(); }
    // The picture as shown, in physical pixels.
    QImage shownPicture() const { return pattern(physicalSize()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool shown = false;
};
