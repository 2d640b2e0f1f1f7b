#include "platform/x11/x11monitors.h"

#ifdef KESTRUN_HAVE_XRANDR
#include <X11/extensions/Xrandr.h>
#endif

X11Monitors::X11Monitors(Display* display) : display(display) {
#ifdef KESTRUN_HAVE_XRANDR
    int events = 0, errors = 0, major = 0, minor = 0;
    listed = XRRQueryExtension(display, &events, &errors) &&
             XRRQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 5));
#endif
}

std::vector<QRect> X11Monitors::within(const QRect& root) const {
    std::vector<QRect> rectangles;
#ifdef KESTRUN_HAVE_XRANDR
    if (listed) {
        int count = 0;
        XRRMonitorInfo* monitors =
            XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
        for (int i = 0; i < count; ++i) {
            const QRect shown =
                root & QRect(monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height);
            if (!shown.isEmpty())
                rectangles.push_back(shown);
        }
        if (monitors)
            XRRFreeMonitors(monitors);
    }
#endif
    if (rectangles.empty())
        rectangles.push_back(root);
    return rectangles;
}
