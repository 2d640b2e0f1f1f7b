#include "platform/platform.h"

#include <atomic>

#include "platform/nullplatform.h"

namespace {

std::atomic<Platform*> testPlatform{nullptr};

Platform& chosenPlatform() {
    static NullPlatform nullPlatform;
    return nullPlatform;
}

} // namespace

Platform& Platform::instance() {
    if (Platform* platform = testPlatform.load())
        return *platform;
    return chosenPlatform();
}

void Platform::setInstanceForTesting(Platform* platform) { testPlatform.store(platform); }
