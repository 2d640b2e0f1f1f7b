#pragma once

#include <cstdint>

// The X11 input guard: a child process forked at start-up, holding a socket
// to this process. The X11 backend reports to it what it holds on the server
// as it goes; when the socket closes because this process ended, however it
// ended, the guard opens a connection of its own and releases every key and
// button still reported down, switches autorepeat back on where it was
// switched off, and empties the spare keys still lent.
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
// longer exist in it.
void start();
// Whether a guard was started and still listens.
bool isActive();
// Tells the guard; does nothing without one.
void report(Report what, unsigned code, std::uint32_t value = 0);
void reportDisplay(const char* name);

} // namespace x11guard
