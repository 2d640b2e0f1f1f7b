#include "app/matchframe.h"

#include <QPalette>
#include <QTimer>
#include <QWidget>

void showMatchFrame(const QRect& rect, int milliseconds) {
    constexpr int width = 3;
    const QRect outer = rect.adjusted(-width, -width, width, width);
    const QRect edges[] = {
        {outer.left(), outer.top(), outer.width(), width},
        {outer.left(), rect.bottom() + 1, outer.width(), width},
        {outer.left(), rect.top(), width, rect.height()},
        {rect.right() + 1, rect.top(), width, rect.height()},
    };
    for (const QRect& edge : edges) {
        auto* bar =
            new QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                                     Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
        bar->setObjectName(QStringLiteral("match_frame"));
        bar->setAttribute(Qt::WA_DeleteOnClose);
        bar->setAttribute(Qt::WA_ShowWithoutActivating);
        QPalette red = bar->palette();
        red.setColor(QPalette::Window, Qt::red);
        bar->setPalette(red);
        bar->setAutoFillBackground(true);
        bar->setGeometry(edge);
        bar->show();
        QTimer::singleShot(milliseconds, bar, &QWidget::close);
    }
}
