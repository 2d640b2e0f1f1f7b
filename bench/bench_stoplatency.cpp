// Time from the exit command going down to the run's `finished`, while the
// run waits in a long "時間" condition. On an X display or Windows the keys
// are pressed through the platform's input backend (XTest, SendInput) and
// read back from the system; elsewhere a recording backend stands in and
// says so.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QLoggingCategory>
#include <QTest>

#include "benchstats.h"
#include "platform/platform.h"
#include "recordingbackend.h"
#include "run/run.h"

using Clock = std::chrono::steady_clock;

namespace {

void pressExitCommand(InputBackend& input, RecordingBackend* scripted, bool down) {
    for (int key : {vk::Control, vk::Menu, 83}) {
        if (scripted)
            scripted->setKeyDown(key, down);
        else
            input.sendKey(key, down);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int trials = argc > 1 ? std::atoi(argv[1]) : 60;

    RecordingBackend recording;
    InputBackend& platformInput = Platform::instance().input();
    const bool real = platformInput.canSynthesize();
    InputBackend& input = real ? platformInput : recording;
    RecordingBackend* scripted = real ? nullptr : &recording;
    std::printf("stop latency, exit command Ctrl+Alt+S, %d trials, backend: %s\n", trials,
                real ? "the platform's" : "recording (the platform cannot synthesise)");

    std::vector<double> latencies;
    for (int trial = 0; trial < trials; ++trial) {
        Run run(input);
        std::atomic<Clock::rep> finishedAt{0};
        QObject::connect(
            &run, &Run::finished, &run,
            [&] { finishedAt.store(Clock::now().time_since_epoch().count()); },
            Qt::DirectConnection);
        run.setParameters(0, 1, QStringLiteral("83,3"), {{keyword::None}},
                          {{keyword::Time, QStringLiteral("30")}}, QStringLiteral("bench"));
        run.start();
        // A random phase against the watcher's 50 ms poll.
        QTest::qWait(100 + (trial * 7) % 50);
        const auto pressedAt = Clock::now();
        pressExitCommand(input, scripted, true);
        while (finishedAt.load() == 0)
            QTest::qWait(1);
        pressExitCommand(input, scripted, false);
        latencies.push_back(std::chrono::duration<double, std::milli>(
                                Clock::time_point(Clock::duration(finishedAt.load())) - pressedAt)
                                .count());
        QTest::qWait(20);
    }
    printFigures("exit command down -> finished", latencies, "ms");
    return 0;
}
