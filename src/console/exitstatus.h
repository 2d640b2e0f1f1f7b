#pragma once

// What the command-line programs end with. The desktop closing ends them
// with desktopClosedStatus (platform/desktoploss.h).
namespace exitstatus {
constexpr int Ended = 0;
// The project file could not be read (the player) or written (the recorder).
constexpr int FileTrouble = 1;
constexpr int BadUsage = 2;
// This session cannot synthesise (the player) or record (the recorder) input.
constexpr int NoInput = 3;
constexpr int Stopped = 4;
constexpr int AnotherRun = 5;
} // namespace exitstatus
