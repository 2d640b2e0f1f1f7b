#pragma once

#include <string>

// Turns UTF-16 code units, pressed one at a time, into the characters to type:
// a surrogate pair becomes one code point and CR LF one line break. A lone
// surrogate becomes U+FFFD, as any UTF-16 decoder reads it.
class CodeUnitJoiner {
public:
    // The characters the press of this unit types, in order: none while a high
    // surrogate waits for its pair or for the LF of a CR LF.
    std::u32string press(char16_t unit);
    // Whether nothing is waiting for the next unit.
    bool isIdle() const { return !pendingHigh && !afterCarriageReturn; }

private:
    char16_t pendingHigh = 0;
    bool afterCarriageReturn = false;
};
