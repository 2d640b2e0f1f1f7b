#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// A thread running one timed operation, which can tell whether it is over so
// that the run can join it without waiting.
class OperationThread {
public:
    // Starts `work` at once; throws std::system_error when the system cannot
    // start another thread.
    explicit OperationThread(std::function<void()> work);

    bool isFinished() const { return done->load(); }
    bool joinable() const { return thread.joinable(); }
    void join() { thread.join(); }

private:
    // Shared with the thread and kept on the heap, so moving this object
    // while the thread runs is safe.
    std::shared_ptr<std::atomic<bool>> done;
    std::thread thread;
};
