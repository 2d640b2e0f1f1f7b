#pragma once

#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

// One connection to an X display and what the window manager publishes on it
// (EWMH), read through XCB: a window that vanishes midway gives an empty
// reply instead of a call to Xlib's process-wide error handler.
class X11Ewmh {
public:
    // The named display; empty means $DISPLAY.
    explicit X11Ewmh(const QByteArray& displayName);
    ~X11Ewmh();
    X11Ewmh(const X11Ewmh&) = delete;
    X11Ewmh& operator=(const X11Ewmh&) = delete;

    bool isConnected() const { return connection && !xcb_connection_has_error(connection); }
    xcb_connection_t* xcb() const { return connection; }
    xcb_window_t root() const { return rootWindow; }

    // Whether a window manager that follows EWMH runs: its check window
    // names itself.
    bool hasWindowManager();
    // Client windows, topmost first: the window manager's list, or without
    // one the root's mapped children.
    std::vector<xcb_window_t> clients(bool managed);
    // The active client: the window manager's, or without one the top-level
    // window that holds the keyboard focus. 0 when none.
    xcb_window_t activeWindow(bool managed);
    // _NET_WM_NAME in UTF-8, else WM_NAME.
    QString title(xcb_window_t window);
    bool isMinimised(xcb_window_t window);
    // The client window under the pointer, inside its frame.
    xcb_window_t clientUnderPointer();
    // As a pager asks the window manager; without one, raise and focus.
    bool activate(xcb_window_t window, bool managed);
    // The root's children, bottom first.
    std::vector<xcb_window_t> children(xcb_window_t window);
    void selectEvents(xcb_window_t window, std::uint32_t mask);

    enum Name {
        ActiveWindow,
        WmName,
        Utf8String,
        SupportingWmCheck,
        ClientList,
        ClientListStacking,
        WmState,
        WmStateHidden,
        IcccmWmState,
        NameCount
    };
    xcb_atom_t atom(Name name) const { return atoms[name]; }

private:
    struct Property {
        xcb_atom_t type = XCB_NONE;
        int format = 0;
        QByteArray bytes;
    };
    Property property(xcb_window_t window, xcb_atom_t name);
    std::vector<std::uint32_t> cardinals(xcb_window_t window, xcb_atom_t name);
    bool hasState(xcb_window_t window);
    xcb_window_t topLevelOf(xcb_window_t window);

    xcb_connection_t* connection = nullptr;
    xcb_window_t rootWindow = XCB_NONE;
    xcb_atom_t atoms[NameCount] = {};
};
