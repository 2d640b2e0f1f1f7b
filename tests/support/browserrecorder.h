#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the browser while it lives: records the https pages that
// QDesktopServices is asked to open.
class BrowserRecorder : public QObject {
    Q_OBJECT

public:
    BrowserRecorder();
    ~BrowserRecorder() override;

    QList<QUrl> opened;

public slots:
    void open(const QUrl& url);
};
