#pragma once

// Qt's headers go before Xlib's, whose macros would break them.
#include "platform/codeunitjoiner.h"
#include "platform/idletrigger.h"
#include "platform/inputbackend.h"
#include "platform/x11/x11sentinput.h"

#include <X11/Xlib.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

class X11AutoRepeat;
class X11KeyboardMap;
class X11SpareKeycodes;

// Input synthesis on an X display through XTest, with its own connection that
// one mutex guards, so every thread may call it at once. Characters the
// keyboard map lacks are typed through spare keys lent in rotation; their
// keysyms are taken back once typing has paused and when the backend goes.
class X11InputBackend : public InputBackend {
public:
    // How long typing must pause before the lent keys are emptied again.
    static constexpr std::chrono::milliseconds restoreDelay{1000};
    // Clients read the map only when they handle a key event, which may come
    // well after it was sent: at the end the lent keys are emptied no sooner
    // than this after their last use.
    static constexpr std::chrono::milliseconds finalSettleTime{300};

    // Opens the named display (DISPLAY when null).
    explicit X11InputBackend(const char* displayName = nullptr);
    ~X11InputBackend() override;
    X11InputBackend(const X11InputBackend&) = delete;
    X11InputBackend& operator=(const X11InputBackend&) = delete;

    bool canSynthesize() const override { return usable; }
    QPoint cursorPosition() override;
    void setCursorPosition(int x, int y) override;
    bool sendMouseButton(MouseButton button, bool down) override;
    bool sendKey(int virtualKey, bool down) override;
    bool pressKeyFor(int virtualKey, std::chrono::milliseconds hold) override;
    bool sendUnicodeUnit(char16_t unit, bool down) override;
    void endTyping() override;
    bool isKeyDown(int virtualKey) override;

    // What this backend sent, for an event source to tell it from the rest.
    std::shared_ptr<X11SentInput> sentInput() const { return sent; }

private:
    using Lock = std::unique_lock<std::mutex>;

    struct HeldKey {
        KeyCode keycode = 0;
        bool repeatSuppressed = false;
    };

    // A hold this much shorter than the repeat delay may still outlast it.
    static constexpr std::chrono::milliseconds repeatMargin{100};

    void pressVirtualKey(int virtualKey, bool heldLong);
    void releaseVirtualKey(int virtualKey);
    KeyCode keycodeForVirtualKey(int virtualKey, Lock& lock);
    void catchUpWithServer();
    KeyCode keycodeForKeysym(KeySym keysym, Lock& lock);
    KeyCode pressCharacter(char32_t character, Lock& lock);
    KeyCode lendSpare(KeySym keysym, Lock& lock);
    void press(KeyCode keycode);
    void release(KeyCode keycode);
    bool isOurs(KeyCode keycode) const;
    void restoreLentKeys();

    mutable std::mutex mutex;
    Display* display = nullptr;
    bool usable = false;
    int xkbEventBase = 0;
    std::unique_ptr<X11KeyboardMap> keyboardMap;
    std::unique_ptr<X11SpareKeycodes> spares;
    std::unique_ptr<X11AutoRepeat> autoRepeat;
    std::map<KeyCode, int> pressed;
    std::set<unsigned> pressedButtons;
    std::map<int, HeldKey> heldVirtualKeys;
    std::chrono::milliseconds repeatDelay{660};
    std::map<std::pair<std::thread::id, char16_t>, KeyCode> heldUnits;
    std::map<std::thread::id, CodeUnitJoiner> joiners;
    std::unique_ptr<IdleTrigger> restoreTrigger;
    std::shared_ptr<X11SentInput> sent = std::make_shared<X11SentInput>();
};
