// Time from the exit command (Ctrl+Alt+S) going down to the run's `finished`
// on Windows, while the run waits in a long "時間" condition: the keys are
// pressed with SendInput through the Win32 backend and the run's watcher
// sees them through its hooks, as a user's keys. Under Wine the keys reach a
// Wine window only: keep one in the foreground (bench/README.md).
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QLoggingCategory>
#include <QTest>

#include "benchstats.h"
#include "platform/platform.h"
#include "run/run.h"

using Clock = std::chrono::steady_clock;

namespace {

void pressExitCommand(InputBackend& input, bool down) {
    for (int key : {vk::Control, vk::Menu, int('S')})
        input.sendKey(key, down);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int trials = argc > 1 ? std::atoi(argv[1]) : 60;
    InputBackend& input = Platform::instance().input();
    std::printf("stop latency, exit command Ctrl+Alt+S, %d trials\n", trials);

    std::vector<double> latencies;
    for (int trial = 0; trial < trials; ++trial) {
        Run run;
        std::atomic<Clock::rep> finishedAt{0};
        QObject::connect(
            &run, &Run::finished, &run,
            [&] { finishedAt.store(Clock::now().time_since_epoch().count()); },
            Qt::DirectConnection);
        run.setParameters(0, 1, QStringLiteral("83,3"), {{keyword::None}},
                          {{keyword::Time, QStringLiteral("30")}}, QStringLiteral("bench"));
        run.start();
        QTest::qWait(100 + (trial * 7) % 50);
        const auto pressedAt = Clock::now();
        pressExitCommand(input, true);
        while (finishedAt.load() == 0)
            QTest::qWait(1);
        pressExitCommand(input, false);
        latencies.push_back(std::chrono::duration<double, std::milli>(
                                Clock::time_point(Clock::duration(finishedAt.load())) - pressedAt)
                                .count());
        QTest::qWait(20);
    }
    printFigures("exit command down -> finished", latencies, "ms");
    return 0;
}
