#include <QDebug>

#include "model/pagetypes.h"
#include "platform/pollingeventsource.h"
#include "run/keyfields.h"
#include "run/run.h"

void Run::parseStopCommand() {
    stop_vk = 0;
    stop_mask = 0;
    const KeyFields fields = parseKeyFields(stop_command);
    stop_vk = fields.virtualKey;
    stop_mask = fields.mask;
}

// Watches the exit command, and the keys and buttons the conditions wait
// for, on a thread of its own reading the desktop's input events.
void Run::startStopChecker() {
    std::lock_guard lock(watcher_mutex);
    if (stop_checker_thread && stop_checker_thread->joinable())
        return;
    if (stop_vk == 0 && !needsInputWatch())
        return;
    if (stop_vk != 0)
        input_watch.setExitCommand(
            stop_vk, stop_mask, [this] { return input.heldModifiers(); },
            [this] { onExitCommand(); });
    stop_checker_active.store(true);
    try {
        stop_checker_thread = std::make_unique<std::thread>([this] { watchStopCommand(); });
    } catch (const std::system_error& error) {
        stop_checker_active.store(false);
        qWarning() << "[Run] no stop command watcher, no thread could be started:" << error.what();
    }
}

// The run's end and the Run's destruction may both come here at once: only
// the first takes the thread to join. The destructor then joins the run
// thread, so the watcher is gone before the Run is.
void Run::stopStopChecker() {
    std::unique_ptr<std::thread> watcher;
    {
        std::lock_guard lock(watcher_mutex);
        stop_checker_active.store(false);
        if (input_events)
            input_events->interrupt();
        if (polling_events)
            polling_events->interrupt();
        watcher = std::move(stop_checker_thread);
    }
    if (watcher && watcher->joinable())
        watcher->join();
}

void Run::watchStopCommand() {
    if (input_events && input_events->run(input_watch))
        return;
    PollingEventSource polling(input, watchedKeys(), std::chrono::milliseconds(50));
    {
        std::lock_guard lock(watcher_mutex);
        if (!stop_checker_active.load())
            return;
        polling_events = &polling;
    }
    qWarning() << "[Run] no key and button events from this desktop: polling them every 50 ms";
    polling.run(input_watch);
    std::lock_guard lock(watcher_mutex);
    polling_events = nullptr;
}

// The first page may wait for a press at once: the watcher must be listening
// before it begins, or a quick press could pass unseen. It takes a few
// milliseconds; a watcher that never gets there is not waited for long.
void Run::waitForWatcher() {
    const auto deadline = StopSignal::Clock::now() + std::chrono::seconds(2);
    while (stop_checker_active.load() && !input_watch.isSynced() &&
           StopSignal::Clock::now() < deadline)
        if (stop_requested.sleepFor(std::chrono::milliseconds(1)))
            return;
}

// Release comes before anything else: the user wants the keyboard back now.
void Run::onExitCommand() {
    requestStop();
    qDebug() << "[Run] stop command detected: vk=" << stop_vk << " mask=" << stop_mask;
}

bool Run::needsInputWatch() const {
    for (const QStringList& condition : list_condition) {
        const RunCondition* type = findByKeyword(runConditions(), tokenAt(condition, 0));
        if (type && type->watchedKeys)
            return true;
    }
    return false;
}

// What polling must read: the exit command, every modifier, both buttons and
// the keys of the key conditions.
std::vector<int> Run::watchedKeys() const {
    std::vector<int> keys{vk::LButton,  vk::RButton, vk::Shift,  vk::Control, vk::Menu,
                          vk::LWin,     vk::RWin,    vk::LShift, vk::RShift,  vk::LControl,
                          vk::RControl, vk::LMenu,   vk::RMenu};
    if (stop_vk != 0)
        keys.push_back(stop_vk);
    for (const QStringList& condition : list_condition) {
        const RunCondition* type = findByKeyword(runConditions(), tokenAt(condition, 0));
        if (type && type->watchedKeys)
            type->watchedKeys(condition, keys);
    }
    return keys;
}
