#pragma once

#include <atomic>

namespace timed {

// Sleeps `seconds` against a monotonic deadline in slices of at most 5 ms,
// so a stop is noticed within 5 ms. Ends up to 1 ms early rather than late;
// nothing happens for a value of 0 or less.
void waitSeconds(const std::atomic<bool>& stop, double seconds);

} // namespace timed
