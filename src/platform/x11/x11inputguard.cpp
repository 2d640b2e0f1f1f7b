#include "platform/x11/x11inputguard.h"

#include <QDebug>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace x11guard {

namespace {

struct Record {
    std::uint8_t what;
    std::uint8_t code;
    std::uint16_t unused;
    std::uint32_t value;
};
static_assert(sizeof(Record) == 8);

// Clients read a keyboard map when they handle a key, which may be well after
// it was sent: lent keys are emptied no sooner than this after the end.
constexpr std::chrono::milliseconds settleTime{300};

// A guard started anew gets its socket in this variable, and nothing else.
constexpr char socketVariable[] = "KESTRUN_INPUT_GUARD_SOCKET";
// Exec's status when the new guard could not be started.
constexpr int execFailed = 127;

// What the guarded process holds on the server, as it reported it.
struct Holdings {
    std::string display;
    std::array<int, 256> keys{};
    std::set<unsigned> buttons;
    std::set<unsigned> repeatOff;
    std::map<unsigned, KeySym> lent;

    void apply(const Record& record, const std::string& text) {
        const auto what = static_cast<Report>(record.what);
        const unsigned code = record.code;
        switch (what) {
        case Report::Display:
            display = text;
            break;
        case Report::KeyDown:
            ++keys[code];
            break;
        case Report::KeyUp:
            keys[code] = std::max(0, keys[code] - 1);
            break;
        case Report::ButtonDown:
            buttons.insert(code);
            break;
        case Report::ButtonUp:
            buttons.erase(code);
            break;
        case Report::RepeatOff:
            repeatOff.insert(code);
            break;
        case Report::RepeatOn:
            repeatOff.erase(code);
            break;
        case Report::SpareLent:
            lent[code] = record.value;
            break;
        case Report::SpareEmptied:
            lent.erase(code);
            break;
        }
    }

    bool holdsAnything() const {
        for (int count : keys)
            if (count > 0)
                return true;
        return !buttons.empty() || !repeatOff.empty() || !lent.empty();
    }

    // The reports that tell a new guard all of it.
    std::string asReports() const {
        std::string reports;
        const auto add = [&reports](Report what, unsigned code, std::uint32_t value = 0) {
            const Record record{static_cast<std::uint8_t>(what), static_cast<std::uint8_t>(code), 0,
                                value};
            reports.append(reinterpret_cast<const char*>(&record), sizeof record);
        };
        add(Report::Display, 0, static_cast<std::uint32_t>(display.size()));
        reports += display;
        for (unsigned keycode = 0; keycode < keys.size(); ++keycode)
            for (int i = 0; i < keys[keycode]; ++i)
                add(Report::KeyDown, keycode);
        for (unsigned button : buttons)
            add(Report::ButtonDown, button);
        for (unsigned keycode : repeatOff)
            add(Report::RepeatOff, keycode);
        for (const auto& [keycode, keysym] : lent)
            add(Report::SpareLent, keycode, static_cast<std::uint32_t>(keysym));
        return reports;
    }
};

// The guarded side: the guard's socket and process, and what it was told.
std::atomic<bool> guarded{false};
std::mutex sending;
std::atomic<int> guardSocket{-1};
pid_t guardPid = -1;
Holdings reported;
// Tests: the report after which this process kills itself, 0 for none.
int killAfter = 0;

// The core protocol shows a key the server keeps with fewer levels than the
// widest key padded with NoSymbol.
bool carriesOnly(Display* display, unsigned keycode, KeySym keysym) {
    int columns = 0;
    KeySym* row = XGetKeyboardMapping(display, static_cast<KeyCode>(keycode), 1, &columns);
    bool carries = false;
    bool only = row != nullptr;
    for (int i = 0; only && i < columns; ++i) {
        carries = carries || row[i] == keysym;
        only = row[i] == keysym || row[i] == NoSymbol;
    }
    if (row)
        XFree(row);
    return carries && only;
}

void putBack(const Holdings& held) {
    Display* display = XOpenDisplay(held.display.empty() ? nullptr : held.display.c_str());
    if (!display)
        return;
    // Keys and buttons first: the user wants the keyboard back at once.
    for (unsigned keycode = 0; keycode < held.keys.size(); ++keycode)
        if (held.keys[keycode] > 0)
            XTestFakeKeyEvent(display, keycode, False, CurrentTime);
    for (unsigned button : held.buttons)
        XTestFakeButtonEvent(display, button, False, CurrentTime);
    for (unsigned keycode : held.repeatOff) {
        XKeyboardControl control;
        control.key = static_cast<int>(keycode);
        control.auto_repeat_mode = AutoRepeatModeOn;
        XChangeKeyboardControl(display, KBKey | KBAutoRepeatMode, &control);
    }
    XSync(display, False);
    if (!held.lent.empty()) {
        std::this_thread::sleep_for(settleTime);
        for (const auto& [keycode, keysym] : held.lent) {
            // Someone else may have taken the key over since.
            if (!carriesOnly(display, keycode, keysym))
                continue;
            int columns = 0;
            KeySym* row = XGetKeyboardMapping(display, static_cast<KeyCode>(keycode), 1, &columns);
            if (row)
                XFree(row);
            std::vector<KeySym> empty(std::max(columns, 1), NoSymbol);
            XChangeKeyboardMapping(display, static_cast<int>(keycode), int(empty.size()),
                                   empty.data(), 1);
        }
        XSync(display, False);
    }
    XCloseDisplay(display);
}

[[noreturn]] void guard(int socket) {
    // Terminal signals reach the whole process group; the guard outlives
    // them and ends only when the guarded process has ended.
    for (int signal : {SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGPIPE})
        ::signal(signal, SIG_IGN);
    // Nothing inherited but the socket and stderr stays open, so nobody
    // waits for the guard to close a pipe of theirs.
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd)
        if (fd != socket)
            close(fd);

