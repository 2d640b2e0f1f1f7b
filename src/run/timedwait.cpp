#include "run/timedwait.h"

#include <chrono>
#include <thread>

namespace timed {

void waitSeconds(const std::atomic<bool>& stop, double seconds) {
    using namespace std::chrono;
    if (!(seconds > 0))
        return;
    const auto deadline = steady_clock::now() + duration<double, std::nano>(seconds * 1e9);
    while (steady_clock::now() < deadline) {
        if (stop.load())
            return;
        const auto remaining = duration_cast<milliseconds>(deadline - steady_clock::now());
        const milliseconds slice = remaining > milliseconds(5) ? milliseconds(5) : remaining;
        if (slice < milliseconds(1))
            return;
        std::this_thread::sleep_for(slice);
    }
}

} // namespace timed
