#include "platform/x11/x11damagewatch.h"

#include <X11/extensions/Xfixes.h>
#include <cerrno>
#include <poll.h>

#include "platform/x11/x11errortrap.h"

std::unique_ptr<X11DamageWatch> X11DamageWatch::open(const QByteArray& displayName,
                                                     const QRect& area) {
    Display* display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display)
        return nullptr;
    int damageEvents = 0, damageErrors = 0, fixesEvents = 0, fixesErrors = 0;
    int major = 1, minor = 1, fixesMajor = 2, fixesMinor = 0;
    // Regions came with XFixes 2; both versions are asked for, as the
    // servers want before the first request.
    if (!XDamageQueryExtension(display, &damageEvents, &damageErrors) ||
        !XDamageQueryVersion(display, &major, &minor) ||
        !XFixesQueryExtension(display, &fixesEvents, &fixesErrors) ||
        !XFixesQueryVersion(display, &fixesMajor, &fixesMinor) || fixesMajor < 2) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<X11DamageWatch>(new X11DamageWatch(display, damageEvents, area));
}

X11DamageWatch::X11DamageWatch(Display* display, int eventBase, const QRect& area)
    : display(display), trap(std::make_unique<X11ErrorTrap>(display)), eventBase(eventBase),
      area(area) {
    damage = XDamageCreate(display, DefaultRootWindow(display), XDamageReportNonEmpty);
    parts = XFixesCreateRegion(display, nullptr, 0);
    XFlush(display);
}

X11DamageWatch::~X11DamageWatch() {
    XFixesDestroyRegion(display, parts);
    XDamageDestroy(display, damage);
    XSync(display, False);
    trap.reset();
    XCloseDisplay(display);
}

bool X11DamageWatch::waitForChange() {
    if (wake.raised())
        return false;
    if (first) {
        // What changed before the first capture is in that capture.
        first = false;
        XDamageSubtract(display, damage, None, None);
        XSync(display, False);
        lastReturn = Clock::now();
        return true;
    }
    // Damage is taken no sooner than the gap after the last return, and at
    // most every takeGap: until it is taken the server sends nothing more,
    // so a screen that never rests wakes this thread only that often.
    bool notified = false;
    Clock::time_point nextTake = lastReturn + minimumGap;
    for (;;) {
        notified |= drainNotifications();
        const Clock::time_point now = Clock::now();
        if (notified && now >= nextTake) {
            notified = false;
            if (takeDamageInArea()) {
                lastReturn = Clock::now();
                return true;
            }
            nextTake = now + takeGap;
            continue;
        }
        if (!waitForEvents(notified ? std::optional(nextTake - now) : std::nullopt))
            return false;
    }
}

bool X11DamageWatch::drainNotifications() {
    bool notified = false;
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        notified |= event.type == eventBase + XDamageNotify;
    }
    return notified;
}

// Fetching the region is a round trip, so the server has emptied the damage
// before the caller captures: nothing drawn after that capture is lost.
bool X11DamageWatch::takeDamageInArea() {
    XDamageSubtract(display, damage, None, parts);
    int count = 0;
    XRectangle* rectangles = XFixesFetchRegion(display, parts, &count);
    bool inArea = false;
    for (int i = 0; i < count && !inArea; ++i)
        inArea = area.intersects(
            QRect(rectangles[i].x, rectangles[i].y, rectangles[i].width, rectangles[i].height));
    if (rectangles)
        XFree(rectangles);
    return inArea;
}

bool X11DamageWatch::waitForEvents(std::optional<Clock::duration> timeout) {
    pollfd watched[] = {{ConnectionNumber(display), POLLIN, 0}, {wake.readEnd(), POLLIN, 0}};
    int milliseconds = -1;
    if (timeout)
        milliseconds =
            static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*timeout).count());
    if (poll(watched, 2, milliseconds) < 0 && errno != EINTR)
        return false;
    return !wake.raised();
}
