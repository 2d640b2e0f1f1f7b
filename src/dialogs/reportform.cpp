#include "reportform.h"

#include <QUrl>

namespace {

// Every byte outside the unreserved set is percent-encoded, "+" included:
// form decoders read a bare "+" as a space.
QByteArray formPair(const QString& key, const QString& value) {
    return QUrl::toPercentEncoding(key) + '=' + QUrl::toPercentEncoding(value);
}

} // namespace

QByteArray reportFormBody(const QString& text, const QString& kind) {
    return formPair(QStringLiteral("entry.793209462"), QStringLiteral("Kestrun")) + '&' +
           formPair(QStringLiteral("entry.1751682220"), text.trimmed()) + '&' +
           formPair(QStringLiteral("entry.1326656262"), kind);
}

bool isReportDelivered(QNetworkReply::NetworkError error, int httpStatus) {
    if (error != QNetworkReply::NoError)
        return false;
    return httpStatus == 0 || (httpStatus >= 200 && httpStatus <= 399);
}
