#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/screencapture.h"

// A desktop the test paints: an image placed at a desktop position of its
// choosing (left of and above the origin too). Grabs copy from it and are
// counted. Its watches wake when a change touches their area, as DAMAGE
// reports changes; with reportsChanges off they wake every 50 ms instead,
// as where the desktop cannot report them.
class FakeScreenCapture : public ScreenCapture {
public:
    FakeScreenCapture();

    QString unavailableReason(bool japanese) const override;
    QRect desktopArea() override;
    QImage grab(const QRect& area) override;
    std::unique_ptr<ScreenChangeWatch> createChangeWatch(const QRect& area) override;

    void setUnavailable(const QString& reason);
    void setReportsChanges(bool reports);
    // A black desktop of that rectangle.
    void setDesktop(const QRect& area);
    void draw(const QPoint& at, const QImage& picture);
    void fill(const QRect& area, const QColor& color);
    int grabs() const;

private:
    class Watch;
    using Clock = std::chrono::steady_clock;
    struct Change {
        int generation;
        QRect area;
    };

    void changed(const QRect& area);

    mutable std::mutex mutex;
    std::condition_variable woken;
    QString reason;
    bool reportsChanges = true;
    QImage desktop;
    QPoint origin;
    int grabCount = 0;
    int generation = 0;
    std::vector<Change> changes;
};
