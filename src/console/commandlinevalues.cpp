#include "console/commandlinevalues.h"

#include "keys/keycombination.h"
#include "model/tokens.h"

int naturalNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value >= 0 ? value : -1;
}

std::optional<QString> exitCommandFromText(const QString& text, bool noneAllowed) {
    if (text == QLatin1String("none") || text == keyword::None) {
        if (noneAllowed)
            return keyword::None;
        return std::nullopt;
    }
    const std::optional<KeyCombination> combination = KeyCombination::fromText(text);
    if (!combination || combination->virtualKey <= 0)
        return std::nullopt;
    return combination->toText();
}
