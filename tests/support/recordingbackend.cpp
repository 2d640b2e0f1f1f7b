#include "recordingbackend.h"

// Changes are queued under the backend's lock and reported on the thread that
// runs the source, as a desktop's events are.
class RecordingBackend::EventSource : public InputEventSource {
public:
    explicit EventSource(RecordingBackend& backend) : backend(backend) {}
    ~EventSource() override {
        std::lock_guard lock(backend.mutex);
        std::erase(backend.sources, this);
    }

    bool run(InputEventListener& listener) override {
        std::unique_lock lock(backend.mutex);
        for (int key : backend.keysDown)
            changes.emplace_back(key, true);
        backend.sources.push_back(this);
        bool synced = false;
        while (!interrupted) {
            while (!changes.empty()) {
                const auto [key, down] = changes.front();
                changes.pop_front();
                lock.unlock();
                listener.inputChanged(key, down);
                lock.lock();
            }
            if (!synced) {
                lock.unlock();
                listener.inputSynced();
                lock.lock();
                synced = true;
            }
            changed.wait(lock, [this] { return interrupted || !changes.empty(); });
        }
        std::erase(backend.sources, this);
        return true;
    }

    void interrupt() override {
        std::lock_guard lock(backend.mutex);
        interrupted = true;
        changed.notify_all();
    }

    // Under the backend's lock.
    void report(int key, bool down) {
        changes.emplace_back(key, down);
        changed.notify_all();
    }

private:
    RecordingBackend& backend;
    std::deque<std::pair<int, bool>> changes;
    std::condition_variable changed;
    bool interrupted = false;
};

std::unique_ptr<InputEventSource> RecordingBackend::createEventSource() {
    return std::make_unique<EventSource>(*this);
}

void RecordingBackend::changeKey(int virtualKey, bool down) {
    const bool changedState =
        down ? keysDown.insert(virtualKey).second : keysDown.erase(virtualKey);
    if (changedState)
        for (EventSource* source : sources)
            source->report(virtualKey, down);
}

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
    if (echo)
        changeKey(code, down);
    record(Kind::MouseButton, button == MouseButton::Left ? 0 : 1, 0, down);
    return true;
}

bool RecordingBackend::sendKey(int virtualKey, bool down) {
    std::lock_guard lock(mutex);
    if (!accepts())
        return false;
    if (echo)
        changeKey(virtualKey, down);
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
    changeKey(virtualKey, down);
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
