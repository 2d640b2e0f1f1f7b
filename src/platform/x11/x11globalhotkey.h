#pragma once

#include <cstdint>
#include <vector>

#include "platform/globalhotkey.h"

// Ctrl+Alt+G on X11: a passive grab of the key on every root window, made on
// Qt's own connection so the key press arrives among Qt's native events as an
// "xcb_generic_event_t". Grabbed also with Caps Lock and Num Lock on, which X
// counts as modifiers.
class X11GlobalHotkey : public GlobalHotkey {
public:
    ~X11GlobalHotkey() override;

    bool registerHotkey() override;
    void unregisterHotkey() override;
    bool isHotkeyEvent(const QByteArray& eventType, void* message) const override;

private:
    void ungrabAll();

    std::vector<std::uint32_t> roots;
    std::vector<std::uint16_t> modifierVariants;
    std::uint8_t keycode = 0;
    bool registered = false;
};
