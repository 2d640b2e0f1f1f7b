#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QString>

// The URL-encoded body of a feedback post: product name, report text (trimmed
// of surrounding white space) and report kind, in that order.
QByteArray reportFormBody(const QString& text, const QString& kind);

// A post went through when the network reported no error and the status is
// absent (0) or 200-399.
bool isReportDelivered(QNetworkReply::NetworkError error, int httpStatus);
