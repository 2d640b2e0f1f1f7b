#pragma once

#include <vector>

#include <QString>

#include "platform/inputrecording.h"
#include "platform/windowlist.h"

// One recorded input with what the desktop showed when it came: presses
// carry the active window's title and the window they went to (the active
// one for keys, the one under the pointer for buttons).
struct RecordedEvent {
    RecordedInput input;
    QString activeTitle;
    WindowHandle target = 0;
};

// Takes away the last button press and what followed it: the click on a
// tray icon that stopped the recording, which no window of ours received.
void dropClickThatStopped(std::vector<RecordedEvent>& events);
