#pragma once

#include <QMessageBox>

// The room a window needs across for `title` in its title bar: the title in
// a bold desktop font, with the bar's icon and buttons beside it.
int titleBarWidth(const QString& title);

// A modal message box as QMessageBox's static functions show it, but at
// least as wide as its title needs, which a desktop would otherwise cut.
QMessageBox::StandardButton showMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);
