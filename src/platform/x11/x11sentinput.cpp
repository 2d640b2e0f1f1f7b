#include "platform/x11/x11sentinput.h"

#include <algorithm>

namespace {

template <typename Events, typename Time> void forgetOld(Events& events, Time now) {
    while (!events.empty() && now - events.front().at > X11SentInput::patience)
        events.pop_front();
}

} // namespace

// Nobody may be reading the events (a run without a watcher): what is not
// taken back in time is forgotten here too.
void X11SentInput::sent(Device device, unsigned code, bool down, Clock::time_point at) {
    std::lock_guard lock(mutex);
    std::deque<Sent>& events = pending[{device, code}];
    forgetOld(events, at);
    events.push_back({down, at});
}

// The server handles one client's requests in order, so the events of one
// key come back in the order they were sent: an event that matches a later
// entry shows that the ones before it brought no event.
bool X11SentInput::takeBack(Device device, unsigned code, bool down, Clock::time_point at) {
    std::lock_guard lock(mutex);
    const auto found = pending.find({device, code});
    if (found == pending.end())
        return false;
    std::deque<Sent>& events = found->second;
    forgetOld(events, at);
    const auto match = std::find_if(events.begin(), events.end(),
                                    [down](const Sent& event) { return event.down == down; });
    const bool ours = match != events.end();
    if (ours)
        events.erase(events.begin(), match + 1);
    if (events.empty())
        pending.erase(found);
    return ours;
}
