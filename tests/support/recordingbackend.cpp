#include "recordingbackend.h"

bool RecordingBackend::canSynthesize() const {
    std::lock_guard lock(mutex);
    return synthesize;
}

QPoint RecordingBackend::cursorPosition() {
    std::lock_guard lock(mutex);
    return pointer;
}

void RecordingBackend::setCursorPosition(int x, int y) {
    std::lock_guard lock(mutex);
    pointer = QPoint(x, y);
    record(Kind::SetCursor, x, y, false);
}

bool RecordingBackend::sendMouseButton(MouseButton button, bool down) {
    std::lock_guard lock(mutex);
    if (!accepts())
        return false;
    const int code = button == MouseButton::Left ? vk::LButton : vk::RButton;
    if (echo) {
        if (down)
            keysDown.insert(code);
        else
            keysDown.erase(code);
    }
    record(Kind::MouseButton, button == MouseButton::Left ? 0 : 1, 0, down);
    return true;
}

bool RecordingBackend::sendKey(int virtualKey, bool down) {
    std::lock_guard lock(mutex);
    if (!accepts())
        return false;
    if (echo) {
        if (down)
            keysDown.insert(virtualKey);
        else
            keysDown.erase(virtualKey);
    }
    record(Kind::Key, virtualKey, 0, down);
    return true;
}

bool RecordingBackend::sendUnicodeUnit(char16_t unit, bool down) {
    std::lock_guard lock(mutex);
    if (!accepts())
        return false;
    record(Kind::Unicode, unit, 0, down);
    return true;
}

bool RecordingBackend::isKeyDown(int virtualKey) {
    std::lock_guard lock(mutex);
    return keysDown.count(virtualKey) != 0;
}

void RecordingBackend::setKeyDown(int virtualKey, bool down) {
    std::lock_guard lock(mutex);
    if (down)
        keysDown.insert(virtualKey);
    else
        keysDown.erase(virtualKey);
}

void RecordingBackend::setPointer(QPoint position) {
    std::lock_guard lock(mutex);
    pointer = position;
}

void RecordingBackend::setCanSynthesize(bool can) {
    std::lock_guard lock(mutex);
    synthesize = can;
}

void RecordingBackend::setEchoPresses(bool on) {
    std::lock_guard lock(mutex);
    echo = on;
}

std::vector<RecordingBackend::Event> RecordingBackend::events() const {
    std::lock_guard lock(mutex);
    return recorded;
}

std::vector<RecordingBackend::Event> RecordingBackend::events(Kind kind) const {
    std::lock_guard lock(mutex);
    std::vector<Event> matching;
    for (const Event& event : recorded)
        if (event.kind == kind)
            matching.push_back(event);
    return matching;
}

void RecordingBackend::clear() {
    std::lock_guard lock(mutex);
    recorded.clear();
}

void RecordingBackend::refuseSend(int n) {
    std::lock_guard lock(mutex);
    sendsUntilRefusal = n;
}

bool RecordingBackend::accepts() {
    return sendsUntilRefusal == 0 || --sendsUntilRefusal != 0;
}

void RecordingBackend::record(Kind kind, int a, int b, bool down) {
    recorded.push_back({std::chrono::steady_clock::now(), kind, a, b, down});
}
