#include "app/pagecommands.h"

#include <algorithm>

#include "app/displaytexts.h"

QStringList pageBarItems(const PageList& commands, int currentPage, bool japanese) {
    QStringList items;
    for (int i = 0; i < commands.size(); ++i)
        items << QStringLiteral("%1.%2").arg(i + 1).arg(
            pageBarName(tokenAt(commands[i], 0), japanese));
    const QString plus = QStringLiteral("+");
    items.insert(currentPage - 1, plus);
    items.insert(currentPage + 1, plus);
    return items;
}

void insertBlankPage(PageList& commands, PageList& conditions, int page) {
    commands.insert(page - 1, blankCommand());
    conditions.insert(page - 1, blankCondition());
}

int insertPagesAfter(PageList& commands, PageList& conditions, int afterPage,
                     const PageList& newCommands, const PageList& newConditions) {
    const int at = std::clamp(afterPage, 0, int(commands.size()));
    for (qsizetype i = 0; i < newCommands.size(); ++i) {
        commands.insert(at + i, newCommands[i]);
        conditions.insert(at + i, newConditions.value(i, blankCondition()));
    }
    return newCommands.isEmpty() ? afterPage : at + 1;
}

int nextPage(PageList& commands, PageList& conditions, int currentPage) {
    const int next = currentPage + 1;
    if (next > commands.size()) {
        commands.append(blankCommand());
        conditions.append(blankCondition());
    }
    return next;
}

int deletePage(PageList& commands, PageList& conditions, int currentPage) {
    commands.removeAt(currentPage - 1);
    conditions.removeAt(currentPage - 1);
    return currentPage == 1 ? 1 : currentPage - 1;
}

PageBarChoice choosePageBarRow(int row, const QString& itemText, int currentPage) {
    if (itemText == QStringLiteral("+")) {
        // The "+" above the current page sits on its former row.
        if (currentPage == row + 1)
            return {true, currentPage};
        return {true, currentPage + 1};
    }
    return {false, itemText.section(QLatin1Char('.'), 0, 0).toInt()};
}

bool countsAsBlankForPaste(const QStringList& command, const QStringList& condition) {
    return tokenAt(command, 0) == keyword::None &&
           condition == QStringList{keyword::Time, QStringLiteral("0.1")};
}
