// The Windows counterpart of xev: one top-level window that writes every key,
// character, button and activation message it receives to a file, one line
// each, so that a test can see what a real Win32 client gets.
//
// Usage: winevents OUTPUT_FILE [--keep-foreground] [--title TITLE] [--picture SEED]
//                  [X Y WIDTH HEIGHT]
//
// Lines (numbers decimal, TIME the message time in milliseconds):
//   ready HWND                     the window exists and has the foreground
//   keydown|keyup|syskeydown|syskeyup VK SCAN EXTENDED REPEAT TIME
//   char|syschar UNIT               one UTF-16 code unit
//   lbuttondown|lbuttonup|rbuttondown|rbuttonup X Y TIME   screen coordinates
//   foreground PID CLASS            another window took the foreground: the
//                                   process it belongs to and its class
// With --keep-foreground the window takes the foreground back at once, so
// that input synthesised afterwards still arrives here. With --picture it
// paints the 64 x 64 test picture of that seed at the top left of its client
// area, in physical pixels, for a search of the screen to find.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "platform/win32/windowsapi.h"
#include "testpicture.h"

namespace {

FILE* output = nullptr;
bool announced = false;
bool keepForeground = false;
HWND lastForeground = nullptr;
bool showsPicture = false;
unsigned pictureSeed = 0;
constexpr UINT_PTR watchTimer = 1;

void writeLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

void writeLine(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(output, format, arguments);
    va_end(arguments);
    std::fputc('\n', output);
    std::fflush(output);
}

void writeKey(const char* name, WPARAM wParam, LPARAM lParam) {
    const unsigned scan = (static_cast<unsigned>(lParam) >> 16) & 0xff;
    const unsigned extended = (static_cast<unsigned>(lParam) >> 24) & 1;
    const unsigned repeat = (static_cast<unsigned>(lParam) >> 30) & 1;
    writeLine("%s %u %u %u %u %ld", name, static_cast<unsigned>(wParam), scan, extended, repeat,
              GetMessageTime());
}

void writeButton(HWND window, const char* name, LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &point);
    writeLine("%s %ld %ld %ld", name, point.x, point.y, GetMessageTime());
}

// Notes who took the foreground and, if asked to, takes it back.
void watchForeground(HWND window) {
    const HWND foreground = GetForegroundWindow();
    if (foreground == window) {
        lastForeground = window;
        return;
    }
    if (foreground && foreground != lastForeground) {
        DWORD process = 0;
        GetWindowThreadProcessId(foreground, &process);
        char className[128] = "";
        GetClassNameA(foreground, className, sizeof className);
        writeLine("foreground %lu %s", process, className);
    }
    lastForeground = foreground;
    if (keepForeground)
        SetForegroundWindow(window);
}

void paintPicture(HDC dc) {
    constexpr int side = 64;
    static DWORD pixels[side * side];
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            pixels[y * side + x] = testpicture::pixel(pictureSeed, x, y);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, side, side, 0, 0, 0, side, pixels, &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        writeKey("keydown", wParam, lParam);
        break;
    case WM_KEYUP:
        writeKey("keyup", wParam, lParam);
        break;
    case WM_SYSKEYDOWN:
        writeKey("syskeydown", wParam, lParam);
        return 0; // no menu mode: Alt combinations stay plain key messages
    case WM_SYSKEYUP:
        writeKey("syskeyup", wParam, lParam);
        return 0;
    case WM_CHAR:
        writeLine("char %u", static_cast<unsigned>(wParam));
        return 0;
    case WM_SYSCHAR:
        writeLine("syschar %u", static_cast<unsigned>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        writeButton(window, "lbuttondown", lParam);
        break;
    case WM_LBUTTONUP:
        writeButton(window, "lbuttonup", lParam);
        break;
    case WM_RBUTTONDOWN:
        writeButton(window, "rbuttondown", lParam);
        break;
    case WM_RBUTTONUP:
        writeButton(window, "rbuttonup", lParam);
        return 0; // no context menu
    case WM_TIMER:
        // Announced once the window really has the foreground, so that the
        // test sends nothing before it can arrive here.
        if (wParam == watchTimer) {
            if (announced) {
                watchForeground(window);
            } else if (GetForegroundWindow() == window) {
                announced = true;
                lastForeground = window;
                writeLine("ready %llu",
                          static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
            }
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        if (showsPicture)
            paintPicture(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int first = 2;
    if (argc > first && std::wcscmp(argv[first], L"--keep-foreground") == 0) {
        keepForeground = true;
        ++first;
    }
    const wchar_t* title = L"winevents";
    if (argc > first + 1 && std::wcscmp(argv[first], L"--title") == 0) {
        title = argv[first + 1];
        first += 2;
    }
    if (argc > first + 1 && std::wcscmp(argv[first], L"--picture") == 0) {
        showsPicture = true;
        pictureSeed = static_cast<unsigned>(std::wcstoul(argv[first + 1], nullptr, 10));
        first += 2;
    }
    if (argc < 2 || (argc != first && argc != first + 4)) {
        std::fputs("usage: winevents OUTPUT_FILE [--keep-foreground] [--title TITLE] "
                   "[--picture SEED] [X Y WIDTH HEIGHT]\n",
                   stderr);
        return 2;
    }
    output = _wfopen(argv[1], L"w");
    if (!output)
        return 1;
    int geometry[4] = {100, 100, 400, 300};
    for (int i = 0; i < 4 && argc == first + 4; ++i)
        geometry[i] = static_cast<int>(std::wcstol(argv[first + i], nullptr, 10));

    // Screen coordinates in physical pixels, as the input services use them.
    SetProcessDPIAware();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"KestrunWinEvents";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, geometry[0],
                        geometry[1], geometry[2], geometry[3], nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SetFocus(window);
    SetTimer(window, watchTimer, 10, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    std::fclose(output);
    return 0;
}
