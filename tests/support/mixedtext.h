#pragma once

#include <QString>

// 183 characters a typing test sends: ASCII with every punctuation mark,
// accented Latin, Cyrillic, CJK, emoji (surrogate pairs), a line break and a
// tab.
inline QString mixedText() {
    return QString::fromUtf8(
        "The quick brown fox jumps over lazy dogs! Prices: 5€ or £4 (≈¥700) — naïve café, "
        "Straße, façade, señor. Ёлка и чай. 世界你好，日本語のテキスト。😀🎉👍\n\tTabbed line: "
        "~`!@#$%^&*()_+-=[]{}|;:'\",.<>/? End");
}
