#include "platform/x11/x11platform.h"

#include "platform/x11/x11keyboardhook.h"
#include "platform/x11/x11runlock.h"
#ifdef KESTRUN_HAVE_XI
#include "platform/x11/x11inputeventsource.h"
#include "platform/x11/x11inputrecording.h"
#endif

X11Platform::X11Platform(QByteArray displayName)
    : displayName(std::move(displayName)),
      backend(this->displayName.isEmpty() ? nullptr : this->displayName.constData()),
      windows(this->displayName) {}

QByteArray X11Platform::displayNameOf(Display* display) {
    return DisplayString(display);
}

std::unique_ptr<KeyboardHook> X11Platform::createKeyboardHook() {
    return std::make_unique<X11KeyboardHook>(displayName);
}

std::unique_ptr<InputEventSource> X11Platform::createInputEventSource() {
#ifdef KESTRUN_HAVE_XI
    return std::make_unique<X11InputEventSource>(displayName, backend.sentInput());
#else
    return nullptr;
#endif
}

std::unique_ptr<InputRecording> X11Platform::createInputRecording() {
#ifdef KESTRUN_HAVE_XI
    return std::make_unique<X11InputRecording>(displayName);
#else
    return nullptr;
#endif
}

std::unique_ptr<RunLock> X11Platform::createRunLock() {
    return std::make_unique<X11RunLock>(displayName);
}
