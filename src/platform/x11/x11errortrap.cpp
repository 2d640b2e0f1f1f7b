#include "platform/x11/x11errortrap.h"

#include <map>
#include <mutex>

namespace {

std::mutex trapsMutex;
std::map<Display*, int> errorCounts;
XErrorHandler previousHandler = nullptr;

int countOrPass(Display* display, XErrorEvent* event) {
    {
        std::lock_guard lock(trapsMutex);
        auto trapped = errorCounts.find(display);
        if (trapped != errorCounts.end()) {
            ++trapped->second;
            return 0;
        }
    }
    return previousHandler ? previousHandler(display, event) : 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display) {
    static std::once_flag installed;
    std::call_once(installed, [] { previousHandler = XSetErrorHandler(countOrPass); });
    std::lock_guard lock(trapsMutex);
    errorCounts[display] = 0;
}

X11ErrorTrap::~X11ErrorTrap() {
    std::lock_guard lock(trapsMutex);
    errorCounts.erase(display);
}

int X11ErrorTrap::errors() const {
    std::lock_guard lock(trapsMutex);
    return errorCounts.at(display);
}
