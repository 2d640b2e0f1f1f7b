#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <memory>
#include <optional>
#include <vector>

#include "app/frozendesktop.h"

class FrozenScreen;

// Shows a screenshot frozen over every screen, with a crosshair, and lets the
// user drag a rectangle over it, its size shown while dragging. Releasing the
// button takes the pixels under the rectangle; Escape, or a screen window
// closed from outside, cancels. Either way the windows go and the overlay
// deletes itself.
class ImageCaptureOverlay : public QObject {
    Q_OBJECT

public:
    explicit ImageCaptureOverlay(FrozenDesktop desktop, bool japanese);
    ~ImageCaptureOverlay() override;

    void show();
    const FrozenDesktop& desktop() const { return frozen; }
    // The rectangle being dragged, physical; empty while none is.
    QRect selection() const;

    // From the screen windows: the pointer's physical desktop positions.
    void press(const QPoint& position);
    void drag(const QPoint& position);
    void release(const QPoint& position);
    void cancel();

signals:
    void taken(const QImage& image);
    void cancelled();

private:
    void finish();

    FrozenDesktop frozen;
    bool japanese = true;
    std::optional<QPoint> pressed;
    QPoint current;
    std::vector<std::unique_ptr<FrozenScreen>> windows;
    bool finished = false;
};
