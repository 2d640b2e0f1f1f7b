#include "record/recordingsession.h"

#include <system_error>

#include "platform/inputbackend.h"
#include "run/modifierstate.h"

namespace {

// The generic code a left or right modifier belongs to; any other key itself.
int genericKey(int virtualKey) {
    switch (heldBitOf(virtualKey)) {
    case heldmask::Shift:
        return vk::Shift;
    case heldmask::Ctrl:
        return vk::Control;
    case heldmask::Alt:
        return vk::Menu;
    default:
        return virtualKey;
    }
}

} // namespace

RecordingSession::RecordingSession(std::unique_ptr<InputRecording> recording, WindowList& windows,
                                   const QString& stopCommand)
    : recording(std::move(recording)), windows(windows),
      stopKey(KeyCombination::fromText(stopCommand)) {}

RecordingSession::~RecordingSession() {
    stop();
}

void RecordingSession::start() {
    try {
        thread = std::thread([this] {
            if (!recording->run(*this))
                emit failed();
        });
    } catch (const std::system_error&) {
        emit failed();
    }
}

void RecordingSession::stop() {
    recording->interrupt();
    if (thread.joinable())
        thread.join();
}

std::vector<RecordedEvent> RecordingSession::events() const {
    std::lock_guard lock(mutex);
    return recordedEvents;
}

qint64 RecordingSession::endMs() const {
    std::lock_guard lock(mutex);
    return lastMs;
}

bool RecordingSession::isStopCommand(const RecordedInput& input) const {
    if (!stopKey || input.kind != RecordedInput::Kind::KeyDown)
        return false;
    const bool sameKey = input.virtualKey == stopKey->virtualKey ||
                         genericKey(input.virtualKey) == stopKey->virtualKey;
    if (!sameKey)
        return false;
    // A modifier as the stop key counts itself in the mask or not, as captured.
    const int before = held.storedMask();
    return before == stopKey->modifiers ||
           (before | storedModifierOf(input.virtualKey)) == stopKey->modifiers;
}

// The modifiers pressed for the stop command went down before its last key.
void RecordingSession::dropHeldStopModifiers() {
    for (auto event = recordedEvents.end(); event != recordedEvents.begin();) {
        --event;
        const RecordedInput& input = event->input;
        if (input.kind == RecordedInput::Kind::KeyDown && held.holds(input.virtualKey)) {
            held.release(input.virtualKey);
            event = recordedEvents.erase(event);
        }
    }
}

void RecordingSession::recorded(const RecordedInput& input) {
    if (stopSeen)
        return;
    if (isStopCommand(input)) {
        std::lock_guard lock(mutex);
        stopSeen = true;
        lastMs = input.timeMs;
        dropHeldStopModifiers();
        emit stopCommandPressed();
        return;
    }
    if (input.kind == RecordedInput::Kind::KeyDown)
        held.press(input.virtualKey);
    else if (input.kind == RecordedInput::Kind::KeyUp)
        held.release(input.virtualKey);

    RecordedEvent event{input, {}, 0};
    if (input.kind == RecordedInput::Kind::KeyDown ||
        input.kind == RecordedInput::Kind::ButtonDown) {
        const TopLevelWindow active = windows.activeWindow();
        event.activeTitle = active.title;
        event.target = input.kind == RecordedInput::Kind::KeyDown
                           ? active.handle
                           : windows.windowUnderPointer().handle;
    }
    std::lock_guard lock(mutex);
    recordedEvents.push_back(event);
    lastMs = input.timeMs;
}
