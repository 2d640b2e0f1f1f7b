#include "platform/x11/x11ewmh.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> reply(T* raw) {
    return Reply<T>(raw, &std::free);
}

constexpr const char* atomNames[] = {
    "_NET_ACTIVE_WINDOW", "_NET_WM_NAME",
    "UTF8_STRING",        "_NET_SUPPORTING_WM_CHECK",
    "_NET_CLIENT_LIST",   "_NET_CLIENT_LIST_STACKING",
    "_NET_WM_STATE",      "_NET_WM_STATE_HIDDEN",
    "WM_STATE",
};
static_assert(std::size(atomNames) == X11Ewmh::NameCount);

constexpr std::uint32_t iconicState = 3;
// _NET_ACTIVE_WINDOW's source indication for pagers and taskbars, which the
// window manager obeys without its focus-stealing prevention.
constexpr std::uint32_t sourcePager = 2;

} // namespace

X11Ewmh::X11Ewmh(const QByteArray& displayName) {
    int screenNumber = 0;
    connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (!isConnected())
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    rootWindow = screens.data ? screens.data->root : XCB_NONE;
    xcb_intern_atom_cookie_t cookies[NameCount];
    for (int i = 0; i < NameCount; ++i)
        cookies[i] = xcb_intern_atom(connection, 0, std::strlen(atomNames[i]), atomNames[i]);
    for (int i = 0; i < NameCount; ++i)
        if (auto answer = reply(xcb_intern_atom_reply(connection, cookies[i], nullptr)))
            atoms[i] = answer->atom;
}

X11Ewmh::~X11Ewmh() {
    if (connection)
        xcb_disconnect(connection);
}

X11Ewmh::Property X11Ewmh::property(xcb_window_t window, xcb_atom_t name) {
    Property result;
    if (window == XCB_NONE || name == XCB_NONE)
        return result;
    auto answer = reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 16),
        nullptr));
    if (!answer)
        return result;
    result.type = answer->type;
    result.format = answer->format;
    result.bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(answer.get())),
                              xcb_get_property_value_length(answer.get()));
    return result;
}

std::vector<std::uint32_t> X11Ewmh::cardinals(xcb_window_t window, xcb_atom_t name) {
    const Property read = property(window, name);
    std::vector<std::uint32_t> values;
    if (read.format != 32)
        return values;
    values.resize(read.bytes.size() / 4);
    if (!values.empty())
        std::memcpy(values.data(), read.bytes.constData(), values.size() * 4);
    return values;
}

bool X11Ewmh::hasWindowManager() {
    const auto check = cardinals(rootWindow, atoms[SupportingWmCheck]);
    if (check.empty())
        return false;
    const auto self = cardinals(check[0], atoms[SupportingWmCheck]);
    return !self.empty() && self[0] == check[0];
}

std::vector<xcb_window_t> X11Ewmh::children(xcb_window_t window) {
    std::vector<xcb_window_t> found;
    if (auto tree =
            reply(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr))) {
        const xcb_window_t* first = xcb_query_tree_children(tree.get());
        found.assign(first, first + xcb_query_tree_children_length(tree.get()));
    }
    return found;
}

std::vector<xcb_window_t> X11Ewmh::clients(bool managed) {
    std::vector<xcb_window_t> found;
    if (managed) {
        found = cardinals(rootWindow, atoms[ClientListStacking]);
        if (found.empty())
            found = cardinals(rootWindow, atoms[ClientList]);
    } else {
        for (xcb_window_t child : children(rootWindow)) {
            auto attributes = reply(xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, child), nullptr));
            if (attributes && !attributes->override_redirect &&
                attributes->map_state == XCB_MAP_STATE_VIEWABLE)
                found.push_back(child);
        }
    }
    std::reverse(found.begin(), found.end());
    return found;
}

xcb_window_t X11Ewmh::topLevelOf(xcb_window_t window) {
    while (window != XCB_NONE && window != rootWindow) {
        auto tree =
            reply(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree)
            return XCB_NONE;
        if (tree->parent == rootWindow)
            return window;
        window = tree->parent;
    }
    return XCB_NONE;
}

xcb_window_t X11Ewmh::activeWindow(bool managed) {
    if (managed) {
        const auto active = cardinals(rootWindow, atoms[ActiveWindow]);
        return active.empty() ? XCB_NONE : active[0];
    }
    auto focus =
        reply(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    // None and PointerRoot (1) name no window.
    if (!focus || focus->focus <= XCB_INPUT_FOCUS_POINTER_ROOT)
        return XCB_NONE;
    return topLevelOf(focus->focus);
}

QString X11Ewmh::title(xcb_window_t window) {
    const auto text = [](QByteArray bytes) {
        // Some clients count the terminating NUL in.
        if (const qsizetype end = bytes.indexOf('\0'); end >= 0)
            bytes.truncate(end);
        return bytes;
    };
    // _NET_WM_NAME is UTF-8 whatever type a careless client gives it.
    if (QByteArray net = text(property(window, atoms[WmName]).bytes); !net.isEmpty())
        return QString::fromUtf8(net);
    const Property name = property(window, XCB_ATOM_WM_NAME);
    if (name.type == atoms[Utf8String])
        return QString::fromUtf8(text(name.bytes));
    // STRING is Latin-1; of COMPOUND_TEXT, what old clients still send, this
    // reads the ASCII part right.
    return QString::fromLatin1(text(name.bytes));
}

bool X11Ewmh::isMinimised(xcb_window_t window) {
    const auto states = cardinals(window, atoms[WmState]);
    if (std::find(states.begin(), states.end(), atoms[WmStateHidden]) != states.end())
        return true;
    const auto icccm = cardinals(window, atoms[IcccmWmState]);
    return !icccm.empty() && icccm[0] == iconicState;
}

bool X11Ewmh::hasState(xcb_window_t window) {
    return property(window, atoms[IcccmWmState]).type != XCB_NONE;
}

// The window manager sets WM_STATE on the clients it frames; the client is
// the frame itself or one of its descendants.
xcb_window_t X11Ewmh::clientUnderPointer() {
    auto pointer = reply(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, rootWindow), nullptr));
    if (!pointer || pointer->child == XCB_NONE)
        return XCB_NONE;
    std::vector<xcb_window_t> level{pointer->child};
    for (int depth = 0; depth < 4 && !level.empty(); ++depth) {
        std::vector<xcb_window_t> next;
        for (xcb_window_t window : level) {
            if (hasState(window))
                return window;
            for (xcb_window_t child : children(window))
                next.push_back(child);
        }
        level = std::move(next);
    }
    return pointer->child;
}

bool X11Ewmh::activate(xcb_window_t window, bool managed) {
    if (!managed) {
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        auto error = reply(xcb_request_check(
            connection, xcb_set_input_focus_checked(connection, XCB_INPUT_FOCUS_PARENT, window,
                                                    XCB_CURRENT_TIME)));
        return !error;
    }
    // Mapping an iconified client is how ICCCM asks to restore it.
    if (isMinimised(window))
        xcb_map_window(connection, window);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atoms[ActiveWindow];
    message.data.data32[0] = sourcePager;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = XCB_NONE;
    auto error = reply(xcb_request_check(
        connection, xcb_send_event_checked(connection, 0, rootWindow,
                                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                                               XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                                           reinterpret_cast<const char*>(&message))));
    return !error;
}

void X11Ewmh::selectEvents(xcb_window_t window, std::uint32_t mask) {
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
}
