#include "platform/desktoploss.h"

#ifdef KESTRUN_HAVE_X11

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <atomic>
#include <cstring>
#include <string>

namespace {

std::string line;
std::atomic<xcb_connection_t*> qtConnection{nullptr};
QtMessageHandler nextHandler = nullptr;
std::atomic<bool> ending{false};

// Only async-signal-safe calls: other threads may hold any lock.
[[noreturn]] void endNow() {
    if (ending.exchange(true))
        for (;;)
            pause();
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line.data(), line.size());
    _exit(desktopClosedStatus);
}

int onInputOutputError(Display*) {
    endNow();
}

// Qt warns before it ends the program for a broken connection of its own.
void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    xcb_connection_t* connection = qtConnection.load();
    if (type == QtWarningMsg && connection && xcb_connection_has_error(connection))
        endNow();
    if (nextHandler)
        nextHandler(type, context, text);
}

} // namespace

void endWhenTheDesktopCloses(const char* program) {
    line = std::string(program) + ": デスクトップが閉じられました (X サーバーが終了しました)。"
                                  "The desktop closed (the X server went away).\n";
    XSetIOErrorHandler(onInputOutputError);
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection()) {
        qtConnection.store(x11->connection());
        nextHandler = qInstallMessageHandler(onMessage);
    }
}

#else

void endWhenTheDesktopCloses(const char*) {}

#endif
