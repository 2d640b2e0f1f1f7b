#pragma once

#include "platform/screencapture.h"

#include <QSize>

#include <mutex>

#include "platform/win32/windowsapi.h"

// The virtual screen's pixels, copied with BitBlt from the screen's device
// context into a top-down 32-bit DIB section that is kept while big enough.
// Positions are physical pixels on every thread, as the pointer's are.
class Win32ScreenCapture : public ScreenCapture {
public:
    Win32ScreenCapture() = default;
    ~Win32ScreenCapture() override;
    Win32ScreenCapture(const Win32ScreenCapture&) = delete;
    Win32ScreenCapture& operator=(const Win32ScreenCapture&) = delete;

    QString unavailableReason(bool) const override { return {}; }
    QRect desktopArea() override;
    QImage grab(const QRect& area) override;
    std::unique_ptr<ScreenChangeWatch> createChangeWatch(const QRect& area) override;

private:
    bool makeRoomFor(const QSize& size);
    void freeBitmap();

    std::mutex mutex;
    HDC memoryDc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    const quint32* bits = nullptr;
    QSize bitmapSize;
};
