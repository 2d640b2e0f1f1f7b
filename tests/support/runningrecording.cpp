#include "runningrecording.h"

#include <QTest>

#include <algorithm>
#include <chrono>

void RecordedInputCollector::recorded(const RecordedInput& input) {
    std::lock_guard lock(mutex);
    seen.push_back(input);
}

std::vector<RecordedInput>
RecordedInputCollector::of(std::initializer_list<RecordedInput::Kind> kinds) {
    std::lock_guard lock(mutex);
    std::vector<RecordedInput> kept;
    for (const RecordedInput& input : seen)
        if (std::find(kinds.begin(), kinds.end(), input.kind) != kinds.end())
            kept.push_back(input);
    return kept;
}

void RecordedInputCollector::clear() {
    std::lock_guard lock(mutex);
    seen.clear();
}

RunningRecording::RunningRecording(std::unique_ptr<InputRecording> recording,
                                   const std::function<void()>& probe)
    : recording(std::move(recording)) {
    if (!this->recording)
        return;
    thread = std::thread([this] { this->recording->run(collector); });
    isReady = QTest::qWaitFor([&] {
        probe();
        // Long enough that a probe is sent again only when the last one
        // came before the recording read input, and will never show.
        return QTest::qWaitFor([&] { return !collector.of({RecordedInput::Kind::KeyUp}).empty(); },
                               1000);
    });
    collector.clear();
}

bool interruptEndsAtOnce(const std::function<std::unique_ptr<InputRecording>()>& make,
                         const std::function<void()>& probe) {
    const std::unique_ptr<InputRecording> early = make();
    early->interrupt();
    RecordedInputCollector collector;
    if (!early->run(collector))
        return false;
    auto running = std::make_unique<RunningRecording>(make(), probe);
    if (!running->ready())
        return false;
    QTest::qWait(100);
    const auto start = std::chrono::steady_clock::now();
    running.reset();
    return std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200);
}

RunningRecording::~RunningRecording() {
    if (!thread.joinable())
        return;
    recording->interrupt();
    thread.join();
}
