#include "platform/inputguard.h"

#ifdef KESTRUN_HAVE_X11
#include "platform/x11/x11inputguard.h"
#endif

void startInputGuard() {
#ifdef KESTRUN_HAVE_X11
    x11guard::start();
#endif
}
