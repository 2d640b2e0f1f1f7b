#include "model/unknownpages.h"

#include "model/pagetypes.h"

QString UnknownPageType::warning() const {
    return QStringLiteral("Page %1: the %2 type \"%3\" is unknown to this version of Kestrun; "
                          "the file may come from a newer one.")
        .arg(page)
        .arg(condition ? QStringLiteral("condition") : QStringLiteral("operation"), keyword);
}

QList<UnknownPageType> unknownPageTypes(const Project& project) {
    QList<UnknownPageType> unknown;
    for (qsizetype i = 0; i < project.list_command.size(); ++i) {
        const int page = int(i) + 1;
        const QString command = tokenAt(project.list_command[i], 0);
        if (!findByKeyword(operationTypes(), command))
            unknown.append({page, false, command});
        const QString condition = tokenAt(project.list_condition.value(i), 0);
        if (!findByKeyword(conditionTypes(), condition))
            unknown.append({page, true, condition});
    }
    return unknown;
}
