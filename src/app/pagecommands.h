#pragma once

#include <QString>
#include <QStringList>

#include "model/tokens.h"

// Page commands on the two token lists of a project. Pages are numbered from
// 1; every function keeps both lists at the same length.

// The page bar's texts: "n.name" per page, with "+" just above and just
// below the current page.
QStringList pageBarItems(const PageList& commands, int currentPage, bool japanese);

// Inserts a blank page so that it becomes page `page`.
void insertBlankPage(PageList& commands, PageList& conditions, int page);

// Inserts pages after page `afterPage` and returns the first of them (or
// `afterPage` when there were none).
int insertPagesAfter(PageList& commands, PageList& conditions, int afterPage,
                     const PageList& newCommands, const PageList& newConditions);

// The page shown after moving on from `currentPage`; a blank page is
// appended first when it was the last one.
int nextPage(PageList& commands, PageList& conditions, int currentPage);

// Removes page `currentPage` and returns the page to show next: the one
// before it, or the new page 1 when the first page was removed.
int deletePage(PageList& commands, PageList& conditions, int currentPage);

// What choosing a page bar row does.
struct PageBarChoice {
    bool insert = false; // a "+" row: a blank page is inserted as `page`
    int page = 1;        // the page to show afterwards
};
PageBarChoice choosePageBarRow(int row, const QString& itemText, int currentPage);

// Pasting over such a page needs no question.
bool countsAsBlankForPaste(const QStringList& command, const QStringList& condition);
