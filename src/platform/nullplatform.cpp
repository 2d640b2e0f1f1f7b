#include "platform/nullplatform.h"

#include <QDebug>

namespace {

class NullInput : public InputBackend {
public:
    bool canSynthesize() const override { return false; }
    QPoint cursorPosition() override { return {}; }
    void setCursorPosition(int, int) override {}
    bool sendMouseButton(MouseButton, bool) override { return false; }
    bool sendKey(int, bool) override { return false; }
    bool sendUnicodeUnit(char16_t, bool) override { return false; }
    bool isKeyDown(int) override { return false; }
};

class NullKeyboardHook : public KeyboardHook {
public:
    bool install(KeyHookProcedure) override { return false; }
    bool remove() override { return false; }
    bool isInstalled() const override { return false; }
    int lastError() const override { return 0; }
};

class NullHotkey : public GlobalHotkey {
public:
    bool registerHotkey() override {
        qWarning() << "RegisterHotKey failed.";
        return false;
    }
    void unregisterHotkey() override {}
    bool isHotkeyEvent(const QByteArray&, void*) const override { return false; }
};

// Nothing can be synthesised here, so there is no desktop to share.
class UnsharedRunLock : public RunLock {
public:
    bool tryAcquire() override { return true; }
    void release() override {}
};

class NullWindowList : public WindowList {
public:
    QString unavailableReason(bool japanese) const override {
        return japanese ? QStringLiteral("このデスクトップでは、ウィンドウの一覧を読むことも"
                                         "ウィンドウを前面に出すこともできません。")
                        : QStringLiteral("This desktop lets no program list its windows or "
                                         "bring one to the front.");
    }
    std::vector<TopLevelWindow> windows() override { return {}; }
    TopLevelWindow activeWindow() override { return {}; }
    bool activate(WindowHandle) override { return false; }
    TopLevelWindow windowUnderPointer() override { return {}; }
    std::unique_ptr<ActiveWindowWatch> createActiveWindowWatch() override { return nullptr; }
};

class NullScreenCapture : public ScreenCapture {
public:
    QString unavailableReason(bool japanese) const override {
        return japanese ? QStringLiteral("このデスクトップでは画面を読み取れません"
                                         "（XWayland のない Wayland セッションなど）。")
                        : QStringLiteral("This desktop lets no program read the screen "
                                         "(a Wayland session without XWayland, for example).");
    }
    QRect desktopArea() override { return {}; }
    QImage grab(const QRect&) override { return {}; }
    std::unique_ptr<ScreenChangeWatch> createChangeWatch(const QRect&) override { return nullptr; }
};

} // namespace

InputBackend& NullPlatform::input() {
    static NullInput input;
    return input;
}

std::unique_ptr<KeyboardHook> NullPlatform::createKeyboardHook() {
    return std::make_unique<NullKeyboardHook>();
}

GlobalHotkey& NullPlatform::globalHotkey() {
    static NullHotkey hotkey;
    return hotkey;
}

std::unique_ptr<RunLock> NullPlatform::createRunLock() {
    return std::make_unique<UnsharedRunLock>();
}

WindowList& NullPlatform::windowList() {
    static NullWindowList windows;
    return windows;
}

ScreenCapture& NullPlatform::screenCapture() {
    static NullScreenCapture capture;
    return capture;
}
