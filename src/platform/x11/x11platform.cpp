#include "platform/x11/x11platform.h"

#include "platform/x11/x11keyboardhook.h"

X11Platform::X11Platform(QByteArray displayName)
    : displayName(std::move(displayName)),
      backend(this->displayName.isEmpty() ? nullptr : this->displayName.constData()) {}

QByteArray X11Platform::displayNameOf(Display* display) {
    return DisplayString(display);
}

std::unique_ptr<KeyboardHook> X11Platform::createKeyboardHook() {
    return std::make_unique<X11KeyboardHook>(displayName);
}
