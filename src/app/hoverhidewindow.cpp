#include "app/hoverhidewindow.h"

#include <QDebug>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/hoverplacement.h"
#include "platform/platform.h"

namespace {

QRect availableAreaAt(const QPoint& point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

HoverHideWindow::HoverHideWindow(int hideDistance, int screenMargin, QWidget* parent,
                                 bool isJapanese)
    : QWidget(parent), hideDistance(hideDistance), screenMargin(screenMargin),
      isJapanese(isJapanese) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    resize(320, 100);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    hintLabel = new QLabel(this);
    hintLabel->setAlignment(Qt::AlignCenter);
    hintLabel->setStyleSheet(QStringLiteral("font-size:24px;"));
    layout->addWidget(hintLabel);
    updateText();

    checkTimer = new QTimer(this);
    connect(checkTimer, &QTimer::timeout, this, &HoverHideWindow::checkCursor);
    checkTimer->start(100);

    placeInCorner();
}

void HoverHideWindow::setJapanese(bool japanese) {
    if (japanese == isJapanese)
        return;
    isJapanese = japanese;
    updateText();
}

void HoverHideWindow::updateText() {
    hintLabel->setText(
        isJapanese ? QStringLiteral("マウスポインターの座標を取得中\nCtrl+Alt+Gを押してください。")
                   : QStringLiteral("Getting mouse pointer coordinates\nPress Ctrl+Alt+G."));
}

void HoverHideWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (lastGeometry.isNull())
        placeInCorner();
    else
        move(keptInsideScreen(lastGeometry).topLeft());
}

void HoverHideWindow::placeInCorner() {
    move(bottomRightPlacement(availableAreaAt(pointerPosition()), size(), screenMargin));
}

QRect HoverHideWindow::keptInsideScreen(const QRect& rect) const {
    return bringInside(rect, availableAreaAt(rect.center()), screenMargin);
}

// The input backend reads native pixels, the same units the coordinates are
// written and replayed in; the window and screen geometry are in Qt's
// device-independent pixels. Converting the pointer, per the screen it is on,
// keeps the corner placement and the distance test right on scaled displays
// and across monitors with different scales.
QPoint HoverHideWindow::pointerPosition() {
    QList<ScreenArea> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.append({primary->geometry(), primary->devicePixelRatio()});
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append({screen->geometry(), screen->devicePixelRatio()});
    return toDeviceIndependent(Platform::instance().input().cursorPosition(), screens);
}

void HoverHideWindow::checkCursor() {
    const QPoint pointer = pointerPosition();
    if (isVisible()) {
        if (isNear(frameGeometry(), pointer, hideDistance)) {
            lastGeometry = frameGeometry();
            hiddenByCursor = true;
            hide();
            qDebug("hidden (cursor near)");
        }
    } else if (hiddenByCursor && !isNear(lastGeometry, pointer, hideDistance)) {
        move(keptInsideScreen(lastGeometry).topLeft());
        show();
        hiddenByCursor = false;
        qDebug("shown (cursor moved away from last position)");
    }
}
