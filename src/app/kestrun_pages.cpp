#include <QDebug>
#include <QListWidget>

#include "app/kestrun.h"
#include "app/pagecommands.h"

void kestrun::rebuildPageList() {
    page_list->clear();
    const QStringList items = pageBarItems(list_command, current_page, settings.is_japanese);
    qDebug() << items;
    page_list->addItems(items);
    page_list->setCurrentRow(current_page);
    page_list->scrollToItem(page_list->currentItem(), QAbstractItemView::PositionAtCenter);
}

void kestrun::changeWidgetPage() {
    if (refreshing)
        return;
    const int row = page_list->currentRow();
    qDebug() << "z" << row;
    const QListWidgetItem* item = page_list->currentItem();
    if (!item)
        return;
    const PageBarChoice choice = choosePageBarRow(row, item->text(), current_page);
    if (choice.insert) {
        qDebug() << "y";
        qDebug() << (choice.page == current_page ? "a" : "b");
        insertBlankPage(list_command, list_condition, choice.page);
        if (choice.page != current_page)
            qDebug() << "c";
    } else {
        qDebug() << "d";
    }
    current_page = choice.page;
    refresh();
}

void kestrun::nextPage() {
    current_page = ::nextPage(list_command, list_condition, current_page);
    refresh();
}

void kestrun::returnPage() {
    current_page -= 1;
    refresh();
}

void kestrun::deletePage() {
    if (settings.is_message_delete) {
        message_title =
            settings.is_japanese ? QStringLiteral("最終確認") : QStringLiteral("Warning");
        message_text = settings.is_japanese
                           ? QStringLiteral("%1ページ目を削除しますか？").arg(current_page)
                           : QStringLiteral("Do you want to delete page %1?").arg(current_page);
        if (!askYesNo(message_title, message_text))
            return;
    }
    current_page = ::deletePage(list_command, list_condition, current_page);
    refresh();
}

void kestrun::copy() {
    copied_command = list_command[current_page - 1];
    copied_condition = list_condition[current_page - 1];
    refresh();
}

void kestrun::paste() {
    const int index = current_page - 1;
    if (!countsAsBlankForPaste(list_command[index], list_condition[index]) &&
        settings.is_message_paste) {
        message_title =
            settings.is_japanese ? QStringLiteral("最終確認") : QStringLiteral("Warning");
        message_text = settings.is_japanese
                           ? QStringLiteral("%1 ページ目を置き換えますか？").arg(current_page)
                           : QStringLiteral("Do you want to replace page %1?").arg(current_page);
        if (!askYesNo(message_title, message_text)) {
            refresh();
            return;
        }
    }
    list_command[index] = copied_command;
    list_condition[index] = copied_condition;
    refresh();
}
