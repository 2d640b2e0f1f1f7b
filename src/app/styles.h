#pragma once

#include <QString>

// The main window's style sheets. Fonts are set per widget in pixels; every
// sheet ends with the tooltip rule.
namespace style {
QString group();
QString button24();
QString button48();
QString button16();
QString redButton();
QString combo();
QString label24();
QString label24Spaced();
QString label30();
QString text();
QString realSpin();
QString spin();
QString tooltipOnly();
// The smaller type of the dense screen-page fields.
QString small16();
QString swatch(const QString& color);
} // namespace style
