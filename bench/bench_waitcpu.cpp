// CPU time the whole process uses while a run waits 10 seconds in a "時間"
// condition with the exit-command watcher reading input events.
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QLoggingCategory>
#include <QTest>

#include "platform/platform.h"
#include "processcpu.h"
#include "recordingbackend.h"
#include "run/run.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    RecordingBackend recording;
    InputBackend& platformInput = Platform::instance().input();
    const bool real = platformInput.canSynthesize();
    InputBackend& input = real ? platformInput : recording;

    Run run(input,
            real ? Platform::instance().createInputEventSource() : recording.createEventSource());
    // The GUI thread sleeps in its event loop, as in the program, until the
    // run has finished.
    QObject::connect(&run, &Run::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.setParameters(0, 1, QStringLiteral("83,3"), {{keyword::None}},
                      {{keyword::Time, QStringLiteral("10")}}, QStringLiteral("bench"));
    QTest::qWait(100);
    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    run.start();
    QApplication::exec();
    const double cpu = processCpuSeconds() - cpuBefore;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    std::printf("10 s \"時間\" wait (backend: %s): %.1f ms CPU over %.2f s wall = %.3f%% of one "
                "core\n",
                real ? "platform" : "recording", cpu * 1000, wall, 100 * cpu / wall);
    return 0;
}
