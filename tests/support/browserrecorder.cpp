#include "browserrecorder.h"

#include <QDesktopServices>

BrowserRecorder::BrowserRecorder() {
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
}

BrowserRecorder::~BrowserRecorder() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void BrowserRecorder::open(const QUrl& url) {
    opened.append(url);
}
