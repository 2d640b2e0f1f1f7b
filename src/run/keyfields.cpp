#include "run/keyfields.h"

#include <QStringList>

#include "model/tokens.h"

KeyFields parseKeyFields(const QString& text) {
    KeyFields fields;
    if (text.isEmpty() || text == keyword::None)
        return fields;
    const QStringList parts = text.split(u',', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return fields;
    bool ok = false;
    const int virtualKey = parts[0].toInt(&ok, 10);
    if (!ok)
        return fields;
    fields.virtualKey = virtualKey;
    if (parts.size() > 1)
        fields.mask = parts[1].toInt(&ok, 10);
    if (parts.size() > 2)
        fields.seconds = parts[2].toDouble();
    return fields;
}
