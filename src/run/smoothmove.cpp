#include <chrono>
#include <cmath>
#include <thread>

#include "run/timedoperations.h"

namespace timed {

void smoothMove(InputBackend& input, const std::atomic<bool>& stop, int x, int y, double seconds) {
    using namespace std::chrono;
    const QPoint start = input.cursorPosition();
    if (!(seconds > 0)) {
        input.setCursorPosition(x, y);
        return;
    }
    const auto t0 = steady_clock::now();
    while (!stop.load()) {
        const double fraction = duration<double>(steady_clock::now() - t0).count() / seconds;
        if (fraction >= 1) {
            if (!stop.load())
                input.setCursorPosition(x, y);
            return;
        }
        const int px = static_cast<int>(std::lround(start.x() + (x - start.x()) * fraction));
        const int py = static_cast<int>(std::lround(start.y() + (y - start.y()) * fraction));
        input.setCursorPosition(px, py);
        std::this_thread::sleep_for(milliseconds(5));
    }
}

} // namespace timed
