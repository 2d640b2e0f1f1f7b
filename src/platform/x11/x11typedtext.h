#pragma once

#include <QString>

// Xlib's KeySym, declared without <X11/X.h> (see x11keymap.h).
typedef unsigned long KeySym;

struct xkb_context;
struct xkb_compose_table;
struct xkb_compose_state;

// What a sequence of key presses types: each press's keysym as a character,
// dead keys and Multi_key sequences composed through the compose table of
// the user's locale, as X clients compose them.
class X11TypedText {
public:
    X11TypedText();
    ~X11TypedText();
    X11TypedText(const X11TypedText&) = delete;
    X11TypedText& operator=(const X11TypedText&) = delete;

    // The characters a press with this keysym types; empty for a key that
    // types nothing, a dead key waiting for the next one, and a sequence
    // the table does not know. With Control held (and not used up by the
    // key's level) a letter types its control character, as on Windows.
    QString pressed(KeySym keysym, bool control);

private:
    xkb_context* context = nullptr;
    xkb_compose_table* table = nullptr;
    xkb_compose_state* state = nullptr;
};
