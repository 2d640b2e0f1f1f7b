#include "platform/x11/x11inputrecording.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>

#include "platform/eventclock.h"
#include "platform/inputbackend.h"
#include "platform/x11/x11devicestate.h"
#include "platform/x11/x11rawinput.h"
#include "platform/x11/x11typedtext.h"

namespace {

// One recording session over its connection: the keyboard map and state as
// the server last reported them, and what each key was named at its press,
// so that its release keeps the name even if the layout changed meanwhile.
class RecordingReader {
public:
    RecordingReader(const X11RawInputConnection& connection, InputRecordingListener& listener)
        : display(connection.display()), xiOpcode(connection.xiOpcode()), listener(listener),
          devices(display, connection.xkbEventBase()) {}

    void readInitialState();
    void handle(XEvent& event);

private:
    void keyChanged(const XIRawEvent& raw, bool down);
    void buttonChanged(const XIRawEvent& raw, bool down);
    void pointerMoved(const XIRawEvent& raw);
    bool anotherMotionPending();
    void report(RecordedInput::Kind kind, unsigned long time, int code, QString text = {});

    Display* display;
    int xiOpcode;
    InputRecordingListener& listener;
    X11DeviceState devices;
    X11TypedText typedText;
    std::array<int, 256> keyNames{};
    // By virtual-key code.
    std::array<bool, vk::MButton + 1> buttonsDown{};
    QPoint lastMove{-1, -1};
    EventClock serverClock;
};

void RecordingReader::readInitialState() {
    devices.readInitial();
    devices.keyboardMap.refresh();
}

void RecordingReader::report(RecordedInput::Kind kind, unsigned long time, int code, QString text) {
    RecordedInput input;
    input.kind = kind;
    input.timeMs = serverClock.read(quint32(time));
    input.virtualKey = code;
    input.text = std::move(text);
    // A round trip to the server, so only for the events that carry a place.
    if (kind != RecordedInput::Kind::KeyDown && kind != RecordedInput::Kind::KeyUp) {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned mask = 0;
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX,
                      &winY, &mask);
        input.position = QPoint(rootX, rootY);
    }
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
    devices.keyboardMap.refresh();
    const auto code = static_cast<KeyCode>(keycode);
    name = devices.keyboardMap.virtualKeyOf(code, devices.group, devices.numLockOn());
    unsigned consumed = 0;
    const KeySym keysym = devices.keyboardMap.keysymOf(code, devices.group, devices.mods, consumed);
    QString text = typedText.pressed(keysym, devices.mods & ~consumed & ControlMask);
    if (name != 0)
        report(RecordedInput::Kind::KeyDown, raw.time, name, std::move(text));
}

void RecordingReader::buttonChanged(const XIRawEvent& raw, bool down) {
    const int code = devices.pointerButtons.virtualKeyOf(raw.detail);
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
    devices.follow(event);
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
