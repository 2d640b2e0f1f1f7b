#include "run/timedwait.h"

#include <algorithm>

namespace timed {

namespace {

constexpr double longestWait = 100.0 * 365 * 24 * 3600;

} // namespace

StopSignal::Clock::time_point deadlineAfter(StopSignal::Clock::time_point from, double seconds) {
    using namespace std::chrono;
    const double bounded = std::clamp(seconds, 0.0, longestWait);
    return from + duration_cast<StopSignal::Clock::duration>(duration<double>(bounded));
}

void waitSeconds(const StopSignal& stop, double seconds) {
    if (!(seconds > 0))
        return;
    stop.sleepUntil(deadlineAfter(StopSignal::Clock::now(), seconds));
}

} // namespace timed
