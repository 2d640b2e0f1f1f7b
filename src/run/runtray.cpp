#include <QApplication>
#include <QSystemTrayIcon>
#include <QThread>

#include "run/run.h"
#include "run/trayimage.h"

// The icon belongs to the GUI thread, where its platform objects live,
// while the Run moves to a worker thread: it has no parent, and whatever
// touches it after this is sent to the GUI thread.
void Run::showTrayIcon() {
    auto* icon = new QSystemTrayIcon;
    icon->setIcon(trayImage());
    icon->setToolTip(QStringLiteral("「%1」を終了").arg(project_name));
    // Without a tray there is nothing to show it in; some platforms warn.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        icon->show();
    // Delivered in the Run's thread, and not at all once the Run is gone.
    connect(icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    requestStop();
            });
    delete tray_icon.exchange(icon);
}

void Run::removeTrayIcon() {
    QSystemTrayIcon* icon = tray_icon.exchange(nullptr);
    if (!icon)
        return;
    const auto remove = [icon] {
        icon->hide();
        delete icon;
    };
    if (QThread::currentThread() == icon->thread())
        remove();
    else
        QMetaObject::invokeMethod(icon, remove, Qt::QueuedConnection);
}

QSystemTrayIcon* Run::trayIcon() const {
    return tray_icon.load();
}

void Run::connectBeep() {
    connect(
        this, &Run::requestBeep, qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
}
