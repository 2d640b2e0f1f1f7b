// Qt's headers go before Xlib's, whose macros would break them.
#include <QPainter>
#include <QRegion>

#include "platform/x11/x11screencapture.h"

#include <X11/Xutil.h>

#include "platform/pollingchangewatch.h"
#include "platform/x11/x11errortrap.h"
#include "platform/x11/x11imageconversion.h"
#include "platform/x11/x11monitors.h"
#ifdef KESTRUN_HAVE_XDAMAGE
#include "platform/x11/x11damagewatch.h"
#endif
#ifdef KESTRUN_HAVE_XSHM
#include "platform/x11/x11sharedimage.h"
#endif

namespace {

// Only visuals whose pixels hold their colour in masks of whole bytes can be
// read without a colour map.
bool hasReadablePixels(Display* display) {
    const Visual* visual = DefaultVisual(display, DefaultScreen(display));
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
        return false;
    const int depth = DefaultDepth(display, DefaultScreen(display));
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    bool wholeBytes = false;
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == depth)
            wholeBytes = formats[i].bits_per_pixel % 8 == 0 && formats[i].bits_per_pixel <= 32;
    XFree(formats);
    return wholeBytes;
}

} // namespace

X11ScreenCapture::X11ScreenCapture(const QByteArray& displayName, Transfer transfer)
    : displayName(displayName) {
    display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display)
        return;
    trap = std::make_unique<X11ErrorTrap>(display);
    monitorList = std::make_unique<X11Monitors>(display);
    state = hasReadablePixels(display) ? State::Usable : State::UnknownPixels;
#ifdef KESTRUN_HAVE_XSHM
    if (transfer == Transfer::SharedMemoryFirst)
        shared = std::make_unique<X11SharedImage>(display, *trap);
#else
    Q_UNUSED(transfer)
#endif
}

X11ScreenCapture::~X11ScreenCapture() {
    if (!display)
        return;
#ifdef KESTRUN_HAVE_XSHM
    shared.reset();
#endif
    trap.reset();
    XCloseDisplay(display);
}

QString X11ScreenCapture::unavailableReason(bool japanese) const {
    switch (state) {
    case State::Usable:
        return {};
    case State::NoDisplay:
        return japanese ? QStringLiteral("X ディスプレイに接続できないため、画面を読み取れません。")
                        : QStringLiteral("The screen cannot be read: the X display could not be "
                                         "opened.");
    case State::UnknownPixels:
        return japanese ? QStringLiteral("この X ディスプレイの色の形式は読み取れません。")
                        : QStringLiteral("The colour format of this X display cannot be read.");
    }
    return {};
}

QRect X11ScreenCapture::desktopArea() {
    if (state != State::Usable)
        return {};
    std::lock_guard lock(mutex);
    QRect around;
    for (const QRect& monitor : monitors())
        around |= monitor;
    return around;
}

// Asked each time: the root grows and shrinks as monitors come and go.
QRect X11ScreenCapture::rootGeometry() {
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height, &border,
                      &depth))
        return {};
    return QRect(0, 0, static_cast<int>(width), static_cast<int>(height));
}

std::vector<QRect> X11ScreenCapture::monitors() {
    const QRect root = rootGeometry();
    return root.isEmpty() ? std::vector<QRect>() : monitorList->within(root);
}

QImage X11ScreenCapture::grab(const QRect& area) {
    if (state != State::Usable)
        return {};
    std::lock_guard lock(mutex);
    QRegion seen;
    for (const QRect& monitor : monitors())
        seen |= monitor;
    const QRect part = area & seen.boundingRect();
    if (part.isEmpty())
        return {};
    QImage image(area.size(), QImage::Format_RGB32);
    if (part != area)
        image.fill(Qt::black);
    if (!copyPart(image, part, part.topLeft() - area.topLeft()))
        return {};
    if (const QRegion unseen = QRegion(part) - seen; !unseen.isEmpty()) {
        QPainter painter(&image);
        for (const QRect& between : unseen)
            painter.fillRect(between.translated(-area.topLeft()), Qt::black);
    }
    return image;
}

bool X11ScreenCapture::sharesMemory() const {
#ifdef KESTRUN_HAVE_XSHM
    std::lock_guard lock(mutex);
    return shared && shared->usable();
#else
    return false;
#endif
}

bool X11ScreenCapture::copyPart(QImage& image, const QRect& part, const QPoint& at) {
#ifdef KESTRUN_HAVE_XSHM
    if (shared && shared->read(part, image, at))
        return true;
#endif
    XImage* pixels = XGetImage(display, DefaultRootWindow(display), part.x(), part.y(),
                               part.width(), part.height(), AllPlanes, ZPixmap);
    if (!pixels)
        return false;
    copyToRgb32(*pixels, image, at.x(), at.y());
    XDestroyImage(pixels);
    return true;
}

std::unique_ptr<ScreenChangeWatch> X11ScreenCapture::createChangeWatch(const QRect& area) {
    if (state != State::Usable)
        return nullptr;
#ifdef KESTRUN_HAVE_XDAMAGE
    if (auto watch = X11DamageWatch::open(displayName, area))
        return watch;
#else
    Q_UNUSED(area)
#endif
    return std::make_unique<PollingChangeWatch>();
}
