#pragma once

#include <cstdint>

// The X11 input guard: a child process forked at start-up, holding a socket
// to this process. The X11 backend reports to it what it holds on the server
// as it goes; when the socket closes because this process ended, however it
// ended, the guard opens a connection of its own and releases every key and
// button still reported down, switches autorepeat back on where it was
// switched off, and empties the spare keys still lent. A release is reported
// only once it has left this process. Should the guard die first, it is
// reaped and a new one, this program started afresh, is told what is held.
namespace x11guard {

enum class Report : std::uint8_t {
    Display = 1, // value: length of the display name, which follows
    KeyDown,
    KeyUp,
    ButtonDown,
    ButtonUp,
    RepeatOff,
    RepeatOn,
    SpareLent, // value: the keysym lent
    SpareEmptied,
};

// Forks the guard. Only before any thread exists: a child forked from a
// threaded process may find locks (malloc's, Xlib's) held by threads that no
// longer exist in it. In a guard started afresh it becomes that guard and
// never returns. KESTRUN_TEST_KILL_AFTER_REPORT (key-up, button-up,
// repeat-on, spare-emptied) has tests kill this process right after telling
// the guard so.
void start();
// Whether a guard was started and still listens.
bool isActive();
// Tells the guard; does nothing without one.
void report(Report what, unsigned code, std::uint32_t value = 0);
void reportDisplay(const char* name);

} // namespace x11guard
