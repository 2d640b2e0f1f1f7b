#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/inputbackend.h"
#include "platform/inputeventsource.h"

// An InputBackend that records every call with a monotonic time stamp and
// answers from a scripted key, button and pointer state. Thread-safe, like the
// real backends.
class RecordingBackend : public InputBackend {
public:
    enum class Kind { SetCursor, MouseButton, Key, Unicode };

    struct Event {
        std::chrono::steady_clock::time_point time;
        Kind kind;
        int a = 0; // x, button (0 left, 1 right), virtual key or code unit
        int b = 0; // y
        bool down = false;
    };

    bool canSynthesize() const override;
    QPoint cursorPosition() override;
    void setCursorPosition(int x, int y) override;
    bool sendMouseButton(MouseButton button, bool down) override;
    bool sendKey(int virtualKey, bool down) override;
    bool sendUnicodeUnit(char16_t unit, bool down) override;
    bool isKeyDown(int virtualKey) override;

    // An event source that reports every change of the scripted state (and,
    // with echo, of synthesised presses) as it happens.
    std::unique_ptr<InputEventSource> createEventSource();

    // Scripting.
    void setKeyDown(int virtualKey, bool down);
    void setPointer(QPoint position);
    void setCanSynthesize(bool can);
    // When on, sendKey and sendMouseButton also change the scripted state, so
    // a synthesised press is seen by isKeyDown as on a real desktop.
    void setEchoPresses(bool echo);
    // The system refuses the n-th key, button or unit event from now on
    // (counted from 1) and records nothing of it; the others go through.
    void refuseSend(int n);

    std::vector<Event> events() const;
    std::vector<Event> events(Kind kind) const;
    void clear();

private:
    class EventSource;

    void record(Kind kind, int a, int b, bool down);
    // Counts one sent event; false when it is the one to refuse.
    bool accepts();
    void changeKey(int virtualKey, bool down);

    mutable std::mutex mutex;
    std::vector<Event> recorded;
    std::set<int> keysDown;
    QPoint pointer;
    bool synthesize = true;
    bool echo = false;
    int sendsUntilRefusal = 0;
    std::vector<EventSource*> sources;
};
