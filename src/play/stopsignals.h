#pragma once

#include <functional>

class QObject;

// Turns Ctrl+C and SIGTERM into a call of `onStop` on the Qt thread of
// `context`. The signal handler only stores into an atomic, which a timer
// reads; a second signal ends the program the usual way.
void forwardStopSignals(QObject* context, std::function<void()> onStop);
