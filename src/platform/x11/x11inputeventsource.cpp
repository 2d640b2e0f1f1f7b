#include "platform/x11/x11inputeventsource.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>
#include <cstring>
#include <memory>
#include <set>

#include "platform/inputbackend.h"
#include "platform/x11/x11devicestate.h"
#include "platform/x11/x11rawinput.h"
#include "platform/x11/x11sentinput.h"

namespace {

// One watching session: the connection, the keyboard map and state, and
// what each key was named when it went down, so that its release is
// reported under the same name even if the layout changed meanwhile.
class RawEventReader {
public:
    RawEventReader(Display* display, int xiOpcode, int xkbEventBase, InputEventListener& listener,
                   X11SentInput* ownInput)
        : display(display), xiOpcode(xiOpcode), listener(listener), ownInput(ownInput),
          devices(display, xkbEventBase) {}

    void readInitialState();
    void handle(XEvent& event);

private:
    void keyChanged(int keycode, bool down);
    void buttonChanged(int button, bool down);
    void readXTestDevices();
    bool isOwn(const XIRawEvent& raw, int type);

    Display* display;
    int xiOpcode;
    InputEventListener& listener;
    X11SentInput* ownInput;
    std::set<int> xtestDevices;
    X11DeviceState devices;
    std::array<int, 256> keyNames{};
    // By virtual-key code.
    std::array<bool, vk::MButton + 1> buttonsDown{};
};

// The devices XTest input comes from, ours and every other program's.
void RawEventReader::readXTestDevices() {
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i)
        if (std::strstr(devices[i].name, "XTEST"))
            xtestDevices.insert(devices[i].deviceid);
    if (devices)
        XIFreeDeviceInfo(devices);
}

// Only XTest events can be this program's: a key the user presses on a
// keyboard always counts, whatever the run is sending.
bool RawEventReader::isOwn(const XIRawEvent& raw, int type) {
    if (!ownInput || !xtestDevices.count(raw.sourceid))
        return false;
    const bool key = type == XI_RawKeyPress || type == XI_RawKeyRelease;
    const bool down = type == XI_RawKeyPress || type == XI_RawButtonPress;
    return ownInput->takeBack(key ? X11SentInput::Device::Key : X11SentInput::Device::Button,
                              unsigned(raw.detail), down);
}

void RawEventReader::readInitialState() {
    readXTestDevices();
    devices.readInitial();
    char keys[32];
    XQueryKeymap(display, keys);
    for (int keycode = 0; keycode < 256; ++keycode)
        if ((keys[keycode / 8] >> (keycode % 8)) & 1)
            keyChanged(keycode, true);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY,
                  &mask);
    const std::pair<unsigned, int> buttons[] = {
        {Button1Mask, 1}, {Button2Mask, 2}, {Button3Mask, 3}};
    for (const auto& [buttonMask, logical] : buttons)
        if (mask & buttonMask) {
            const int code = X11PointerButtons::virtualKeyOfLogical(logical);
            buttonsDown[code] = true;
            listener.inputChanged(code, true);
        }
    listener.inputSynced();
}

void RawEventReader::keyChanged(int keycode, bool down) {
    if (keycode <= 0 || keycode > 255)
        return;
    int& name = keyNames[keycode];
    if (down) {
        // A repeat, or a second device pressing the same key, is no change.
        if (name != 0)
            return;
        devices.keyboardMap.refresh();
        name = devices.keyboardMap.virtualKeyOf(static_cast<KeyCode>(keycode), devices.group,
                                                devices.numLockOn());
        if (name != 0)
            listener.inputChanged(name, true);
    } else if (name != 0) {
        listener.inputChanged(std::exchange(name, 0), false);
    }
}

void RawEventReader::buttonChanged(int button, bool down) {
    const int code = devices.pointerButtons.virtualKeyOf(button);
    if (code == 0 || buttonsDown[code] == down)
        return;
    buttonsDown[code] = down;
    listener.inputChanged(code, down);
}

void RawEventReader::handle(XEvent& event) {
    if (event.type == GenericEvent && event.xcookie.extension == xiOpcode &&
        XGetEventData(display, &event.xcookie)) {
        const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
        // This program's own events match no case.
        const int type = isOwn(*raw, event.xcookie.evtype) ? 0 : event.xcookie.evtype;
        switch (type) {
        case XI_RawKeyPress:
            keyChanged(raw->detail, true);
            break;
        case XI_RawKeyRelease:
            keyChanged(raw->detail, false);
            break;
        case XI_RawButtonPress:
            buttonChanged(raw->detail, true);
            break;
        case XI_RawButtonRelease:
            buttonChanged(raw->detail, false);
            break;
        }
        XFreeEventData(display, &event.xcookie);
        return;
    }
    devices.follow(event);
}

} // namespace

X11InputEventSource::X11InputEventSource(QByteArray displayName,
                                         std::shared_ptr<X11SentInput> ownInput)
    : displayName(std::move(displayName)), ownInput(std::move(ownInput)) {}

void X11InputEventSource::interrupt() {
    wake.raise();
}

bool X11InputEventSource::run(InputEventListener& listener) {
    if (!wake.usable())
        return false;
    X11RawInputConnection connection(displayName);
    if (!connection.select(
            {XI_RawKeyPress, XI_RawKeyRelease, XI_RawButtonPress, XI_RawButtonRelease},
            XkbGroupStateMask | XkbModifierLockMask))
        return false;
    RawEventReader reader(connection.display(), connection.xiOpcode(), connection.xkbEventBase(),
                          listener, ownInput.get());
    reader.readInitialState();
    connection.dispatch(wake, [&](XEvent& event) { reader.handle(event); });
    return true;
}
