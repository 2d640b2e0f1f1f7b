// Accuracy of the timed wait and of the typing pace. Both run on their own
// with a recording backend: what is measured is the engine's timing, not the
// display's.
#include <atomic>
#include <chrono>
#include <cstdio>

#include <QString>

#include "benchstats.h"
#include "recordingbackend.h"
#include "run/timedoperations.h"
#include "run/timedwait.h"

using Clock = std::chrono::steady_clock;

namespace {

void timedWaitError(double seconds, int trials) {
    StopSignal stop;
    std::vector<double> errors;
    for (int i = 0; i < trials; ++i) {
        const auto t0 = Clock::now();
        timed::waitSeconds(stop, seconds);
        const double waited = std::chrono::duration<double>(Clock::now() - t0).count();
        errors.push_back(std::abs(waited - seconds) * 1000);
    }
    char what[64];
    std::snprintf(what, sizeof what, "timed wait %g s, |error|", seconds);
    printFigures(what, errors, "ms");
}

void typingPaceError(int units, double seconds) {
    RecordingBackend backend;
    StopSignal stop;
    const QString text(units, QChar(u'x'));
    timed::typeText(backend, stop, text, seconds);
    const auto events = backend.events(RecordingBackend::Kind::Unicode);
    const auto t0 = events.front().time;
    const double interval = seconds / units;
    std::vector<double> errors;
    for (int i = 0; i < units; ++i) {
        const double at = std::chrono::duration<double>(events[size_t(2 * i)].time - t0).count();
        errors.push_back(std::abs(at - i * interval) * 1000);
    }
    char what[64];
    std::snprintf(what, sizeof what, "typing %d units over %g s, |error|", units, seconds);
    printFigures(what, errors, "ms");
}

} // namespace

int main() {
    timedWaitError(0.01, 300);
    timedWaitError(0.1, 100);
    timedWaitError(1, 20);
    typingPaceError(200, 2);
    typingPaceError(50, 5);
    return 0;
}
