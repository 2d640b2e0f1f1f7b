#pragma once

#include <QString>
#include <QStringList>

// Readable English forms of a page's operation and condition, for the
// player's verbose output.
QString describeCommand(const QStringList& command);
QString describeCondition(const QStringList& condition);
