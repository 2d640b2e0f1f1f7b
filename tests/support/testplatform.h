#pragma once

#include "fakewindowlist.h"
#include "platform/platform.h"
#include "recordingbackend.h"
#include "scriptedrecording.h"

// A keyboard filter the test drives by hand: it remembers the procedure it was
// given so the test can feed key events through it.
class FakeKeyboardHook : public KeyboardHook {
public:
    struct Shared {
        bool failInstall = false;
        int installs = 0;
        int removes = 0;
        bool capturing = false;
        KeyHookProcedure procedure;
    };

    explicit FakeKeyboardHook(Shared& shared) : shared(shared) {}
    ~FakeKeyboardHook() override;

    bool install(KeyHookProcedure procedure) override;
    bool remove() override;
    bool isInstalled() const override { return installed; }
    int lastError() const override { return shared.failInstall ? 5 : 0; }
    void setCapturing(bool capturing) override { shared.capturing = capturing; }

private:
    Shared& shared;
    bool installed = false;
};

class FakeHotkey : public GlobalHotkey {
public:
    bool failRegister = false;
    bool registered = false;

    bool registerHotkey() override;
    void unregisterHotkey() override { registered = false; }
    bool isHotkeyEvent(const QByteArray& eventType, void* message) const override;
    // The native event the test posts to mean "the hotkey was pressed".
    static QByteArray eventType() { return "kestrun_test_hotkey"; }
};

// A run lock the test can find taken by another run; it knows whether a run
// of this process holds it.
class FakeRunLock : public RunLock {
public:
    struct Shared {
        bool takenElsewhere = false;
        bool held = false;
    };

    explicit FakeRunLock(Shared& shared) : shared(shared) {}
    ~FakeRunLock() override { release(); }

    bool tryAcquire() override;
    void release() override;

private:
    Shared& shared;
    bool mine = false;
};

// Installs itself as the process's platform for its lifetime.
class TestPlatform : public Platform {
public:
    TestPlatform();
    ~TestPlatform() override;

    InputBackend& input() override { return backend; }
    std::unique_ptr<KeyboardHook> createKeyboardHook() override;
    std::unique_ptr<InputEventSource> createInputEventSource() override {
        return backend.createEventSource();
    }
    // A recording of `recordingScript`; nullptr while the desktop is made
    // unrecordable.
    std::unique_ptr<InputRecording> createInputRecording() override;
    GlobalHotkey& globalHotkey() override { return hotkey; }
    std::unique_ptr<RunLock> createRunLock() override {
        return std::make_unique<FakeRunLock>(runLock);
    }
    WindowList& windowList() override { return windows; }

    RecordingBackend backend;
    FakeKeyboardHook::Shared hook;
    FakeHotkey hotkey;
    FakeRunLock::Shared runLock;
    FakeWindowList windows;
    std::vector<RecordedInput> recordingScript;
    bool recordable = true;
};
