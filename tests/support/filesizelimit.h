#pragma once

#include <QtGlobal>
#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

// Whether permission bits keep this process from writing a file: on Unix they
// do not bind root; the Windows read-only attribute binds every account.
inline bool permissionBitsBind() {
#ifdef Q_OS_WIN
    return true;
#else
    return geteuid() != 0;
#endif
}

// Keeps every file this process writes below `bytes` while it lives. Root is
// bound by this limit, unlike by permission bits, so writes really fail.
// Windows has no such limit: there `available` is false and it does nothing.
class FileSizeLimit {
public:
#ifdef Q_OS_WIN
    static constexpr bool available = false;
    static constexpr unsigned long long unlimited = ~0ULL;
    explicit FileSizeLimit(unsigned long long) {}
#else
    static constexpr bool available = true;
    static constexpr rlim_t unlimited = RLIM_INFINITY;
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
    }
#endif

    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

#ifndef Q_OS_WIN
private:
    rlimit saved{};
#endif
};
