#pragma once

#include <QString>

#include "platform/inputbackend.h"
#include "run/stopsignal.h"

// The operations of a page that take time. Each runs on a thread of its own,
// sleeps on `stop` so that a stop ends it at once, and leaves nothing pressed.
namespace timed {

// Press, hold `hold` seconds, release (also after a stop).
void click(InputBackend& input, const StopSignal& stop, MouseButton button, double hold);

// Moves the pointer on a straight line, linear in time, in steps 5 ms apart; ends exactly on the
// target unless stopped. A duration of 0 or less jumps.
void smoothMove(InputBackend& input, const StopSignal& stop, int x, int y, double duration);

// Text "vk,mask,seconds": presses Ctrl, Alt, Shift, Win as the mask names
// them, then the key; holds; releases in reverse order. A text that names no
// key presses nothing.
void pressKeyCombination(InputBackend& input, const StopSignal& stop, const QString& text);

// Types each UTF-16 code unit at the start of its share of `duration`; every
// deadline is counted from the start, so the pace does not drift.
void typeText(InputBackend& input, const StopSignal& stop, const QString& text, double duration);

} // namespace timed
