#include "platform/win32/win32runlock.h"

#include "platform/win32/windowsapi.h"

Win32RunLock::~Win32RunLock() {
    release();
}

// Only the existence of the name counts, not the mutex's owning thread, so
// the lock belongs to the process whichever thread took it.
bool Win32RunLock::tryAcquire() {
    if (handle)
        return true;
    HANDLE created = CreateMutexW(nullptr, FALSE, L"Local\\KestrunRun");
    if (!created)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(created);
        return false;
    }
    handle = created;
    return true;
}

void Win32RunLock::release() {
    if (handle)
        CloseHandle(static_cast<HANDLE>(handle));
    handle = nullptr;
}
