#include "keys/keycombination.h"

#include <QStringList>

#include "platform/inputbackend.h"

namespace {

const QString noneText = QStringLiteral("なし");

} // namespace

std::optional<KeyCombination> KeyCombination::fromText(const QString& text) {
    const QStringList pieces = text.split(u',', Qt::SkipEmptyParts);
    if (pieces.isEmpty())
        return std::nullopt;
    bool ok = false;
    KeyCombination combination;
    combination.virtualKey = pieces[0].toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    if (pieces.size() > 1)
        combination.modifiers = pieces[1].toInt(nullptr, 10);
    return combination;
}

QString KeyCombination::toText() const {
    return QStringLiteral("%1,%2").arg(virtualKey).arg(modifiers);
}

int toStoredMask(int heldMask) {
    int stored = heldMask & (heldmask::Shift | heldmask::Win);
    if (heldMask & heldmask::Ctrl)
        stored |= storedmask::Ctrl;
    if (heldMask & heldmask::Alt)
        stored |= storedmask::Alt;
    return stored;
}

int heldBitOf(int virtualKey) {
    switch (virtualKey) {
    case vk::Shift:
    case vk::LShift:
    case vk::RShift:
        return heldmask::Shift;
    case vk::Control:
    case vk::LControl:
    case vk::RControl:
        return heldmask::Ctrl;
    case vk::Menu:
    case vk::LMenu:
    case vk::RMenu:
        return heldmask::Alt;
    case vk::LWin:
    case vk::RWin:
        return heldmask::Win;
    default:
        return 0;
    }
}

bool isModifierKey(int virtualKey) {
    return heldBitOf(virtualKey) != 0;
}

QString keyName(int virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return QString(QChar(virtualKey));
    if (virtualKey >= 112 && virtualKey <= 135)
        return QStringLiteral("F%1").arg(virtualKey - 111);
    switch (virtualKey) {
    case 8:
        return QStringLiteral("Backspace");
    case 9:
        return QStringLiteral("Tab");
    case 13:
        return QStringLiteral("Enter");
    case vk::Shift:
    case vk::LShift:
    case vk::RShift:
        return QStringLiteral("Shift");
    case vk::Control:
    case vk::LControl:
    case vk::RControl:
        return QStringLiteral("Ctrl");
    case vk::Menu:
    case vk::LMenu:
    case vk::RMenu:
        return QStringLiteral("Alt");
    case 27:
        return QStringLiteral("Esc");
    case 32:
        return QStringLiteral("Space");
    case 33:
        return QStringLiteral("PageUp");
    case 34:
        return QStringLiteral("PageDown");
    case 35:
        return QStringLiteral("End");
    case 36:
        return QStringLiteral("Home");
    case 37:
        return QStringLiteral("Left");
    case 38:
        return QStringLiteral("Up");
    case 39:
        return QStringLiteral("Right");
    case 40:
        return QStringLiteral("Down");
    case 45:
        return QStringLiteral("Insert");
    case 46:
        return QStringLiteral("Delete");
    case vk::LWin:
    case vk::RWin:
        return QStringLiteral("Win");
    case 93:
        return QStringLiteral("Menu");
    default:
        return QStringLiteral("VK%1").arg(virtualKey);
    }
}

namespace {

QString combinationLabel(const KeyCombination& combination) {
    QStringList names;
    if (combination.modifiers & storedmask::Ctrl)
        names << QStringLiteral("Ctrl");
    if (combination.modifiers & storedmask::Alt)
        names << QStringLiteral("Alt");
    if (combination.modifiers & storedmask::Shift)
        names << QStringLiteral("Shift");
    if (combination.modifiers & storedmask::Win)
        names << QStringLiteral("Win");
    // 162,2 is Ctrl alone, not Ctrl+Ctrl.
    if (!isModifierKey(combination.virtualKey) || names.isEmpty())
        names << keyName(combination.virtualKey);
    return names.join(u'+');
}

} // namespace

QString keyCombinationLabel(const QString& text) {
    if (text.isEmpty() || text == noneText)
        return noneText;
    const std::optional<KeyCombination> combination = KeyCombination::fromText(text);
    return combination ? combinationLabel(*combination) : text;
}

QString exitCommandLabel(const QString& text) {
    if (text.isEmpty() || text == noneText)
        return noneText;
    const std::optional<KeyCombination> combination = KeyCombination::fromText(text);
    return combination ? combinationLabel(*combination) : QStringLiteral("無効なキー");
}

int currentModifierMask(InputBackend& input) {
    int mask = 0;
    if (input.isKeyDown(vk::Control))
        mask |= heldmask::Ctrl;
    if (input.isKeyDown(vk::Menu))
        mask |= heldmask::Alt;
    if (input.isKeyDown(vk::Shift))
        mask |= heldmask::Shift;
    if (input.isKeyDown(vk::LWin) || input.isKeyDown(vk::RWin))
        mask |= heldmask::Win;
    return mask;
}
