#pragma once

#include <QString>

#include <span>

class QWidget;

// The window's fixed texts in both languages. `objectName` is the widget's,
// menu's or action's object name; `item` is the position of a combo box entry,
// or -1 for the text, title or menu title of the object itself.
struct FixedText {
    const char* objectName;
    int item;
    const char* japanese;
    const char* english;
};

// An explanatory tooltip shown in help mode; some widgets share one text, so a
// row names one or two objects (`secondObjectName` may be null).
struct HelpText {
    const char* objectName;
    const char* secondObjectName;
    const char* japanese;
    const char* english;
};

std::span<const FixedText> fixedTexts();
std::span<const HelpText> helpTexts();

// Gives every fixed text under `window` the text of the chosen language and,
// with `help`, the help tooltips; without it those tooltips are cleared. Combo
// boxes only get their entries renamed, never added or removed, so their
// current position stays. Objects that are missing or of an unexpected kind are
// skipped with one warning. It neither logs the language change nor refreshes the
// editor: that is the caller's part.
void applyInterfaceTexts(QWidget* window, bool japanese, bool help);

// The modal welcome box of the very first start, in both languages at once;
// it tells the user help mode is on, so the caller turns help mode on after it.
void showFirstStartWelcome(QWidget* parent);

// Type label texts of the editor: the name of an operation or condition type
// keyword ("クリック", "終わるまで待つ", ...) in the chosen language, the same
// names as the type menus use. A null string for an unknown keyword.
QString operationTypeText(const QString& keyword, bool japanese);
QString conditionTypeText(const QString& keyword, bool japanese);
