#pragma once

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

// Keeps every core busy while it lives, as other work on a loaded machine
// would, when the command line asks for it with --load.
class BusyLoad {
public:
    BusyLoad(int argc, char* argv[]) {
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], "--load") == 0)
                for (unsigned core = 0; core < std::max(1u, std::thread::hardware_concurrency());
                     ++core)
                    threads.emplace_back([this] {
                        while (!done.load(std::memory_order_relaxed)) {
                        }
                    });
    }
    ~BusyLoad() {
        done.store(true);
        for (std::thread& thread : threads)
            thread.join();
    }
    BusyLoad(const BusyLoad&) = delete;
    BusyLoad& operator=(const BusyLoad&) = delete;

    const char* description() const { return threads.empty() ? "idle" : "every core busy"; }

private:
    std::atomic<bool> done{false};
    std::vector<std::thread> threads;
};

// How many samples are at most `bound`, printed beside the figures.
inline void printWithin(const char* what, const std::vector<double>& samples, double bound) {
    size_t within = 0;
    for (double sample : samples)
        within += sample <= bound;
    std::printf("%-34s %zu of %zu within %.0f ms\n", what, within, samples.size(), bound);
    std::fflush(stdout);
}
