#include "app/displaytexts.h"

#include "app/interfacetexts.h"
#include "model/tokens.h"

QString pageBarName(const QString& keyword, bool japanese) {
    if (!japanese && keyword == keyword::Key)
        return QStringLiteral("key");
    const QString name = operationTypeText(keyword, japanese);
    return name.isNull() ? keyword : name;
}

QString keyCapturePrompt(bool japanese) {
    return japanese ? QStringLiteral("単一または複数キーを押してください")
                    : QStringLiteral("Press one or more keys");
}
