#include <cmath>

#include "run/timedoperations.h"
#include "run/timedwait.h"

namespace timed {

void smoothMove(InputBackend& input, const StopSignal& stop, int x, int y, double seconds) {
    using namespace std::chrono;
    const QPoint start = input.cursorPosition();
    if (!(seconds > 0)) {
        input.setCursorPosition(x, y);
        return;
    }
    const auto t0 = StopSignal::Clock::now();
    const auto end = deadlineAfter(t0, seconds);
    // Steps are due every 5 ms from the start, so the pace does not drift
    // with the time each step takes.
    for (auto due = t0; !stop.isRaised(); due += milliseconds(5)) {
        const auto now = StopSignal::Clock::now();
        if (now >= end) {
            input.setCursorPosition(x, y);
            return;
        }
        // In double: the distance between two ints may not fit in one.
        const double fraction = duration<double>(now - t0).count() / seconds;
        const auto along = [fraction](int from, int to) {
            return static_cast<int>(std::lround(from + (double(to) - from) * fraction));
        };
        const int px = along(start.x(), x);
        const int py = along(start.y(), y);
        input.setCursorPosition(px, py);
        if (stop.sleepUntil(std::min(end, std::max(due + milliseconds(5), now))))
            return;
    }
}

} // namespace timed
