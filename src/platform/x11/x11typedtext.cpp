#include "platform/x11/x11typedtext.h"

#include <QByteArray>

#include <X11/keysym.h>
#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <array>
#include <cstdlib>

namespace {

// The locale whose compose table applies, where libX11 looks for it.
QByteArray userLocale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return "C";
}

xkb_compose_table* composeTable(xkb_context* context) {
    const QByteArray locale = userLocale();
    // The C locale's table composes Latin-1 only; a UTF-8 one composes all.
    const bool plain = locale == "C" || locale == "POSIX";
    xkb_compose_table* table =
        plain ? nullptr
              : xkb_compose_table_new_from_locale(context, locale.constData(),
                                                  XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (!table)
        table =
            xkb_compose_table_new_from_locale(context, "en_US.UTF-8", XKB_COMPOSE_COMPILE_NO_FLAGS);
    return table;
}

QString ownCharacter(KeySym keysym, bool control) {
    // Delete types nothing on Windows; xkbcommon would give DEL.
    if (keysym == XK_Delete || keysym == XK_KP_Delete)
        return {};
    char32_t character = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    if (character == 0)
        return {};
    if (control && character >= 0x40 && character < 0x80)
        character &= 0x1f;
    return QString::fromUcs4(&character, 1);
}

} // namespace

X11TypedText::X11TypedText() : context(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
    if (context)
        table = composeTable(context);
    if (table)
        state = xkb_compose_state_new(table, XKB_COMPOSE_STATE_NO_FLAGS);
}

X11TypedText::~X11TypedText() {
    xkb_compose_state_unref(state);
    xkb_compose_table_unref(table);
    xkb_context_unref(context);
}

QString X11TypedText::pressed(KeySym keysym, bool control) {
    // Modifiers neither type nor interrupt a sequence.
    if (!state || xkb_compose_state_feed(state, static_cast<xkb_keysym_t>(keysym)) ==
                      XKB_COMPOSE_FEED_IGNORED)
        return ownCharacter(keysym, control);
    switch (xkb_compose_state_get_status(state)) {
    case XKB_COMPOSE_COMPOSING:
        return {};
    case XKB_COMPOSE_COMPOSED: {
        std::array<char, 64> composed{};
        xkb_compose_state_get_utf8(state, composed.data(), composed.size());
        xkb_compose_state_reset(state);
        return QString::fromUtf8(composed.data());
    }
    case XKB_COMPOSE_CANCELLED:
        xkb_compose_state_reset(state);
        return {};
    case XKB_COMPOSE_NOTHING:
        break;
    }
    return ownCharacter(keysym, control);
}
