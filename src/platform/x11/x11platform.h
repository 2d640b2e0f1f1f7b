#pragma once

#include <QByteArray>

#include "platform/platform.h"
#include "platform/x11/x11globalhotkey.h"
#include "platform/x11/x11inputbackend.h"
#include "platform/x11/x11windowlist.h"

// The desktop services of an X11 session.
class X11Platform : public Platform {
public:
    // Opens connections of its own to the named display; empty means DISPLAY.
    explicit X11Platform(QByteArray displayName = {});

    static QByteArray displayNameOf(Display* display);

    // Whether the display could be opened and offers what input needs.
    bool isUsable() const { return backend.canSynthesize(); }

    InputBackend& input() override { return backend; }
    std::unique_ptr<KeyboardHook> createKeyboardHook() override;
    std::unique_ptr<InputEventSource> createInputEventSource() override;
    std::unique_ptr<InputRecording> createInputRecording() override;
    GlobalHotkey& globalHotkey() override { return hotkey; }
    std::unique_ptr<RunLock> createRunLock() override;
    WindowList& windowList() override { return windows; }

private:
    QByteArray displayName;
    X11InputBackend backend;
    X11GlobalHotkey hotkey;
    X11WindowList windows;
};
