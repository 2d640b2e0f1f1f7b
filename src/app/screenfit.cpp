#include "app/screenfit.h"

#include <algorithm>

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>

ScreenFit::ScreenFit(QMainWindow* window, QSize size)
    : QObject(window), window(window), size(size) {
    fit(false);
    QRect placed(QPoint(), window->size());
    placed.moveCenter(room().center());
    window->move(placed.topLeft());
    window->installEventFilter(this);
}

QRect ScreenFit::room() const {
    const QWindow* handle = window->windowHandle();
    return window->screen()->availableGeometry() - (handle ? handle->frameMargins() : QMargins());
}

void ScreenFit::fit(bool keepInside) {
    const QRect free = room();
    if (!area && (size.width() > free.width() || size.height() > free.height()))
        startScrolling();
    if (area) {
        // A scroll bar takes room from the other direction.
        const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
        bool vertical = size.height() > free.height();
        const bool horizontal = size.width() + (vertical ? bar : 0) > free.width();
        vertical = vertical || size.height() + (horizontal ? bar : 0) > free.height();
        const QSize needed = size + QSize(vertical ? bar : 0, horizontal ? bar : 0);
        const QSize fitted = needed.boundedTo(free.size());
        if (window->size() != fitted)
            window->setFixedSize(fitted);
    }
    if (!keepInside)
        return;
    const QRect frame = window->frameGeometry();
    const QRect available = window->screen()->availableGeometry();
    const QPoint inside(
        std::clamp(frame.x(), available.left(),
                   std::max(available.left(), available.right() + 1 - frame.width())),
        std::clamp(frame.y(), available.top(),
                   std::max(available.top(), available.bottom() + 1 - frame.height())));
    if (inside != frame.topLeft())
        window->move(inside);
}

void ScreenFit::startScrolling() {
    content = new QWidget;
    content->setFixedSize(size);
    menuBar = window->menuBar();
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == menuBar || child->isWindow())
            continue;
        // A new parent hides a widget; it keeps its place and its visibility.
        const bool hidden = child->isHidden();
        child->setParent(content);
        child->setHidden(hidden);
    }
    holder = new QWidget;
    content->setParent(holder);
    area = new QScrollArea;
    area->setObjectName(QStringLiteral("scroll_area"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(holder);
    window->setCentralWidget(area);
    menuBar->installEventFilter(this);
    placeContent();
}

void ScreenFit::placeContent() {
    const int top = menuBar->isHidden() ? 0 : std::min(menuBar->height(), size.height());
    holder->setFixedSize(size.width(), size.height() - top);
    content->move(0, -top);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == window) {
        if (type == QEvent::Show) {
            if (!watchingScreens && window->windowHandle()) {
                watchingScreens = true;
                connect(window->windowHandle(), &QWindow::screenChanged, this,
                        [this] { fit(true); });
            }
            fit(true);
        } else if (type == QEvent::Move) {
            // The frame's size is known once the desktop has framed the window.
            fit(false);
        }
    } else if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Resize) {
        placeContent();
    }
    return QObject::eventFilter(watched, event);
}
