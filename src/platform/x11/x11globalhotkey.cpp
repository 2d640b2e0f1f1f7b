#include "platform/x11/x11globalhotkey.h"

#include <cstdlib>
#include <memory>

#include <QDebug>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
#include <xcb/xproto.h>

namespace {

constexpr xcb_keysym_t keysymLowerG = 0x67;
constexpr xcb_keysym_t keysymUpperG = 0x47;
constexpr xcb_keysym_t keysymNumLock = 0xff7f;
constexpr std::uint16_t ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
constexpr std::uint16_t modifierBits = 0xff;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Every keycode that carries one of the keysyms, in the server's present map.
std::vector<xcb_keycode_t> keycodesOf(xcb_connection_t* connection,
                                      std::initializer_list<xcb_keysym_t> wanted) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Reply<xcb_get_keyboard_mapping_reply_t> reply(
        xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr),
        &std::free);
    std::vector<xcb_keycode_t> found;
    if (!reply)
        return found;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int perKeycode = reply->keysyms_per_keycode;
    for (int index = 0; index < count; ++index)
        for (int column = 0; column < perKeycode; ++column)
            for (xcb_keysym_t keysym : wanted)
                if (keysyms[index * perKeycode + column] == keysym) {
                    found.push_back(static_cast<xcb_keycode_t>(setup->min_keycode + index));
                    column = perKeycode;
                    break;
                }
    return found;
}

// The modifier bit Num Lock sets, which varies between keyboard maps.
std::uint16_t numLockMask(xcb_connection_t* connection) {
    const std::vector<xcb_keycode_t> numLockKeys = keycodesOf(connection, {keysymNumLock});
    Reply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr),
        &std::free);
    if (!reply || numLockKeys.empty())
        return 0;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int slot = 0; slot < perModifier; ++slot)
            for (xcb_keycode_t key : numLockKeys)
                if (keycodes[modifier * perModifier + slot] == key)
                    return static_cast<std::uint16_t>(1u << modifier);
    return 0;
}

} // namespace

X11GlobalHotkey::~X11GlobalHotkey() {
    unregisterHotkey();
}

bool X11GlobalHotkey::registerHotkey() {
    if (registered)
        return true;
    xcb_connection_t* connection = qtConnection();
    const std::vector<xcb_keycode_t> keysOfG =
        connection ? keycodesOf(connection, {keysymLowerG, keysymUpperG})
                   : std::vector<xcb_keycode_t>{};
    if (keysOfG.empty()) {
        qWarning() << "RegisterHotKey failed.";
        return false;
    }
    keycode = keysOfG.front();
    const std::uint16_t numLock = numLockMask(connection);
    modifierVariants = {ctrlAlt, ctrlAlt | XCB_MOD_MASK_LOCK};
    if (numLock != 0) {
        modifierVariants.push_back(ctrlAlt | numLock);
        modifierVariants.push_back(ctrlAlt | numLock | XCB_MOD_MASK_LOCK);
    }
    roots.clear();
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
         xcb_screen_next(&screens))
        roots.push_back(screens.data->root);

    // Checked requests: BadAccess comes back here, not into Qt's error log.
    std::vector<xcb_void_cookie_t> cookies;
    for (std::uint32_t root : roots)
        for (std::uint16_t modifiers : modifierVariants)
            cookies.push_back(xcb_grab_key_checked(connection, 0, root, modifiers, keycode,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refused = false;
    for (xcb_void_cookie_t cookie : cookies)
        if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
            refused = true;
            std::free(error);
        }
    registered = true;
    if (refused) {
        // Another client owns the combination; give back what was taken.
        unregisterHotkey();
        qWarning() << "RegisterHotKey failed.";
        return false;
    }
    return true;
}

void X11GlobalHotkey::unregisterHotkey() {
    if (!registered)
        return;
    registered = false;
    xcb_connection_t* connection = qtConnection();
    if (!connection)
        return;
    for (std::uint32_t root : roots)
        for (std::uint16_t modifiers : modifierVariants)
            xcb_ungrab_key(connection, keycode, root, modifiers);
    // A round trip, so the key is free for other clients once this returns.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

bool X11GlobalHotkey::isHotkeyEvent(const QByteArray& eventType, void* message) const {
    if (!registered || eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->detail != keycode)
        return false;
    bool onRoot = false;
    for (std::uint32_t root : roots)
        onRoot = onRoot || press->event == root;
    const std::uint16_t modifiers = press->state & modifierBits;
    for (std::uint16_t variant : modifierVariants)
        if (onRoot && modifiers == variant)
            return true;
    return false;
}
