#pragma once

#include "run/stopsignal.h"

namespace timed {

// Sleeps `seconds` against a monotonic deadline, ending at once when the stop
// is raised; nothing happens for a value of 0 or less. Longer than a century
// counts as forever.
void waitSeconds(const StopSignal& stop, double seconds);

// The monotonic time `seconds` after `from`, saturating far in the future.
StopSignal::Clock::time_point deadlineAfter(StopSignal::Clock::time_point from, double seconds);

} // namespace timed
