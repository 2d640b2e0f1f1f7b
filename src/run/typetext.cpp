#include <algorithm>
#include <chrono>
#include <thread>

#include "run/timedoperations.h"

namespace timed {

void typeText(InputBackend& input, const std::atomic<bool>& stop, const QString& text,
              double seconds) {
    using namespace std::chrono;
    if (text.isEmpty() || !(seconds > 0))
        return;
    const qsizetype count = text.size();
    const auto t0 = steady_clock::now();
    const double interval = seconds / static_cast<double>(count);
    for (qsizetype i = 0; i < count; ++i) {
        if (stop.load())
            return;
        const char16_t unit = text.at(i).unicode();
        input.sendUnicodeUnit(unit, true);
        input.sendUnicodeUnit(unit, false);
        const auto deadline = t0 + duration_cast<steady_clock::duration>(
                                       duration<double>(interval * static_cast<double>(i + 1)));
        // Polled every millisecond, but the last slice ends on the deadline.
        for (auto now = steady_clock::now(); now < deadline; now = steady_clock::now()) {
            if (stop.load())
                return;
            std::this_thread::sleep_until(std::min(deadline, now + milliseconds(1)));
        }
    }
}

} // namespace timed
