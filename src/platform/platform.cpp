#include "platform/platform.h"

#include <atomic>

#include <QtGlobal>

#include "platform/nullplatform.h"
#ifdef Q_OS_WIN
#include "platform/win32/win32platform.h"
#endif

namespace {

std::atomic<Platform*> testPlatform{nullptr};

Platform& chosenPlatform() {
#ifdef Q_OS_WIN
    static Win32Platform win32Platform;
    return win32Platform;
#else
    static NullPlatform nullPlatform;
    return nullPlatform;
#endif
}

} // namespace

Platform& Platform::instance() {
    if (Platform* platform = testPlatform.load())
        return *platform;
    return chosenPlatform();
}

void Platform::setInstanceForTesting(Platform* platform) {
    testPlatform.store(platform);
}
