#pragma once

// The status a program ends with when its desktop (the X server) goes away.
constexpr int desktopClosedStatus = 6;

// From now on the X server going away ends the program at once, from
// whichever thread notices first: one line on stderr in both languages, then
// desktopClosedStatus. Xlib's own handler would call exit on every thread
// that noticed, at once, and Qt's ends with status 1. Call it once the
// application object exists. Does nothing off X11.
void endWhenTheDesktopCloses(const char* program);
