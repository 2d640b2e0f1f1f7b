#include "platform/codeunitjoiner.h"

namespace {

constexpr char32_t replacementCharacter = 0xfffd;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xd800 && unit <= 0xdbff;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xdc00 && unit <= 0xdfff;
}

} // namespace

std::u32string CodeUnitJoiner::press(char16_t unit) {
    std::u32string typed;
    const bool lineFeedAfterReturn = afterCarriageReturn && unit == u'\n';
    afterCarriageReturn = unit == u'\r';
    if (isLowSurrogate(unit)) {
        if (pendingHigh) {
            typed += 0x10000 + ((char32_t(pendingHigh) - 0xd800) << 10) + (unit - 0xdc00);
            pendingHigh = 0;
        } else {
            typed += replacementCharacter;
        }
        return typed;
    }
    if (pendingHigh) {
        typed += replacementCharacter;
        pendingHigh = 0;
    }
    if (isHighSurrogate(unit))
        pendingHigh = unit;
    else if (!lineFeedAfterReturn)
        typed += unit;
    return typed;
}
