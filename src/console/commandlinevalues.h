#pragma once

#include <optional>

#include <QString>

// Option values both command-line programs read the same way.

// A whole number of at least 0, or -1.
int naturalNumber(const QString& text);

// An exit command given as key text "vk,mask" in its stored form, or
// keyword::None for "none" and "なし" where `noneAllowed`; empty when the
// text names no key.
std::optional<QString> exitCommandFromText(const QString& text, bool noneAllowed);
