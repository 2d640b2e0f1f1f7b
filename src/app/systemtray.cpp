#include "app/systemtray.h"

#include <QSystemTrayIcon>

namespace {

std::optional<bool>& decidedByTest() {
    static std::optional<bool> available;
    return available;
}

} // namespace

bool systemTrayAvailable() {
    return decidedByTest().value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void setSystemTrayAvailableForTesting(std::optional<bool> available) {
    decidedByTest() = available;
}
