#include <chrono>
#include <thread>

#include <QDebug>

#include "run/keyfields.h"
#include "run/modifierstate.h"
#include "run/run.h"

void Run::parseStopCommand() {
    stop_vk = 0;
    stop_mask = 0;
    const KeyFields fields = parseKeyFields(stop_command);
    stop_vk = fields.virtualKey;
    stop_mask = fields.mask;
}

void Run::startStopChecker() {
    if (stop_checker_thread && stop_checker_thread->joinable())
        return;
    if (stop_vk == 0)
        return;
    stop_checker_active.store(true);
    try {
        stop_checker_thread = std::make_unique<std::thread>([this] { watchStopCommand(); });
    } catch (const std::system_error& error) {
        stop_checker_active.store(false);
        qWarning() << "[Run] no stop command watcher, no thread could be started:" << error.what();
    }
}

void Run::stopStopChecker() {
    stop_checker_active.store(false);
    if (stop_checker_thread && stop_checker_thread->joinable()) {
        stop_checker_thread->join();
        stop_checker_thread.reset();
    }
}

void Run::watchStopCommand() {
    bool detected = false;
    while (stop_checker_active.load()) {
        if (stop_vk != 0 && isCombinationDown(input, stop_vk, stop_mask)) {
            detected = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (detected) {
        stop_requested.store(true);
        qDebug() << "[Run] stop command detected: vk=" << stop_vk << " mask=" << stop_mask;
    }
    stop_checker_active.store(false);
}
