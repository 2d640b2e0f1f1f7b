#include "app/imagecaptureoverlay.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "platform/platform.h"

// One screen's window: the screenshot's part on that screen, darkened but
// for the rectangle being dragged.
class FrozenScreen : public QWidget {
public:
    FrozenScreen(ImageCaptureOverlay& overlay, int index, bool japanese)
        : overlay(overlay), index(index), japanese(japanese) {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
        setCursor(Qt::CrossCursor);
        const ScreenArea& screen = overlay.desktop().screens().at(index);
        setGeometry(screen.geometry);
        setObjectName(QStringLiteral("frozen_screen_%1").arg(index));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const FrozenDesktop& desktop = overlay.desktop();
        painter.drawImage(rect(), desktop.shot(), desktop.shotPartOf(index));
        painter.fillRect(rect(), QColor(0, 0, 0, 60));
        const QRect selection = overlay.selection();
        if (selection.isEmpty())
            return;
        const QRectF shown = desktop.onScreen(selection, index);
        painter.drawImage(shown, desktop.shot(), desktop.inShot(selection));
        painter.setPen(QPen(Qt::red, 1));
        painter.drawRect(shown.adjusted(-1, -1, 0, 0));
        const QString size =
            japanese ? QStringLiteral("%1 × %2 ピクセル") : QStringLiteral("%1 × %2 pixels");
        painter.setPen(Qt::white);
        painter.fillRect(QRectF(shown.bottomLeft() + QPointF(0, 4), QSizeF(140, 20)),
                         QColor(0, 0, 0, 180));
        painter.drawText(QRectF(shown.bottomLeft() + QPointF(4, 4), QSizeF(136, 20)),
                         Qt::AlignVCenter, size.arg(selection.width()).arg(selection.height()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            overlay.press(pixelOf(event));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() & Qt::LeftButton)
            overlay.drag(pixelOf(event));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            overlay.release(pixelOf(event));
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            overlay.cancel();
    }
    void closeEvent(QCloseEvent*) override { overlay.cancel(); }

private:
    QPoint pixelOf(const QMouseEvent* event) const {
        return overlay.desktop().physicalPixel(event->globalPosition(),
                                               Platform::instance().input().cursorPosition());
    }

    ImageCaptureOverlay& overlay;
    int index;
    bool japanese;
};

ImageCaptureOverlay::ImageCaptureOverlay(FrozenDesktop desktop, bool japanese)
    : frozen(std::move(desktop)), japanese(japanese) {}

ImageCaptureOverlay::~ImageCaptureOverlay() = default;

void ImageCaptureOverlay::show() {
    for (int i = 0; i < frozen.screens().size(); ++i)
        windows.push_back(std::make_unique<FrozenScreen>(*this, i, japanese));
    for (const std::unique_ptr<FrozenScreen>& window : windows)
        window->show();
    // Escape reaches the window under the pointer, where the user looks.
    QWidget* focus = windows.front().get();
    for (const std::unique_ptr<FrozenScreen>& window : windows)
        if (window->geometry().contains(QCursor::pos()))
            focus = window.get();
    focus->raise();
    focus->activateWindow();
    focus->setFocus();
}

QRect ImageCaptureOverlay::selection() const {
    return pressed ? frozen.selection(*pressed, current) : QRect();
}

void ImageCaptureOverlay::press(const QPoint& position) {
    pressed = position;
    current = *pressed;
    for (const std::unique_ptr<FrozenScreen>& window : windows)
        window->update();
}

void ImageCaptureOverlay::drag(const QPoint& position) {
    if (!pressed)
        return;
    current = position;
    for (const std::unique_ptr<FrozenScreen>& window : windows)
        window->update();
}

// A click without a drag takes nothing: the user may press again.
void ImageCaptureOverlay::release(const QPoint& position) {
    if (!pressed || finished)
        return;
    current = position;
    const QRect chosen = selection();
    pressed.reset();
    if (chosen.width() < 2 || chosen.height() < 2) {
        for (const std::unique_ptr<FrozenScreen>& window : windows)
            window->update();
        return;
    }
    const QImage image = frozen.crop(chosen);
    finish();
    emit taken(image);
}

void ImageCaptureOverlay::cancel() {
    if (finished)
        return;
    finish();
    emit cancelled();
}

void ImageCaptureOverlay::finish() {
    finished = true;
    for (const std::unique_ptr<FrozenScreen>& window : windows)
        window->hide();
    deleteLater();
}
