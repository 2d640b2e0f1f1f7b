#pragma once

// Qt's headers go before Xlib's, whose macros would break them.
#include "platform/screencapture.h"
#include "platform/x11/wakepipe.h"

#include <QByteArray>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <memory>
#include <optional>

class X11ErrorTrap;

// Wakes when the DAMAGE extension reports that the root changed where the
// watched area is. The server sends one event until the damage is taken;
// taking it tells which rectangles changed. On a connection of its own, on
// which the wait blocks; a wake pipe ends it from another thread.
class X11DamageWatch : public ScreenChangeWatch {
public:
    static constexpr std::chrono::milliseconds minimumGap{50};
    // Damage outside the area is taken at most this often, so that a busy
    // corner elsewhere costs little.
    static constexpr std::chrono::milliseconds takeGap{10};

    // nullptr where the display cannot be opened or lacks DAMAGE.
    static std::unique_ptr<X11DamageWatch> open(const QByteArray& displayName, const QRect& area);
    ~X11DamageWatch() override;
    X11DamageWatch(const X11DamageWatch&) = delete;
    X11DamageWatch& operator=(const X11DamageWatch&) = delete;

    bool waitForChange() override;
    void interrupt() override { wake.raise(); }

private:
    using Clock = std::chrono::steady_clock;

    X11DamageWatch(Display* display, int eventBase, const QRect& area);
    bool drainNotifications();
    bool takeDamageInArea();
    bool waitForEvents(std::optional<Clock::duration> timeout);

    Display* display;
    std::unique_ptr<X11ErrorTrap> trap;
    const int eventBase;
    const QRect area;
    Damage damage = 0;
    XID parts = 0;
    WakePipe wake;
    bool first = true;
    Clock::time_point lastReturn;
};
