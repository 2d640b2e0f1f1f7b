#pragma once

#include <functional>

// The four modifier bits of a stored mask (Alt 1, Ctrl 2, Shift 4, Win 8).
constexpr int modifierBits = 15;

// The stored-mask bit a modifier key stands for, 0 for any other key.
int storedModifierOf(int virtualKey);

// Stored mask of the modifiers whose generic, left or right key `isDown`
// says is down.
int storedModifiersDown(const std::function<bool(int virtualKey)>& isDown);
