#include "platform/x11/x11inputrecording.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <array>

#include "platform/eventclock.h"
#include "platform/inputbackend.h"
#include "platform/x11/x11keyboardmap.h"
#include "platform/x11/x11rawinput.h"
#include "platform/x11/x11typedtext.h"

namespace {

// One recording session over its connection: the keyboard map and state as
// the server last reported them, and what each key was named at its press,
// so that its release keeps the name even if the layout changed meanwhile.
class RecordingReader {
public:
    RecordingReader(const X11RawInputConnection& connection, InputRecordingListener& listener)
        : display(connection.display()), xiOpcode(connection.xiOpcode()),
          xkbEventBase(connection.xkbEventBase()), listener(listener), keyboardMap(display) {}

    void readInitialState();
    void handle(XEvent& event);

private:
    void keyChanged(const XIRawEvent& raw, bool down);
    void buttonChanged(const XIRawEvent& raw, bool down);
    void pointerMoved(const XIRawEvent& raw);
    bool anotherMotionPending();
    void report(RecordedInput::Kind kind, unsigned long time, int code, QString text = {});
    bool numLockOn() const { return lockedMods & XkbKeysymToModifiers(display, XK_Num_Lock); }

    Display* display;
    int xiOpcode;
    int xkbEventBase;
    InputRecordingListener& listener;
    X11KeyboardMap keyboardMap;
    X11TypedText typedText;
    X11PointerButtons pointerButtons;
    // The keyboard state as the server's last notification gave it: the
    // server sends the change a modifier makes before the next key's event.
    int group = 0;
    unsigned mods = 0;
    unsigned lockedMods = 0;
    std::array<int, 256> keyNames{};
    // By virtual-key code.
    std::array<bool, vk::MButton + 1> buttonsDown{};
    QPoint lastMove{-1, -1};
    EventClock serverClock;
};

void RecordingReader::readInitialState() {
    XkbStateRec state;
    XkbGetState(display, XkbUseCoreKbd, &state);
    group = state.group;
    mods = state.lookup_mods;
    lockedMods = state.locked_mods;
    pointerButtons.readMapping(display);
    keyboardMap.refresh();
}

void RecordingReader::report(RecordedInput::Kind kind, unsigned long time, int code, QString text) {
    RecordedInput input;
    input.kind = kind;
    input.timeMs = serverClock.read(quint32(time));
    input.virtualKey = code;
    input.text = std::move(text);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY,
                  &mask);
    input.position = QPoint(rootX, rootY);
    if (kind == RecordedInput::Kind::PointerMove) {
        if (input.position == lastMove)
            return;
        lastMove = input.position;
    }
    listener.recorded(input);
}

void RecordingReader::keyChanged(const XIRawEvent& raw, bool down) {
    const int keycode = raw.detail;
    if (keycode <= 0 || keycode > 255)
        return;
    int& name = keyNames[keycode];
    if (!down) {
        if (name != 0)
            report(RecordedInput::Kind::KeyUp, raw.time, std::exchange(name, 0));
        return;
    }
    if (name != 0)
        return;
    keyboardMap.refresh();
    name = keyboardMap.virtualKeyOf(static_cast<KeyCode>(keycode), group, numLockOn());
    unsigned consumed = 0;
    const KeySym keysym =
        keyboardMap.keysymOf(static_cast<KeyCode>(keycode), group, mods, consumed);
    QString text = typedText.pressed(keysym, mods & ~consumed & ControlMask);
    if (name != 0)
        report(RecordedInput::Kind::KeyDown, raw.time, name, std::move(text));
}

void RecordingReader::buttonChanged(const XIRawEvent& raw, bool down) {
    const int code = pointerButtons.virtualKeyOf(raw.detail);
    if (code == 0 || buttonsDown[code] == down)
        return;
    buttonsDown[code] = down;
    report(down ? RecordedInput::Kind::ButtonDown : RecordedInput::Kind::ButtonUp, raw.time, code);
}

// A burst of motion is read as one move to where it ends: each reading of
// the position is a round trip to the server.
bool RecordingReader::anotherMotionPending() {
    if (XPending(display) == 0)
        return false;
    XEvent next;
    XPeekEvent(display, &next);
    return next.type == GenericEvent && next.xcookie.extension == xiOpcode &&
           next.xcookie.evtype == XI_RawMotion;
}

void RecordingReader::pointerMoved(const XIRawEvent& raw) {
    if (!anotherMotionPending())
        report(RecordedInput::Kind::PointerMove, raw.time, 0);
}

void RecordingReader::handle(XEvent& event) {
    if (event.type == GenericEvent && event.xcookie.extension == xiOpcode &&
        XGetEventData(display, &event.xcookie)) {
        const auto& raw = *static_cast<const XIRawEvent*>(event.xcookie.data);
        switch (event.xcookie.evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            keyChanged(raw, event.xcookie.evtype == XI_RawKeyPress);
            break;
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            buttonChanged(raw, event.xcookie.evtype == XI_RawButtonPress);
            break;
        case XI_RawMotion:
            pointerMoved(raw);
            break;
        }
        XFreeEventData(display, &event.xcookie);
        return;
    }
    if (event.type == MappingNotify) {
        if (event.xmapping.request == MappingPointer)
            pointerButtons.readMapping(display);
        return;
    }
    if (xkbEventBase && event.type == xkbEventBase) {
        const auto& xkb = reinterpret_cast<const XkbAnyEvent&>(event);
        if (xkb.xkb_type == XkbStateNotify) {
            const auto& state = reinterpret_cast<const XkbStateNotifyEvent&>(event);
            group = state.group;
            mods = state.lookup_mods;
            lockedMods = state.locked_mods;
        } else {
            keyboardMap.invalidate();
        }
    }
}

} // namespace

X11InputRecording::X11InputRecording(QByteArray displayName)
    : displayName(std::move(displayName)) {}

bool X11InputRecording::run(InputRecordingListener& listener) {
    if (!wake.usable())
        return false;
    X11RawInputConnection connection(displayName);
    if (!connection.select({XI_RawKeyPress, XI_RawKeyRelease, XI_RawButtonPress,
                            XI_RawButtonRelease, XI_RawMotion},
                           XkbAllStateComponentsMask))
        return false;
    RecordingReader reader(connection, listener);
    reader.readInitialState();
    connection.dispatch(wake, [&](XEvent& event) { reader.handle(event); });
    return true;
}
