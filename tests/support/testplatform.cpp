#include "testplatform.h"

#include <QDebug>

FakeKeyboardHook::~FakeKeyboardHook() {
    if (installed)
        remove();
}

bool FakeKeyboardHook::install(KeyHookProcedure procedure) {
    if (installed)
        return true;
    if (shared.failInstall)
        return false;
    installed = true;
    ++shared.installs;
    shared.procedure = std::move(procedure);
    return true;
}

bool FakeKeyboardHook::remove() {
    if (!installed)
        return false;
    installed = false;
    ++shared.removes;
    shared.procedure = nullptr;
    return true;
}

bool FakeHotkey::registerHotkey() {
    if (failRegister) {
        qWarning() << "RegisterHotKey failed.";
        return false;
    }
    registered = true;
    return true;
}

bool FakeHotkey::isHotkeyEvent(const QByteArray& type, void*) const {
    return registered && type == eventType();
}

bool FakeRunLock::tryAcquire() {
    if (mine)
        return true;
    if (shared.takenElsewhere || shared.held)
        return false;
    mine = shared.held = true;
    return true;
}

void FakeRunLock::release() {
    if (mine)
        shared.held = false;
    mine = false;
}

TestPlatform::TestPlatform() {
    Platform::setInstanceForTesting(this);
}

TestPlatform::~TestPlatform() {
    Platform::setInstanceForTesting(nullptr);
}

std::unique_ptr<InputRecording> TestPlatform::createInputRecording() {
    if (!recordable)
        return nullptr;
    return std::make_unique<ScriptedInputRecording>(recordingScript);
}

std::unique_ptr<KeyboardHook> TestPlatform::createKeyboardHook() {
    return std::make_unique<FakeKeyboardHook>(hook);
}
