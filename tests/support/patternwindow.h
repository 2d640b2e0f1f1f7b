#pragma once

#include <QImage>
#include <QRasterWindow>

// A frameless window that shows a picture whose every pixel differs from its
// neighbours, so that a capture one pixel off or with a channel swapped does
// not match it.
class PatternWindow : public QRasterWindow {
public:
    // Shows the window at `geometry` and waits until it is on the screen.
    explicit PatternWindow(const QRect& geometry);

    static QImage pattern(const QSize& size);
    bool isShown() const { return shown; }
    // Where the picture's top-left pixel is on the desktop.
    QPoint desktopPosition() const { return mapToGlobal(QPoint(0, 0)); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture;
    bool shown = false;
};
