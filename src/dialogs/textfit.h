#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

// Fixed layouts keep their sizes in every language and with every desktop
// font; texts that would be cut are made smaller first, then elided.

// Whether every line of `text` fits `width` in `font`.
bool textFits(const QFont& font, const QString& text, int width);

// The width a label, push button, check box or combo box leaves its text
// inside its frame, padding, indicator, icon or arrow; 0 for other widgets.
int textRoom(const QWidget* widget);

// The texts a label, button or combo box (every entry) shows.
QStringList shownTexts(const QWidget* widget);

// Gives `widget` (a label, push button, check box or combo box) back the font
// it was designed with, then makes it smaller, down to `smallestPixelSize`,
// until its text (every entry of a combo box) fits. A font set by the
// widget's style sheet is overridden by a rule added to the sheet.
void shrinkToFit(QWidget* widget, int smallestPixelSize);

// Shows `text` in `label` shrunk to fit, and elided at the right if even the
// smallest font is too wide, with the whole text as tooltip then (and no
// tooltip otherwise).
void showFitted(QLabel* label, const QString& text, int smallestPixelSize);
