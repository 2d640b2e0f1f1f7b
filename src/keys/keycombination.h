#pragma once

#include <optional>

#include <QString>

class InputBackend;

// Modifier masks. The stored mask is what files and the run engine use; the
// held mask exists only inside the key capture and the modifier query.
namespace storedmask {
constexpr int Alt = 1;
constexpr int Ctrl = 2;
constexpr int Shift = 4;
constexpr int Win = 8;
} // namespace storedmask
namespace heldmask {
constexpr int Ctrl = 1;
constexpr int Alt = 2;
constexpr int Shift = 4;
constexpr int Win = 8;
} // namespace heldmask

// One key press with the modifiers held with it, written "%1,%2" (virtual-key
// code, stored mask), "なし" meaning none.
struct KeyCombination {
    int virtualKey = 0;
    int modifiers = 0;

    // Empty when the text's first piece is not an integer or there is none.
    static std::optional<KeyCombination> fromText(const QString& text);
    QString toText() const;
};

int toStoredMask(int heldMask);
bool isModifierKey(int virtualKey);
// The held bit a modifier key sets, 0 for any other key.
int heldBitOf(int virtualKey);
QString keyName(int virtualKey);
QString keyCombinationLabel(const QString& text);
QString exitCommandLabel(const QString& text);

// Held mask of the modifiers physically down now.
int currentModifierMask(InputBackend& input);
