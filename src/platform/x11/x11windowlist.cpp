#include "platform/x11/x11windowlist.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>

X11WindowList::X11WindowList(QByteArray displayName)
    : displayName(std::move(displayName)), ewmh(this->displayName) {}

QString X11WindowList::unavailableReason(bool japanese) const {
    if (ewmh.isConnected())
        return {};
    const QString display =
        QString::fromLocal8Bit(displayName.isEmpty() ? qgetenv("DISPLAY") : displayName);
    return japanese ? QStringLiteral("X ディスプレイ %1 に接続できません。").arg(display)
                    : QStringLiteral("The X display %1 cannot be reached.").arg(display);
}

std::vector<TopLevelWindow> X11WindowList::windows() {
    std::lock_guard lock(mutex);
    std::vector<TopLevelWindow> found;
    if (!ewmh.isConnected())
        return found;
    for (xcb_window_t window : ewmh.clients(ewmh.hasWindowManager()))
        if (QString title = ewmh.title(window); !title.isEmpty())
            found.push_back({window, std::move(title)});
    return found;
}

TopLevelWindow X11WindowList::activeWindow() {
    std::lock_guard lock(mutex);
    if (!ewmh.isConnected())
        return {};
    const xcb_window_t active = ewmh.activeWindow(ewmh.hasWindowManager());
    return {active, active ? ewmh.title(active) : QString()};
}

bool X11WindowList::activate(WindowHandle handle) {
    std::lock_guard lock(mutex);
    return ewmh.isConnected() &&
           ewmh.activate(static_cast<xcb_window_t>(handle), ewmh.hasWindowManager());
}

TopLevelWindow X11WindowList::windowUnderPointer() {
    std::lock_guard lock(mutex);
    if (!ewmh.isConnected())
        return {};
    const xcb_window_t window = ewmh.clientUnderPointer();
    return {window, window ? ewmh.title(window) : QString()};
}

std::unique_ptr<ActiveWindowWatch> X11WindowList::createActiveWindowWatch() {
    if (!ewmh.isConnected())
        return nullptr;
    return std::make_unique<X11ActiveWindowWatch>(displayName);
}

X11ActiveWindowWatch::X11ActiveWindowWatch(QByteArray displayName)
    : displayName(std::move(displayName)) {}

void X11ActiveWindowWatch::interrupt() {
    wake.raise();
}

bool X11ActiveWindowWatch::run(ActiveWindowListener& listener) {
    X11Ewmh ewmh(displayName);
    if (!wake.usable() || !ewmh.isConnected())
        return false;
    const bool managed = ewmh.hasWindowManager();
    constexpr std::uint32_t nameChanges = XCB_EVENT_MASK_PROPERTY_CHANGE;
    constexpr std::uint32_t focusChanges =
        XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_PROPERTY_CHANGE;
    if (managed) {
        ewmh.selectEvents(ewmh.root(), nameChanges);
    } else {
        // Focus events go to the windows it leaves and enters, never to the
        // root: every top-level window is watched, new ones as they come.
        ewmh.selectEvents(ewmh.root(), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
        for (xcb_window_t window : ewmh.children(ewmh.root()))
            ewmh.selectEvents(window, focusChanges);
    }

    xcb_window_t watched = XCB_NONE;
    TopLevelWindow reported;
    bool first = true;
    // The name is read after the window is watched, so no change between
    // the two is lost.
    const auto report = [&] {
        const xcb_window_t active = ewmh.activeWindow(managed);
        if (managed && active != watched) {
            if (watched != XCB_NONE)
                ewmh.selectEvents(watched, 0);
            if (active != XCB_NONE)
                ewmh.selectEvents(active, nameChanges);
            watched = active;
        }
        TopLevelWindow now{active, active ? ewmh.title(active) : QString()};
        if (first || now != reported)
            listener.activeWindowChanged(now);
        first = false;
        reported = std::move(now);
    };
    report();

    const xcb_atom_t names[] = {ewmh.atom(X11Ewmh::ActiveWindow), ewmh.atom(X11Ewmh::WmName),
                                XCB_ATOM_WM_NAME};
    pollfd watchedFds[] = {{xcb_get_file_descriptor(ewmh.xcb()), POLLIN, 0},
                           {wake.readEnd(), POLLIN, 0}};
    while (!wake.raised() && !xcb_connection_has_error(ewmh.xcb())) {
        bool changed = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(ewmh.xcb())) {
            switch (event->response_type & 0x7f) {
            case XCB_PROPERTY_NOTIFY: {
                const xcb_atom_t atom = reinterpret_cast<xcb_property_notify_event_t*>(event)->atom;
                changed |= std::find(std::begin(names), std::end(names), atom) != std::end(names);
                break;
            }
            case XCB_FOCUS_IN:
            case XCB_FOCUS_OUT:
                changed = true;
                break;
            case XCB_CREATE_NOTIFY:
                ewmh.selectEvents(reinterpret_cast<xcb_create_notify_event_t*>(event)->window,
                                  focusChanges);
                break;
            }
            std::free(event);
        }
        // Reading the names may have queued more events: drain them first.
        if (changed) {
            report();
            continue;
        }
        xcb_flush(ewmh.xcb());
        if (poll(watchedFds, 2, -1) < 0 && errno != EINTR)
            break;
    }
    return true;
}
