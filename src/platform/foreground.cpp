#include "platform/foreground.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "platform/win32/windowsapi.h"
#endif

void allowAnotherProcessToComeForward() {
#ifdef Q_OS_WIN
    AllowSetForegroundWindow(ASFW_ANY);
#endif
}
