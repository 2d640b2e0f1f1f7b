#include "play/stopsignals.h"

#include <atomic>
#include <csignal>

#include <QTimer>

namespace {

std::atomic<bool> stopSignalled{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onStopSignal(int signal) {
    stopSignalled.store(true);
    std::signal(signal, SIG_DFL);
}

} // namespace

void forwardStopSignals(QObject* context, std::function<void()> onStop) {
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, onStop = std::move(onStop)] {
        if (stopSignalled.load()) {
            poll->stop();
            onStop();
        }
    });
    poll->start(20);
}
