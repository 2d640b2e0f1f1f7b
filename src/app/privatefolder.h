#pragma once

#include <QString>

// A folder in `base` that only this user may enter, made where it is missing:
// for the lock and the socket of the single instance when the system offers
// no runtime folder. Used only while it is a real folder (no link) of this
// user with mode 0700, since anyone may make one there first; empty when it
// is not. Unix only.
QString privateFolderIn(const QString& base);
