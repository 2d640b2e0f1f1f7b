#pragma once

#include <functional>

#include <QAbstractNativeEventFilter>

// Watches the application's native events for the coordinate hotkey
// Ctrl+Alt+G; the platform decides which event that is.
class GlobalHotkeyFilter : public QAbstractNativeEventFilter {
public:
    explicit GlobalHotkeyFilter(int hotkeyId);
    ~GlobalHotkeyFilter() override;

    // Consumes the hotkey's event after calling `callback`; leaves every other
    // event alone and never writes `result`.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // Called inside the event dispatcher: it should only queue the real work.
    std::function<void()> callback;
    int hotkeyId;
};
