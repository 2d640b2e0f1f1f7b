#pragma once

#include <vector>

#include "model/tokens.h"
#include "platform/windowlist.h"
#include "record/recordedevent.h"
#include "record/recordingoptions.h"

// The pages a recording makes, ready to be saved or inserted.
struct RecordedPages {
    PageList commands;
    PageList conditions;
};

// Turns what was recorded up to `endMs` into pages. Presses that went to one
// of `ownWindows` (the recorder's own) are left out, and so are the releases
// that belong to them. `windowPages` puts a Window page before each action
// whose active window differs from the one before.
RecordedPages pagesFromRecording(const std::vector<RecordedEvent>& events, qint64 endMs,
                                 const RecordingOptions& options,
                                 const std::vector<WindowHandle>& ownWindows = {},
                                 bool windowPages = true);
