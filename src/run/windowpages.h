#pragma once

#include <QString>

#include "platform/windowlist.h"
#include "run/stopsignal.h"

// What a run does with the pages that name a window, on the run thread.
// Each returns false when this desktop cannot serve such a page at all: the
// run must then stop rather than act on whatever window happens to be active.
namespace windowpages {

// How long an activation may take the desktop before the run goes on anyway.
constexpr std::chrono::seconds activationTimeout{2};

// Brings the first window whose title contains `title` to the front and
// waits until the desktop has made it the active one, so that the next page
// acts on it. Without such a window it logs so and does nothing.
bool activate(WindowList& windows, const StopSignal& stop, const QString& title);
// Goes on once the active window's title contains `title`, at once if it
// does already; a stop ends the wait at once.
bool waitUntilActive(WindowList& windows, const StopSignal& stop, const QString& title);

} // namespace windowpages
