#include <QApplication>
#include <QFileInfo>
#include <QStyle>
#include <QSystemTrayIcon>

#include "platform/programfiles.h"
#include "run/run.h"

namespace {

// Without the image a stock icon keeps the tray icon visible and clickable.
QIcon trayImage() {
    const QString path = programFile(QStringLiteral("image/SystemTrayIcon.png"));
    if (QFileInfo::exists(path))
        return QIcon(path);
    return QApplication::style()->standardIcon(QStyle::SP_MediaStop);
}

} // namespace

void Run::showTrayIcon() {
    tray_icon = new QSystemTrayIcon(this);
    tray_icon->setIcon(trayImage());
    tray_icon->setToolTip(QStringLiteral("「%1」を終了").arg(project_name));
    // Without a tray there is nothing to show it in; some platforms warn.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        tray_icon->show();
    connect(tray_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    requestStop();
            });
}

// Posted to the Run's own thread, which owns the icon; if that thread's loop
// ends first, the icon goes with its parent.
void Run::removeTrayIcon() {
    QSystemTrayIcon* icon = std::exchange(tray_icon, nullptr);
    QMetaObject::invokeMethod(
        this,
        [icon] {
            if (icon) {
                icon->hide();
                icon->deleteLater();
            }
        },
        Qt::QueuedConnection);
}

void Run::connectBeep() {
    connect(
        this, &Run::requestBeep, qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
}
