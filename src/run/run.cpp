#include "run/run.h"

#include <system_error>

#include <QDebug>

#include "model/pagetypes.h"
#include "platform/platform.h"
#include "run/timedwait.h"

Run::Run() : Run(Platform::instance().input(), Platform::instance().createInputEventSource()) {}

Run::Run(InputBackend& input, std::unique_ptr<InputEventSource> events)
    : input(input), input_events(std::move(events)) {
    // An event the system refused (another program blocks input, or the
    // desktop is locked) leaves the project acting blind: the run stops and
    // lets go of what it holds.
    this->input.setRefusalHandler([this] {
        if (!stop_requested.isRaised())
            qWarning() << "[Run] the system refused synthesised input; the run stops";
        requestStop();
    });
}

Run::~Run() {
    stopStopChecker();
    stop_requested.raise();
    if (run_thread && run_thread->joinable())
        run_thread->join();
    joinOperations();
    input.releaseHeld();
    removeTrayIcon();
}

void Run::setParameters(int stertTime, int runNumber, const QString& stopCommand,
                        const PageList& listCommand, const PageList& listCondition,
                        const QString& projectName) {
    stert_time = stertTime;
    run_number = runNumber;
    repeat_until_stopped = runNumber == repeatUntilStopped;
    stop_command = stopCommand;
    list_command = listCommand;
    list_condition = listCondition;
    project_name = projectName;
    if (stop_command != keyword::None)
        parseStopCommand();
    // The watcher also serves the click and key conditions.
    startStopChecker();
    showTrayIcon();
    connectBeep();
}

void Run::setPageObserver(PageObserver observer) {
    page_observer = std::move(observer);
}

// Release comes first, before the threads the raise wakes compete for the
// machine; what an operation pressed in between is released after it.
void Run::requestStop() {
    input.releaseHeld();
    stop_requested.raise();
    input.releaseHeld();
}

bool Run::wasStopped() const {
    return stop_requested.isRaised();
}

void Run::start() {
    if (running.exchange(true))
        return;
    if (run_thread && run_thread->joinable()) {
        run_thread->join();
        run_thread.reset();
    }
    joinOperations();
    try {
        run_thread = std::make_unique<std::thread>([this] { runLoop(); });
    } catch (const std::system_error& error) {
        // The run cannot happen; it ends as if stopped at once, so whoever
        // waits for `finished` is not left waiting.
        qWarning() << "[Run] the run could not start, no thread could be started:" << error.what();
        requestStop();
        endRun();
    }
}

void Run::waitSeconds(double seconds) {
    timed::waitSeconds(stop_requested, seconds);
}

// The stop flag is deliberately not cleared here: a stop that came before the
// loop began (the exit command or the tray icon) must still end the run.
void Run::runLoop() {
    waitForWatcher();
    waitSeconds(stert_time);
    if (!stop_requested.isRaised())
        emit requestBeep();

    qint64 pass = 0;
    // Passes over no pages do nothing; repeating them would only spin.
    for (int k = 0; k < run_number && !list_command.isEmpty(); ++k) {
        if (stop_requested.isRaised())
            break;
        if (repeat_until_stopped)
            --k;
        ++pass;
        for (int i = 0; i < list_command.size(); ++i) {
            if (stop_requested.isRaised())
                break;
            joinFinishedOperations();
            if (page_observer)
                page_observer(pass, i + 1);
            startOperation(list_command[i]);
            waitForCondition(i < list_condition.size() ? list_condition[i]
                                                       : QStringList{keyword::Immediately});
        }
    }

    joinOperations();
    // A stop during this pause must end the run at once, like any other wait.
    if (!stop_requested.isRaised())
        waitSeconds(1.0);
    endRun();
}

void Run::endRun() {
    stopStopChecker();
    input.releaseHeld();
    emit requestBeep();
    removeTrayIcon();
    running.store(false);
    emit finished();
}

// An operation of no known type does nothing; its page's condition is still
// waited for.
void Run::startOperation(const QStringList& command) {
    if (const RunOperation* operation = findByKeyword(runOperations(), tokenAt(command, 0)))
        operation->start(command, *this);
}

// The platform's, looked up when a page needs it so a test's platform serves.
WindowList& Run::windowList() {
    return Platform::instance().windowList();
}

ScreenCapture& Run::screenCapture() {
    return Platform::instance().screenCapture();
}

void Run::stopRun() {
    requestStop();
}

InputBackend& Run::runInput() {
    return input;
}

const StopSignal& Run::stopSignal() const {
    return stop_requested;
}

// A system out of threads skips the operation rather than ending the run.
void Run::launchOperation(std::function<void()> work) {
    try {
        operation_threads.emplace_back(std::move(work));
    } catch (const std::system_error& error) {
        qWarning() << "[Run] operation skipped, no thread could be started:" << error.what();
    }
}

void Run::joinFinishedOperations() {
    std::erase_if(operation_threads, [](OperationThread& thread) {
        if (!thread.isFinished())
            return false;
        if (thread.joinable())
            thread.join();
        return true;
    });
}

void Run::joinOperations() {
    for (OperationThread& thread : operation_threads)
        if (thread.joinable())
            thread.join();
    operation_threads.clear();
}
