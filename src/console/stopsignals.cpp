#include "console/stopsignals.h"

#include <atomic>
#include <csignal>

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "platform/win32/windowsapi.h"

namespace {

// Windows runs console signal handlers on a thread of their own, so the
// handler may wake the waiter itself. An event, not std::atomic::wait:
// mingw's libstdc++ can miss a notification there, and then the player never
// ends.
std::atomic<bool> closing{false};
HANDLE wake = nullptr;

extern "C" void onStopSignal(int) {
    SetEvent(wake);
}

} // namespace

StopSignals::StopSignals(std::function<void()> onStop) {
    closing = false;
    wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!wake)
        return; // Ctrl+C then ends the player as it ends any console program.
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    waiter = std::thread([onStop = std::move(onStop)] {
        WaitForSingleObject(wake, INFINITE);
        if (!closing)
            onStop();
    });
}

StopSignals::~StopSignals() {
    if (!wake)
        return;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    closing = true;
    SetEvent(wake);
    waiter.join();
    CloseHandle(wake);
    wake = nullptr;
}

#else

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

int wakePipe[2] = {-1, -1};

extern "C" void onStopSignal(int) {
    const int savedErrno = errno;
    const char stop = 's';
    [[maybe_unused]] const ssize_t written = write(wakePipe[1], &stop, 1);
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals(std::function<void()> onStop) {
    if (pipe2(wakePipe, O_CLOEXEC) != 0)
        return;
    waiter = std::thread([onStop = std::move(onStop)] {
        char byte = 0;
        ssize_t got = 0;
        do
            got = read(wakePipe[0], &byte, 1);
        while (got < 0 && errno == EINTR);
        if (got == 1 && byte == 's')
            onStop();
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : stopSignals)
        sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals() {
    if (!waiter.joinable())
        return;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    for (int signal : stopSignals)
        sigaction(signal, &ignore, nullptr);
    const char quit = 'q';
    [[maybe_unused]] const ssize_t written = write(wakePipe[1], &quit, 1);
    waiter.join();
    close(wakePipe[0]);
    close(wakePipe[1]);
}

#endif
