#pragma once

#include <QString>

// What a dead key types together with the key after it, as Windows layouts
// compose them: the accent joined to the character when Unicode has the
// two as one (^ and e give ê), the accent alone after a space, otherwise
// the accent followed by the character. `accent` is what the dead key
// types alone (^, ´, ¨...).
QString composeDeadKey(const QString& accent, const QString& next);
