#include "run/runpagetypes.h"

#include <chrono>
#include <optional>

#include <QDebug>
#include <QTime>

#include "model/screenpages.h"
#include "model/tokens.h"
#include "run/keyfields.h"
#include "run/screenwait.h"
#include "run/timedoperations.h"
#include "run/windowpages.h"

namespace {

void waitForClockTime(RunContext& run, int hour, int minute) {
    for (;;) {
        const QTime now = QTime::currentTime();
        if (now.hour() == hour && now.minute() == minute)
            return;
        if (run.stopSignal().sleepFor(std::chrono::milliseconds(50)))
            return;
    }
}

// Runs `work` on a thread of its own with the run's input and stop signal.
template <typename Work> void launchTimed(RunContext& run, Work work) {
    InputBackend& in = run.runInput();
    const StopSignal& stop = run.stopSignal();
    run.launchOperation([&in, &stop, work] { work(in, stop); });
}

// A page's parameters, or empty when its tokens cannot serve: a page the
// run cannot read stops it rather than act blind.
template <typename Read> auto readOrStop(const QStringList& tokens, RunContext& run, Read read) {
    QString error;
    auto parameters = read(tokens, &error, nullptr);
    if (!parameters) {
        qWarning().noquote() << "[Run] the page cannot run:" << error;
        run.stopRun();
    }
    return parameters;
}

// A desktop whose screen cannot be captured stops the run at such a page
// rather than let it wait for ever.
void refuseScreenPage(RunContext& run) {
    screenwait::logUnavailable(run.screenCapture());
    run.stopRun();
}

// For an operation, which searches on a thread of its own.
bool canCaptureOrStop(RunContext& run) {
    if (run.screenCapture().isAvailable())
        return true;
    refuseScreenPage(run);
    return false;
}

void moveToImage(const QStringList& tokens, RunContext& run) {
    const auto search = readOrStop(tokens, run, screenpages::readImageSearch);
    if (!search || !canCaptureOrStop(run))
        return;
    ScreenCapture& capture = run.screenCapture();
    InputBackend& in = run.runInput();
    const StopSignal& stop = run.stopSignal();
    run.launchOperation([&capture, &in, &stop, search = *search] {
        const screenwait::ImageWaitEnd end = screenwait::waitForImage(capture, stop, search);
        if (end.end != screenwait::End::Met)
            return;
        const QPoint target = end.found.center() + search.offset;
        in.setCursorPosition(target.x(), target.y());
    });
}

void awaitImage(const QStringList& tokens, RunContext& run) {
    const auto search = readOrStop(tokens, run, screenpages::readImageSearch);
    if (search && screenwait::waitForImage(run.screenCapture(), run.stopSignal(), *search).end ==
                      screenwait::End::Unavailable)
        refuseScreenPage(run);
}

void awaitColor(const QStringList& tokens, RunContext& run) {
    const auto probe = readOrStop(tokens, run, screenpages::readColorProbe);
    if (probe && screenwait::waitForColor(run.screenCapture(), run.stopSignal(), *probe) ==
                     screenwait::End::Unavailable)
        refuseScreenPage(run);
}

} // namespace

std::span<const RunOperation> runOperations() {
    static const RunOperation operations[] = {
        {keyword::None, [](const QStringList&, RunContext&) {}},
        {keyword::Click,
         [](const QStringList& tokens, RunContext& run) {
             const MouseButton button =
                 tokenAt(tokens, 1) == keyword::Left ? MouseButton::Left : MouseButton::Right;
             const double hold = tokenDouble(tokens, 2);
             launchTimed(run, [button, hold](InputBackend& in, const StopSignal& stop) {
                 timed::click(in, stop, button, hold);
             });
         }},
        {keyword::MousePointer,
         [](const QStringList& tokens, RunContext& run) {
             run.runInput().setCursorPosition(tokenInt(tokens, 1), tokenInt(tokens, 2));
         }},
        {keyword::SmoothMove,
         [](const QStringList& tokens, RunContext& run) {
             const int x = tokenInt(tokens, 1);
             const int y = tokenInt(tokens, 2);
             const double seconds = tokenDouble(tokens, 3);
             launchTimed(run, [x, y, seconds](InputBackend& in, const StopSignal& stop) {
                 timed::smoothMove(in, stop, x, y, seconds);
             });
         }},
        {keyword::Key,
         [](const QStringList& tokens, RunContext& run) {
             const QString text = QStringLiteral("%1,%2").arg(
                 tokenAt(tokens, 1), formatSeconds(tokenDouble(tokens, 2)));
             launchTimed(run, [text](InputBackend& in, const StopSignal& stop) {
                 timed::pressKeyCombination(in, stop, text);
             });
         }},
        {keyword::EnterText,
         [](const QStringList& tokens, RunContext& run) {
             const QString text = tokenAt(tokens, 1);
             const double seconds = tokenDouble(tokens, 2);
             launchTimed(run, [text, seconds](InputBackend& in, const StopSignal& stop) {
                 timed::typeText(in, stop, text, seconds);
             });
         }},
        {keyword::Window,
         [](const QStringList& tokens, RunContext& run) {
             if (!windowpages::activate(run.windowList(), run.stopSignal(), tokenAt(tokens, 1)))
                 run.stopRun();
         }},
        {keyword::MoveToImage, moveToImage},
    };
    return operations;
}

std::span<const RunCondition> runConditions() {
    static const RunCondition conditions[] = {
        {keyword::WaitUntilOver,
         [](const QStringList& tokens, RunContext& run) {
             run.joinOperations();
             run.waitSeconds(tokenDouble(tokens, 1));
         }},
        {keyword::Time,
         [](const QStringList& tokens, RunContext& run) {
             // Counted from the operation's start: it may still be running.
             run.waitSeconds(tokenDouble(tokens, 1));
         }},
        {keyword::Immediately, [](const QStringList&, RunContext&) {}},
        {keyword::Click,
         [](const QStringList& tokens, RunContext& run) {
             run.waitForButton(tokenAt(tokens, 1) == keyword::Right ? vk::RButton : vk::LButton);
         },
         [](const QStringList&, std::vector<int>&) {}},
        {keyword::Key,
         [](const QStringList& tokens, RunContext& run) {
             run.waitForKeyCombination(tokenAt(tokens, 1));
         },
         [](const QStringList& tokens, std::vector<int>& keys) {
             if (const int key = parseKeyFields(tokenAt(tokens, 1)).virtualKey)
                 keys.push_back(key);
         }},
        {keyword::ClockTime,
         [](const QStringList& tokens, RunContext& run) {
             waitForClockTime(run, tokenInt(tokens, 1), tokenInt(tokens, 2));
         }},
        {keyword::Window,
         [](const QStringList& tokens, RunContext& run) {
             if (!windowpages::waitUntilActive(run.windowList(), run.stopSignal(),
                                               tokenAt(tokens, 1)))
                 run.stopRun();
         }},
        {keyword::Image, awaitImage},
        {keyword::Color, awaitColor},
    };
    return conditions;
}
