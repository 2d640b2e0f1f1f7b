#pragma once

#include <QByteArray>

// Qt's document parser refuses a lone string, number, boolean or null as a
// syntax error; this tells such valid JSON apart from broken text, so both
// file readers can report it as a root that is not an object.
bool isJsonScalar(const QByteArray& data);
