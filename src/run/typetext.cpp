#include <QScopeGuard>

#include "run/timedoperations.h"
#include "run/timedwait.h"

namespace timed {

void typeText(InputBackend& input, const StopSignal& stop, const QString& text, double seconds) {
    if (text.isEmpty() || !(seconds > 0))
        return;
    const auto ended = qScopeGuard([&input] { input.endTyping(); });
    const qsizetype count = text.size();
    const auto t0 = StopSignal::Clock::now();
    const double interval = seconds / static_cast<double>(count);
    for (qsizetype i = 0; i < count; ++i) {
        if (stop.isRaised())
            return;
        const char16_t unit = text.at(i).unicode();
        input.sendUnicodeUnit(unit, true);
        input.sendUnicodeUnit(unit, false);
        if (stop.sleepUntil(deadlineAfter(t0, interval * static_cast<double>(i + 1))))
            return;
    }
}

} // namespace timed
