#include "app/globalhotkeyfilter.h"

#include "platform/globalhotkey.h"
#include "platform/platform.h"

GlobalHotkeyFilter::GlobalHotkeyFilter(int hotkeyId) : hotkeyId(hotkeyId) {}

GlobalHotkeyFilter::~GlobalHotkeyFilter() = default;

bool GlobalHotkeyFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    // The platform registers one hotkey only; a filter for another identifier
    // has nothing to react to.
    if (hotkeyId != GlobalHotkey::hotkeyId ||
        !Platform::instance().globalHotkey().isHotkeyEvent(eventType, message))
        return false;
    if (callback)
        callback();
    return true;
}
