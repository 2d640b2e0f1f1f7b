#pragma once

class InputBackend;

// Stored modifier mask (Alt 1, Ctrl 2, Shift 4, Win 8) of the modifiers down
// now; a modifier counts as down when its generic, left or right key is.
int storedModifiersDown(InputBackend& input);

// The combination is pressed when its key is down and exactly the modifiers of
// the mask are: one held that the mask does not name prevents a match.
bool isCombinationDown(InputBackend& input, int virtualKey, int mask);
