#include "platform/platform.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <QtGui/qguiapplication_platform.h>
#include <atomic>
#include <memory>

#include "platform/nullplatform.h"
#ifdef Q_OS_WIN
#include "platform/win32/win32platform.h"
#endif
#ifdef KESTRUN_HAVE_X11
#include "platform/x11/x11platform.h"
#endif

namespace {

std::atomic<Platform*> testPlatform{nullptr};

#ifdef KESTRUN_HAVE_X11
// X11 only when Qt itself runs on xcb: under Wayland an XWayland display may
// exist, but its input reaches X clients alone. The connection goes to the
// display Qt uses.
std::unique_ptr<Platform> openX11Platform() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    QByteArray displayName;
#if QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display())
        displayName = X11Platform::displayNameOf(x11->display());
#endif
    auto platform = std::make_unique<X11Platform>(displayName);
    if (!platform->isUsable())
        return nullptr;
    return platform;
}
#endif

Platform& chosenPlatform() {
    static const std::unique_ptr<Platform> chosen = []() -> std::unique_ptr<Platform> {
#ifdef Q_OS_WIN
        return std::make_unique<Win32Platform>();
#else
#ifdef KESTRUN_HAVE_X11
        if (auto x11 = openX11Platform())
            return x11;
#endif
        return std::make_unique<NullPlatform>();
#endif
    }();
    return *chosen;
}

} // namespace

Platform& Platform::instance() {
    if (Platform* platform = testPlatform.load())
        return *platform;
    return chosenPlatform();
}

void Platform::setInstanceForTesting(Platform* platform) {
    testPlatform.store(platform);
}
