// Qt's headers go before Xlib's, whose macros would break them.
#include <QTest>

#include "run/timedoperations.h"
#include "x11testing.h"
#include "xevwindow.h"

#include <X11/XKBlib.h>
#include <algorithm>

void typeText(InputBackend& input, const QString& text, std::chrono::microseconds interval) {
    // A typing time of zero types nothing; the shortest one types at once.
    const double seconds = std::max(
        std::chrono::duration<double>(interval).count() * static_cast<double>(text.size()), 1e-9);
    StopSignal stop;
    timed::typeText(input, stop, text, seconds);
}

ServerView::ServerView() : connection(XOpenDisplay(nullptr)) {}

ServerView::~ServerView() {
    if (connection)
        XCloseDisplay(connection);
}

std::vector<KeySym> ServerView::keyboardMapping() const {
    int minKeycode = 0, maxKeycode = 0, columns = 0;
    XDisplayKeycodes(connection, &minKeycode, &maxKeycode);
    KeySym* map =
        XGetKeyboardMapping(connection, minKeycode, maxKeycode - minKeycode + 1, &columns);
    std::vector<KeySym> mapping(map, map + (maxKeycode - minKeycode + 1) * columns);
    XFree(map);
    return mapping;
}

std::vector<int> ServerView::keysDown() const {
    char keys[32];
    XQueryKeymap(connection, keys);
    std::vector<int> down;
    for (int keycode = 0; keycode < 256; ++keycode)
        if ((keys[keycode / 8] >> (keycode % 8)) & 1)
            down.push_back(keycode);
    return down;
}

bool ServerView::anyButtonDown() const {
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    XQueryPointer(connection, DefaultRootWindow(connection), &root, &child, &x, &y, &windowX,
                  &windowY, &mask);
    return mask & (Button1Mask | Button2Mask | Button3Mask);
}

bool ServerView::autoRepeats(int keycode) const {
    XKeyboardState state;
    XGetKeyboardControl(connection, &state);
    return (state.auto_repeats[keycode / 8] >> (keycode % 8)) & 1;
}

void ServerView::setLayout(const QString& layouts, int lockedGroup) {
    runTool("setxkbmap", {"-layout", layouts});
    XkbLockGroup(connection, XkbUseCoreKbd, lockedGroup);
    XSync(connection, False);
}
