#pragma once

#include <memory>

#include "platform/globalhotkey.h"
#include "platform/inputbackend.h"
#include "platform/inputeventsource.h"
#include "platform/inputrecording.h"
#include "platform/keyboardhook.h"
#include "platform/runlock.h"
#include "platform/windowlist.h"

// The desktop services of the platform the program runs on, chosen once at
// run time: X11 when Qt runs on xcb and a display is open, Win32 on Windows,
// otherwise a platform that can do nothing and says so.
class Platform {
public:
    virtual ~Platform() = default;

    static Platform& instance();
    // Replaces the platform for the rest of the process (tests); nullptr goes
    // back to the chosen one.
    static void setInstanceForTesting(Platform* platform);

    virtual InputBackend& input() = 0;
    virtual std::unique_ptr<KeyboardHook> createKeyboardHook() = 0;
    // The desktop's key and button events for a run's watcher; nullptr where
    // there are none, and the run polls instead.
    virtual std::unique_ptr<InputEventSource> createInputEventSource() = 0;
    // The user's input on the whole desktop, for a recording; nullptr where
    // the desktop cannot be recorded.
    virtual std::unique_ptr<InputRecording> createInputRecording() = 0;
    virtual GlobalHotkey& globalHotkey() = 0;
    // A handle on the desktop's one-run-at-a-time lock, not yet taken.
    virtual std::unique_ptr<RunLock> createRunLock() = 0;
    virtual WindowList& windowList() = 0;
};
