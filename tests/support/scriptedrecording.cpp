#include "scriptedrecording.h"

bool ScriptedInputRecording::run(InputRecordingListener& listener) {
    if (!available)
        return false;
    for (const RecordedInput& input : script) {
        {
            std::lock_guard lock(mutex);
            if (stop)
                return true;
        }
        listener.recorded(input);
        ++reportedCount;
    }
    std::unique_lock lock(mutex);
    interrupted.wait(lock, [this] { return stop; });
    return true;
}

void ScriptedInputRecording::interrupt() {
    {
        std::lock_guard lock(mutex);
        stop = true;
    }
    interrupted.notify_all();
}
