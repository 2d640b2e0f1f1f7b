#include "record/recordedevent.h"

#include <algorithm>

void dropClickThatStopped(std::vector<RecordedEvent>& events) {
    const auto press = std::find_if(events.rbegin(), events.rend(), [](const RecordedEvent& event) {
        return event.input.kind == RecordedInput::Kind::ButtonDown;
    });
    if (press == events.rend())
        return;
    const bool onlyTheClickFollows =
        std::all_of(events.rbegin(), press, [](const RecordedEvent& event) {
            return event.input.kind == RecordedInput::Kind::ButtonUp ||
                   event.input.kind == RecordedInput::Kind::PointerMove;
        });
    if (onlyTheClickFollows)
        events.erase(std::next(press).base(), events.end());
}
