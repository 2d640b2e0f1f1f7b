#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A one-purpose HTTP server on the loopback interface: it takes each request
// whole, remembers it, and answers with a chosen status, at once or when the
// test releases it.
class LoopbackFormServer : public QObject {
    Q_OBJECT

public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QByteArray contentType;
        QByteArray body;
    };

    LoopbackFormServer();

    QUrl url(const QString& path = QStringLiteral("/form/response")) const;
    // Status line (e.g. "302 Found") and extra header lines of the answers.
    void setAnswer(const QByteArray& statusLine, const QByteArray& extraHeaders = {});
    // While held, complete requests wait for `release`.
    void setHolding(bool holding) { this->holding = holding; }
    void release();

    QList<Request> requests;

private:
    void readFrom(QTcpSocket* socket);
    void answer(QTcpSocket* socket);

    QTcpServer server;
    QByteArray statusLine = "200 OK";
    QByteArray extraHeaders;
    bool holding = false;
    QList<QTcpSocket*> held;
};
