// Key texts on arbitrary bytes: the key combination reader, the run's field
// reader and the two labels must agree on what names a key.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "fuzzcheck.h"
#include "keys/keycombination.h"
#include "run/keyfields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString none = QStringLiteral("なし");
    const std::optional<KeyCombination> combination = KeyCombination::fromText(text);
    const KeyFields fields = parseKeyFields(text);

    if (!combination) {
        FUZZ_CHECK(fields.virtualKey == 0);
        const bool noKey = text.isEmpty() || text == none;
        FUZZ_CHECK(keyCombinationLabel(text) == (noKey ? none : text));
        FUZZ_CHECK(exitCommandLabel(text) == (noKey ? none : QStringLiteral("無効なキー")));
        return 0;
    }

    // Both readers take the same key and mask from the same text.
    FUZZ_CHECK(fields.virtualKey == combination->virtualKey);
    FUZZ_CHECK(fields.mask == combination->modifiers);
    // The written form reads back as the same combination and is stable.
    const QString written = combination->toText();
    const std::optional<KeyCombination> reread = KeyCombination::fromText(written);
    FUZZ_CHECK(reread && reread->virtualKey == combination->virtualKey &&
               reread->modifiers == combination->modifiers);
    FUZZ_CHECK(reread->toText() == written);
    // Both labels show a key the same way, ending in its name unless it is
    // a modifier shown by its modifier name.
    const QString label = keyCombinationLabel(text);
    FUZZ_CHECK(label == exitCommandLabel(text));
    FUZZ_CHECK(label == keyCombinationLabel(written));
    FUZZ_CHECK(label.endsWith(keyName(combination->virtualKey)) ||
               isModifierKey(combination->virtualKey));
    return 0;
}
