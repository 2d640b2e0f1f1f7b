#pragma once

// Qt's headers go before Xlib's, whose macros would break them.
#include <QRect>

#include <X11/Xlib.h>

#include <vector>

// Where the monitors show the root window, as RandR 1.5 lists them (those
// `xrandr --setmonitor` made too). Parts of the root between monitors of
// different sizes are seen by nobody.
class X11Monitors {
public:
    explicit X11Monitors(Display* display);

    // Each monitor's rectangle within `root`; the whole root where the
    // server lists no monitors.
    std::vector<QRect> within(const QRect& root) const;

private:
    Display* display;
    bool listed = false;
};
