#include <QApplication>
#include <QMessageBox>

#include "app/kestrun.h"

void kestrun::connectOtherStarts() {
    waiting_timer.setSingleShot(true);
    waiting_timer.setInterval(250);
    connect(&waiting_timer, &QTimer::timeout, this, &kestrun::openWaitingFile);
}

// A window hidden by a run or a coordinate capture stays hidden: it comes
// back when they end.
void kestrun::receiveFromAnotherStart(const QString& path) {
    if (!isHidden())
        bringForward();
    if (path.isEmpty())
        return;
    waiting_file = path;
    openWaitingFile();
}

void kestrun::bringForward() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

// A run, a capture, an open dialog or a page waiting for its key keeps the
// file waiting; the latest file handed over is the one opened.
void kestrun::openWaitingFile() {
    if (waiting_file.isEmpty())
        return;
    if (isHidden() || QApplication::activeModalWidget() || !acceptsProjectDrop()) {
        waiting_timer.start();
        return;
    }
    openFromOutside(std::exchange(waiting_file, QString()));
}

void kestrun::showXWaylandNotice() {
    if (settings.is_used_wayland)
        return;
    settings.is_used_wayland = true;
    const bool japanese = settings.is_japanese;
    QMessageBox::information(
        this, japanese ? QStringLiteral("Wayland セッション") : QStringLiteral("Wayland session"),
        japanese ? QStringLiteral("Kestrun は XWayland で動いています。XWayland "
                                  "で動くプログラムには操作が届きますが、Wayland "
                                  "で直接動くプログラムには Kestrun "
                                  "のキーボードとマウスの操作は届きません。")
                 : QStringLiteral("Kestrun runs on XWayland. Programs that run on XWayland "
                                  "receive its input, but programs running natively on Wayland "
                                  "do not receive Kestrun's keyboard and mouse input."));
}
