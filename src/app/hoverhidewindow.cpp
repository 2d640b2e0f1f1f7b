#include "app/hoverhidewindow.h"

#include <QDebug>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "app/hoverplacement.h"
#include "app/screenpointer.h"

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

void HoverHideWindow::setSubject(Subject newSubject) {
    if (newSubject == subject)
        return;
    subject = newSubject;
    updateText();
}

void HoverHideWindow::updateText() {
    if (subject == Subject::Color) {
        hintLabel->setText(isJapanese ? QStringLiteral("マウスポインターの位置の色を取得中\n"
                                                       "Ctrl+Alt+Gを押してください。")
                                      : QStringLiteral("Getting the colour under the mouse pointer\n"
                                                       "Press Ctrl+Alt+G."));
        return;
    }
    if (subject == Subject::WindowTitle) {
        hintLabel->setText(
            isJapanese
                ? QStringLiteral("ウィンドウのタイトルを取得中\nCtrl+Alt+Gを押してください。")
                : QStringLiteral("Getting the window title\nPress Ctrl+Alt+G."));
        return;
    }
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

void HoverHideWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HoverHideWindow::placeInCorner() {
    move(bottomRightPlacement(availableAreaAt(pointerPosition()), size(), screenMargin));
}

QRect HoverHideWindow::keptInsideScreen(const QRect& rect) const {
    return bringInside(rect, availableAreaAt(rect.center()), screenMargin);
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