    Holdings held;
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(socket, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        pending.append(buffer, size_t(got));
        size_t used = 0;
        while (pending.size() - used >= sizeof(Record)) {
            Record record;
            std::memcpy(&record, pending.data() + used, sizeof record);
            const size_t textLength =
                static_cast<Report>(record.what) == Report::Display ? record.value : 0;
            if (pending.size() - used < sizeof record + textLength)
                break;
            held.apply(record, pending.substr(used + sizeof record, textLength));
            used += sizeof record + textLength;
        }
        pending.erase(0, used);
    }
    if (held.holdsAnything())
        putBack(held);
    _exit(0);
}

void send(const void* data, size_t size) {
    const int socket = guardSocket.load();
    if (socket < 0)
        return;
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t sent = ::send(socket, bytes, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return; // The guard is gone; the watcher starts a new one.
        bytes += sent;
        size -= size_t(sent);
    }
}

// Forks a guard on a new socket pair; `fresh` makes the child a new program,
// as it must be once this process has threads. The socket to it, or -1.
int spawn(bool fresh, pid_t& pid) {
    int sockets[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        return -1;
    // Made before the fork: until it execs, the child of a threaded process
    // may call nothing that could wait for a lock.
    std::string variable = std::string(socketVariable) + '=' + std::to_string(sockets[1]);
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry)
        environment.push_back(*entry);
    environment.push_back(variable.data());
    environment.push_back(nullptr);
    char program[] = "/proc/self/exe";
    char* arguments[] = {program, nullptr};
    pid = fork();
    if (pid == 0) {
        if (!fresh)
            guard(sockets[1]);
        fcntl(sockets[1], F_SETFD, 0);
        execve(program, arguments, environment.data());
        _exit(execFailed);
    }
    close(sockets[1]);
    if (pid < 0) {
        close(sockets[0]);
        return -1;
    }
    return sockets[0];
}

// The guard never writes: its socket becomes readable when it has ended.
// Then it is reaped, and a new guard is told what is held now.
void watchGuard() {
    for (;;) {
        pollfd watched{guardSocket.load(), POLLIN | POLLRDHUP, 0};
        while (poll(&watched, 1, -1) < 0 && errno == EINTR) {
        }
        int status = 0;
        while (waitpid(guardPid, &status, 0) < 0 && errno == EINTR) {
        }
        std::lock_guard lock(sending);
        close(guardSocket.exchange(-1));
        const bool couldStart = !WIFEXITED(status) || WEXITSTATUS(status) != execFailed;
        pid_t pid = -1;
        const int socket = couldStart ? spawn(true, pid) : -1;
        if (socket < 0) {
            qWarning() << "[Guard] the input guard ended and no new one could start: nothing "
                          "releases what is held should this program be killed";
            return;
        }
        guardPid = pid;
        guardSocket.store(socket);
        const std::string reports = reported.asReports();
        send(reports.data(), reports.size());
        qWarning() << "[Guard] the input guard ended; a new one guards what is held now";
    }
}

Report reportNamed(const char* name) {
    const std::pair<const char*, Report> names[] = {{"key-up", Report::KeyUp},
                                                    {"button-up", Report::ButtonUp},
                                                    {"repeat-on", Report::RepeatOn},
                                                    {"spare-emptied", Report::SpareEmptied}};
    for (const auto& [text, report] : names)
        if (name && std::strcmp(name, text) == 0)
            return report;
    return Report{};
}

} // namespace

void start() {
    // A guard started anew by watchGuard is this program again: it guards.
    if (const char* inherited = std::getenv(socketVariable)) {
        const int socket = std::atoi(inherited);
        struct stat status {};
        if (socket > STDERR_FILENO && fstat(socket, &status) == 0 && S_ISSOCK(status.st_mode))
            guard(socket);
    }
    if (guardSocket.load() >= 0)
        return;
    const int socket = spawn(false, guardPid);
    if (socket < 0)
        return;
    guardSocket.store(socket);
    guarded.store(true);
    killAfter = static_cast<int>(reportNamed(std::getenv("KESTRUN_TEST_KILL_AFTER_REPORT")));
    std::thread(watchGuard).detach();
}

bool isActive() {
    return guardSocket.load() >= 0;
}

void report(Report what, unsigned code, std::uint32_t value) {
    if (!guarded.load())
        return;
    const Record record{static_cast<std::uint8_t>(what), static_cast<std::uint8_t>(code), 0, value};
    {
        std::lock_guard lock(sending);
        reported.apply(record, {});
        send(&record, sizeof record);
    }
    if (static_cast<int>(what) == killAfter)
        kill(getpid(), SIGKILL);
}

void reportDisplay(const char* name) {
    if (!guarded.load() || !name)
        return;
    const std::string text(name);
    const Record record{static_cast<std::uint8_t>(Report::Display), 0, 0,
                        static_cast<std::uint32_t>(text.size())};
    std::lock_guard lock(sending);
    reported.apply(record, text);
    send(&record, sizeof record);
    send(text.data(), text.size());
}

} // namespace x11guard
