#include "fakescreencapture.h"

#include <QPainter>

class FakeScreenCapture::Watch : public ScreenChangeWatch {
public:
    Watch(FakeScreenCapture& capture, const QRect& area) : capture(capture), area(area) {}

    bool waitForChange() override {
        std::unique_lock lock(capture.mutex);
        if (!first) {
            const auto earliest = lastReturn + std::chrono::milliseconds(50);
            if (capture.reportsChanges)
                capture.woken.wait(lock, [&] { return interrupted || changedSinceSeen(); });
            capture.woken.wait_until(lock, earliest, [&] { return interrupted; });
        }
        first = false;
        seen = capture.generation;
        lastReturn = Clock::now();
        return !interrupted;
    }

    void interrupt() override {
        {
            std::lock_guard lock(capture.mutex);
            interrupted = true;
        }
        capture.woken.notify_all();
    }

private:
    bool changedSinceSeen() const {
        for (const Change& change : capture.changes)
            if (change.generation > seen && change.area.intersects(area))
                return true;
        return false;
    }

    FakeScreenCapture& capture;
    const QRect area;
    bool first = true;
    bool interrupted = false;
    int seen = 0;
    Clock::time_point lastReturn;
};

FakeScreenCapture::FakeScreenCapture() {
    setDesktop(QRect(0, 0, 1920, 1080));
}

QString FakeScreenCapture::unavailableReason(bool) const {
    std::lock_guard lock(mutex);
    return reason;
}

QRect FakeScreenCapture::desktopArea() {
    std::lock_guard lock(mutex);
    return QRect(origin, desktop.size());
}

QImage FakeScreenCapture::grab(const QRect& area) {
    std::lock_guard lock(mutex);
    ++grabCount;
    const QRect part = area & QRect(origin, desktop.size());
    if (!reason.isEmpty() || part.isEmpty())
        return {};
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.drawImage(part.topLeft() - area.topLeft(), desktop, part.translated(-origin));
    return image;
}

std::unique_ptr<ScreenChangeWatch> FakeScreenCapture::createChangeWatch(const QRect& area) {
    if (!unavailableReason(false).isEmpty())
        return nullptr;
    return std::make_unique<Watch>(*this, area);
}

void FakeScreenCapture::setUnavailable(const QString& text) {
    std::lock_guard lock(mutex);
    reason = text;
}

void FakeScreenCapture::setReportsChanges(bool reports) {
    std::lock_guard lock(mutex);
    reportsChanges = reports;
}

void FakeScreenCapture::setDesktop(const QRect& area) {
    {
        std::lock_guard lock(mutex);
        desktop = QImage(area.size(), QImage::Format_RGB32);
        desktop.fill(Qt::black);
        origin = area.topLeft();
    }
    changed(area);
}

void FakeScreenCapture::draw(const QPoint& at, const QImage& picture) {
    {
        std::lock_guard lock(mutex);
        QPainter painter(&desktop);
        painter.drawImage(at - origin, picture);
    }
    changed(QRect(at, picture.size()));
}

void FakeScreenCapture::fill(const QRect& area, const QColor& color) {
    {
        std::lock_guard lock(mutex);
        QPainter painter(&desktop);
        painter.fillRect(area.translated(-origin), color);
    }
    changed(area);
}

int FakeScreenCapture::grabs() const {
    std::lock_guard lock(mutex);
    return grabCount;
}

void FakeScreenCapture::changed(const QRect& area) {
    {
        std::lock_guard lock(mutex);
        changes.push_back({++generation, area});
    }
    woken.notify_all();
}
