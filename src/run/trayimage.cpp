#include "run/trayimage.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>

#include "platform/programfiles.h"

QIcon trayImage() {
    const QString path = programFile(QStringLiteral("image/SystemTrayIcon.png"));
    if (QFileInfo::exists(path))
        return QIcon(path);
    return QApplication::style()->standardIcon(QStyle::SP_MediaStop);
}
