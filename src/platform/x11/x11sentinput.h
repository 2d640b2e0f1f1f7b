#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <utility>

// The presses and releases this program synthesised through XTest whose raw
// events have not come back yet, per keycode and per button, so that a run
// tells its own input from everyone else's: the user's, and that of other
// programs using XTest too (xdotool, a remote desktop, an on-screen
// keyboard). Written by the backend as it sends, read by the event source as
// the events arrive, on other threads.
class X11SentInput {
public:
    using Clock = std::chrono::steady_clock;
    enum class Device { Key, Button };

    // An event the server dropped (a modifier pressed while XTest already
    // holds it down) is forgotten after this, if no later one of ours on the
    // same key has shown that it is not coming.
    static constexpr std::chrono::seconds patience{2};

    void sent(Device device, unsigned code, bool down, Clock::time_point at = Clock::now());
    // Whether the raw event from an XTest device is one this program sent;
    // it is then accounted for.
    bool takeBack(Device device, unsigned code, bool down, Clock::time_point at = Clock::now());

private:
    struct Sent {
        bool down;
        Clock::time_point at;
    };

    std::mutex mutex;
    std::map<std::pair<Device, unsigned>, std::deque<Sent>> pending;
};
