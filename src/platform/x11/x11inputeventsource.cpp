#include "platform/x11/x11inputeventsource.h"

#include <QDebug>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "platform/inputbackend.h"
#include "platform/x11/x11keyboardmap.h"
#include "platform/x11/x11sentinput.h"

namespace {

// One watching session: the connection, the keyboard map and state, and
// what each key was named when it went down, so that its release is
// reported under the same name even if the layout changed meanwhile.
class RawEventReader {
public:
    RawEventReader(Display* display, int xiOpcode, int xkbEventBase, InputEventListener& listener,
                   X11SentInput* ownInput)
        : display(display), xiOpcode(xiOpcode), xkbEventBase(xkbEventBase), listener(listener),
          ownInput(ownInput), keyboardMap(display) {}

    void readInitialState();
    void handle(XEvent& event);

private:
    void keyChanged(int keycode, bool down);
    void buttonChanged(int button, bool down);
    void readPointerMapping();
    void readXTestDevices();
    bool isOwn(const XIRawEvent& raw, int type);
    bool numLockOn() const { return lockedMods & XkbKeysymToModifiers(display, XK_Num_Lock); }

    Display* display;
    int xiOpcode;
    int xkbEventBase;
    InputEventListener& listener;
    X11SentInput* ownInput;
    std::set<int> xtestDevices;
    X11KeyboardMap keyboardMap;
    int group = 0;
    unsigned lockedMods = 0;
    std::array<int, 256> keyNames{};
    std::array<bool, 4> buttonsDown{};
    std::vector<unsigned char> pointerMapping;
};

int virtualKeyOfButton(int logicalButton) {
    switch (logicalButton) {
    case 1:
        return vk::LButton;
    case 2:
        return vk::MButton;
    case 3:
        return vk::RButton;
    default:
        return 0;
    }
}

void RawEventReader::readPointerMapping() {
    pointerMapping.assign(256, 0);
    const int count = XGetPointerMapping(display, pointerMapping.data(), 256);
    pointerMapping.resize(std::max(count, 0));
}

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
    XkbStateRec state;
    XkbGetState(display, XkbUseCoreKbd, &state);
    group = state.group;
    lockedMods = state.locked_mods;
    readPointerMapping();
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
            buttonsDown[logical] = true;
            listener.inputChanged(virtualKeyOfButton(logical), true);
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
        keyboardMap.refresh();
        name = keyboardMap.virtualKeyOf(static_cast<KeyCode>(keycode), group, numLockOn());
        if (name != 0)
            listener.inputChanged(name, true);
    } else if (name != 0) {
        listener.inputChanged(std::exchange(name, 0), false);
    }
}

void RawEventReader::buttonChanged(int button, bool down) {
    // Raw events give the device's button; the pointer mapping makes it the
    // logical one (a left-handed mouse swaps 1 and 3).
    const int logical =
        button > 0 && button <= int(pointerMapping.size()) ? pointerMapping[button - 1] : button;
    const int code = virtualKeyOfButton(logical);
    if (code == 0 || buttonsDown[logical] == down)
        return;
    buttonsDown[logical] = down;
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
    if (event.type == MappingNotify) {
        if (event.xmapping.request == MappingPointer)
            readPointerMapping();
        return;
    }
    if (xkbEventBase && event.type == xkbEventBase) {
        const auto& xkb = reinterpret_cast<const XkbAnyEvent&>(event);
        if (xkb.xkb_type == XkbStateNotify) {
            const auto& state = reinterpret_cast<const XkbStateNotifyEvent&>(event);
            group = state.group;
            lockedMods = state.locked_mods;
        } else {
            keyboardMap.invalidate();
        }
    }
}

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

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
    std::unique_ptr<Display, DisplayCloser> display(
        XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData()));
    if (!display)
        return false;
    int xiOpcode = 0, event = 0, error = 0;
    int major = 2, minor = 2;
    if (!XQueryExtension(display.get(), "XInputExtension", &xiOpcode, &event, &error) ||
        XIQueryVersion(display.get(), &major, &minor) != Success) {
        qWarning() << "[Run] the X server has no XInput 2.2";
        return false;
    }
    int xkbOpcode = 0, xkbEventBase = 0, xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    if (XkbQueryExtension(display.get(), &xkbOpcode, &xkbEventBase, &error, &xkbMajor, &xkbMinor)) {
        const unsigned mapEvents = XkbMapNotifyMask | XkbNewKeyboardNotifyMask;
        XkbSelectEvents(display.get(), XkbUseCoreKbd, mapEvents, mapEvents);
        XkbSelectEventDetails(display.get(), XkbUseCoreKbd, XkbStateNotify,
                              XkbGroupStateMask | XkbModifierLockMask,
                              XkbGroupStateMask | XkbModifierLockMask);
    } else {
        xkbEventBase = 0;
    }

    // Master devices only: each press then comes once, whichever physical
    // or XTest device made it.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    for (int type : {XI_RawKeyPress, XI_RawKeyRelease, XI_RawButtonPress, XI_RawButtonRelease})
        XISetMask(bits, type);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(display.get(), DefaultRootWindow(display.get()), &mask, 1);
    XSync(display.get(), False);

    RawEventReader reader(display.get(), xiOpcode, xkbEventBase, listener, ownInput.get());
    reader.readInitialState();
    pollfd watched[] = {{ConnectionNumber(display.get()), POLLIN, 0}, {wake.readEnd(), POLLIN, 0}};
    while (!wake.raised()) {
        while (XPending(display.get()) > 0) {
            XEvent next;
            XNextEvent(display.get(), &next);
            reader.handle(next);
        }
        if (poll(watched, 2, -1) < 0 && errno != EINTR)
            break;
        if (watched[0].revents & (POLLHUP | POLLERR))
            break;
    }
    return true;
}
