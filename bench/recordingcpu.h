#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>

#include "platform/inputrecording.h"
#include "processcpu.h"

// Counts what an input recording reports.
class EventCounter : public InputRecordingListener {
public:
    void recorded(const RecordedInput&) override { ++count; }
    std::atomic<int> count{0};
};

// Runs `work`, then prints the process's CPU over its wall time and the
// events the recording reported meanwhile.
template <class Work> void measureRecording(const char* what, EventCounter& counter, Work work) {
    const int eventsBefore = counter.count.load();
    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    work();
    const double cpu = processCpuSeconds() - cpuBefore;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const int events = counter.count.load() - eventsBefore;
    std::printf("%-28s %6.1f ms CPU over %5.2f s wall = %6.3f%% of one core, %5d events, "
                "%6.1f us CPU per event\n",
                what, cpu * 1000, wall, 100 * cpu / wall, events,
                events ? cpu * 1e6 / events : 0.0);
    std::fflush(stdout);
}
