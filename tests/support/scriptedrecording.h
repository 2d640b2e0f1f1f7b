#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/inputrecording.h"

// A recording that reports a scripted list of input at once, in order, then
// waits for interrupt(), as a real one waits for the user.
class ScriptedInputRecording : public InputRecording {
public:
    explicit ScriptedInputRecording(std::vector<RecordedInput> script, bool available = true)
        : script(std::move(script)), available(available) {}

    bool run(InputRecordingListener& listener) override;
    void interrupt() override;

    // How many of the scripted inputs run has reported so far.
    int reported() const { return reportedCount.load(); }

private:
    const std::vector<RecordedInput> script;
    const bool available;
    std::atomic<int> reportedCount{0};
    std::mutex mutex;
    std::condition_variable interrupted;
    bool stop = false;
};
