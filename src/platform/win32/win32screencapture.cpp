#include "platform/win32/win32screencapture.h"

#include <algorithm>

#include "platform/pollingchangewatch.h"
#include "platform/win32/win32physicalpixels.h"

namespace {

QRect virtualScreen() {
    return QRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

} // namespace

Win32ScreenCapture::~Win32ScreenCapture() {
    freeBitmap();
}

QRect Win32ScreenCapture::desktopArea() {
    PhysicalPixels physical;
    return virtualScreen();
}

QImage Win32ScreenCapture::grab(const QRect& area) {
    PhysicalPixels physical;
    std::lock_guard lock(mutex);
    const QRect part = area & virtualScreen();
    if (part.isEmpty() || !makeRoomFor(part.size()))
        return {};
    HDC screen = GetDC(nullptr);
    // CAPTUREBLT takes in layered windows, translucent ones among them.
    const bool copied = screen && BitBlt(memoryDc, 0, 0, part.width(), part.height(), screen,
                                         part.x(), part.y(), SRCCOPY | CAPTUREBLT);
    if (screen)
        ReleaseDC(nullptr, screen);
    if (!copied)
        return {};
    GdiFlush();
    QImage image(area.size(), QImage::Format_RGB32);
    if (part != area)
        image.fill(Qt::black);
    const QPoint at = part.topLeft() - area.topLeft();
    // The DIB's unused top byte may be anything; RGB32 wants it opaque.
    for (int row = 0; row < part.height(); ++row) {
        const quint32* source = bits + row * bitmapSize.width();
        auto* line = reinterpret_cast<quint32*>(image.scanLine(at.y() + row)) + at.x();
        for (int column = 0; column < part.width(); ++column)
            line[column] = source[column] | 0xff000000u;
    }
    return image;
}

// A bitmap that has grown stays as large, so that grabs of two sizes in turn
// do not make a new one each time.
bool Win32ScreenCapture::makeRoomFor(const QSize& size) {
    if (bitmap && bitmapSize.width() >= size.width() && bitmapSize.height() >= size.height())
        return true;
    const QSize wanted = size.expandedTo(bitmapSize);
    freeBitmap();
    memoryDc = CreateCompatibleDC(nullptr);
    if (!memoryDc)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = wanted.width();
    info.bmiHeader.biHeight = -wanted.height(); // top-down: row 0 is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(memoryDc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap) {
        freeBitmap();
        return false;
    }
    previousBitmap = SelectObject(memoryDc, bitmap);
    bits = static_cast<const quint32*>(pixels);
    bitmapSize = wanted;
    return true;
}

void Win32ScreenCapture::freeBitmap() {
    if (memoryDc && previousBitmap)
        SelectObject(memoryDc, previousBitmap);
    if (bitmap)
        DeleteObject(bitmap);
    if (memoryDc)
        DeleteDC(memoryDc);
    memoryDc = nullptr;
    bitmap = nullptr;
    previousBitmap = nullptr;
    bits = nullptr;
    bitmapSize = {};
}

std::unique_ptr<ScreenChangeWatch> Win32ScreenCapture::createChangeWatch(const QRect&) {
    return std::make_unique<PollingChangeWatch>();
}
