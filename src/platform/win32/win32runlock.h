#pragma once

#include "platform/runlock.h"

// The run lock of a Windows session: a named mutex in the session's
// namespace. Whoever creates it holds the lock; the system closes the handle,
// and the name goes, when the process ends however it ended.
class Win32RunLock : public RunLock {
public:
    Win32RunLock() = default;
    ~Win32RunLock() override;
    Win32RunLock(const Win32RunLock&) = delete;
    Win32RunLock& operator=(const Win32RunLock&) = delete;

    bool tryAcquire() override;
    void release() override;

private:
    void* handle = nullptr;
};
