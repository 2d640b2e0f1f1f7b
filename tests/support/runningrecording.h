#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/inputrecording.h"

// What a recording reported, as it reported it; read from any thread.
class RecordedInputCollector : public InputRecordingListener {
public:
    void recorded(const RecordedInput& input) override;
    // The inputs of these kinds, in order.
    std::vector<RecordedInput> of(std::initializer_list<RecordedInput::Kind> kinds);
    void clear();

private:
    std::mutex mutex;
    std::vector<RecordedInput> seen;
};

// A recording run on a thread of its own until destroyed. Once constructed
// and ready(), it is reading: `probe` pressed and released a key until the
// recording reported the release, and what it reported was cleared.
class RunningRecording {
public:
    RunningRecording(std::unique_ptr<InputRecording> recording, const std::function<void()>& probe);
    ~RunningRecording();

    bool ready() const { return isReady; }
    RecordedInputCollector collector;

private:
    std::unique_ptr<InputRecording> recording;
    std::thread thread;
    bool isReady = false;
};

// True when interrupt() ends a recording at once: one interrupted before it
// runs returns at once, and a running one ends within 0.2 s.
bool interruptEndsAtOnce(const std::function<std::unique_ptr<InputRecording>()>& make,
                         const std::function<void()>& probe);
