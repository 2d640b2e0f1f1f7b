#include "run/timedoperations.h"
#include "run/timedwait.h"

namespace timed {

void click(InputBackend& input, const StopSignal& stop, MouseButton button, double hold) {
    input.sendMouseButton(button, true);
    waitSeconds(stop, hold);
    input.sendMouseButton(button, false);
}

} // namespace timed
