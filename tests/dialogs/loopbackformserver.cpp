#include "loopbackformserver.h"

#include <QTcpSocket>

#include <utility>

LoopbackFormServer::LoopbackFormServer() {
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
    });
}

QUrl LoopbackFormServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(path));
}

void LoopbackFormServer::setAnswer(const QByteArray& statusLine, const QByteArray& extraHeaders) {
    this->statusLine = statusLine;
    this->extraHeaders = extraHeaders;
}

void LoopbackFormServer::release() {
    for (QTcpSocket* socket : std::exchange(held, {}))
        answer(socket);
}

void LoopbackFormServer::readFrom(QTcpSocket* socket) {
    // The whole request is buffered in the socket until its body is complete.
    const QByteArray data = socket->peek(socket->bytesAvailable());
    const qsizetype headerEnd = data.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;

    Request request;
    qsizetype contentLength = 0;
    const QList<QByteArray> lines = data.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length")
            contentLength = value.toLongLong();
        else if (name == "content-type")
            request.contentType = value;
    }
    if (data.size() < headerEnd + 4 + contentLength)
        return;

    socket->read(headerEnd + 4 + contentLength);
    request.body = data.mid(headerEnd + 4, contentLength);
    requests.append(request);
    if (holding)
        held.append(socket);
    else
        answer(socket);
}

void LoopbackFormServer::answer(QTcpSocket* socket) {
    const QByteArray body = "<html>answer " + statusLine + "</html>";
    socket->write("HTTP/1.1 " + statusLine + "\r\n" + extraHeaders +
                  "Content-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
                  "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
