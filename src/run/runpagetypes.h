#pragma once

#include <functional>
#include <span>
#include <vector>

#include <QString>
#include <QStringList>

#include "platform/inputbackend.h"
#include "platform/screencapture.h"
#include "platform/windowlist.h"
#include "run/stopsignal.h"

// What a page type may use of the run it is part of. Everything here is
// called on the run thread.
class RunContext {
public:
    // Every input of the run goes through this, so nothing pressed outlives
    // the run.
    virtual InputBackend& runInput() = 0;
    // Raised when the run must stop: every wait and timed operation sleeps
    // on it.
    virtual const StopSignal& stopSignal() const = 0;
    // Runs a timed operation on a thread of its own, beside the run.
    virtual void launchOperation(std::function<void()> work) = 0;
    // Waits for every operation started so far, on any page.
    virtual void joinOperations() = 0;
    virtual void waitSeconds(double seconds) = 0;
    // Presses as the input watch sees them; each returns early on a stop.
    virtual void waitForButton(int virtualKey) = 0;
    virtual void waitForKeyCombination(const QString& keyText) = 0;
    // The desktop's top-level windows.
    virtual WindowList& windowList() = 0;
    // The desktop's pixels; from any thread.
    virtual ScreenCapture& screenCapture() = 0;
    // Ends the run as the exit command would, for a page this desktop
    // cannot serve.
    virtual void stopRun() = 0;

protected:
    ~RunContext() = default;
};

// What a run does with an operation: act at once, or launch a timed
// operation and go on to the page's condition.
struct RunOperation {
    const QString& keyword;
    void (*start)(const QStringList& tokens, RunContext& run);
};

// What a run waits for: `await` returns once the condition is met or the run
// stops. `watchedKeys` adds the keys the wait reads beyond the modifiers and
// buttons; a condition that reads input has one, even if it adds nothing.
struct RunCondition {
    const QString& keyword;
    void (*await)(const QStringList& tokens, RunContext& run);
    void (*watchedKeys)(const QStringList& tokens, std::vector<int>& keys) = nullptr;
};

std::span<const RunOperation> runOperations();
std::span<const RunCondition> runConditions();
