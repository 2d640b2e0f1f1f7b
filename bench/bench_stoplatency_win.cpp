// Time from the exit command (Ctrl+Alt+S) going down to every key the run
// holds (Shift+B) being up again, and to the run's `finished`, on Windows,
// while the run waits in a long "時間" condition. The exit command is sent
// with plain SendInput, as another program or a keyboard would: the run's
// hooks leave out the input the run itself sends. Under Wine the keys reach a
// Wine window only: keep one in the foreground (bench/README.md). With
// --load every core is kept busy meanwhile, as on a loaded machine.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <QApplication>
#include <QLoggingCategory>
#include <QTest>

#include "benchstats.h"
#include "busyload.h"
#include "platform/platform.h"
#include "platform/win32/windowsapi.h"
#include "run/run.h"

using Clock = std::chrono::steady_clock;

namespace {

void pressExitCommand(bool down) {
    for (WORD key : {WORD(VK_CONTROL), WORD(VK_MENU), WORD('S')}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
}

bool runHoldsShiftB() {
    return (GetAsyncKeyState('B') & 0x8000) || (GetAsyncKeyState(VK_SHIFT) & 0x8000);
}

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int trials = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 60;
    const BusyLoad load(argc, argv);
    std::printf("stop latency, exit command Ctrl+Alt+S, %d trials, %s\n", trials,
                load.description());

    std::vector<double> released, finished;
    for (int trial = 0; trial < trials; ++trial) {
        Run run;
        std::atomic<Clock::rep> finishedAt{0};
        QObject::connect(
            &run, &Run::finished, &run,
            [&] { finishedAt.store(Clock::now().time_since_epoch().count()); },
            Qt::DirectConnection);
        run.setParameters(0, 1, QStringLiteral("83,3"),
                          {{keyword::Key, QStringLiteral("66,4"), QStringLiteral("30")}},
                          {{keyword::Time, QStringLiteral("30")}}, QStringLiteral("bench"));
        run.start();
        while (!runHoldsShiftB())
            QTest::qWait(1);
        QTest::qWait(100 + (trial * 7) % 50);
        const auto pressedAt = Clock::now();
        pressExitCommand(true);
        Clock::time_point releasedAt{};
        while (finishedAt.load() == 0 || releasedAt == Clock::time_point{}) {
            if (releasedAt == Clock::time_point{} && !runHoldsShiftB())
                releasedAt = Clock::now();
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        pressExitCommand(false);
        released.push_back(msBetween(pressedAt, releasedAt));
        finished.push_back(
            msBetween(pressedAt, Clock::time_point(Clock::duration(finishedAt.load()))));
        QTest::qWait(20);
    }
    printFigures("exit command down -> released", released, "ms");
    printFigures("exit command down -> finished", finished, "ms");
    printWithin("exit command down -> released", released, 200);
    return 0;
}
