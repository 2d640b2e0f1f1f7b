#include "app/displaytexts.h"

#include "app/editorpanels.h"
#include "app/interfacetexts.h"
#include "model/pagetypes.h"

QString pageBarName(const QString& keyword, bool japanese) {
    const OperationPanel* panel = findByKeyword(operationPanels(), keyword);
    if (!japanese && panel && panel->pageBarEnglish)
        return QString::fromUtf8(panel->pageBarEnglish);
    const QString name = operationTypeText(keyword, japanese);
    return name.isNull() ? keyword : name;
}

QString keyCapturePrompt(bool japanese) {
    return japanese ? QStringLiteral("単一または複数キーを押してください")
                    : QStringLiteral("Press one or more keys");
}
