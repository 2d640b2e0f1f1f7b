#pragma once

#include <QString>

// The name of the program that the running process `pid` was started from,
// without folder or extension ("kestrun" for kestrun.exe); empty when no
// such process runs or the system will not say.
QString runningProgramName(qint64 pid);
