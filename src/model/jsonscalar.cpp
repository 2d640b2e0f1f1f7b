#include "model/jsonscalar.h"

#include <QJsonArray>
#include <QJsonDocument>

bool isJsonScalar(const QByteArray& data) {
    // Wrapped in brackets, exactly one complete value parses as a
    // one-element array; broken or repeated values do not.
    const QJsonDocument wrapped = QJsonDocument::fromJson('[' + data + ']');
    return wrapped.isArray() && wrapped.array().size() == 1;
}
