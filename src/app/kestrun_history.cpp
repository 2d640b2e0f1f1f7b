#include <QAbstractSpinBox>
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>

#include "app/kestrun.h"

ProjectSnapshot kestrun::snapshot() const {
    return {list_command, list_condition, current_page};
}

void kestrun::restoreSnapshot(const ProjectSnapshot& snapshot) {
    list_command = snapshot.commands;
    list_condition = snapshot.conditions;
    current_page = snapshot.page;
    refresh();
}

// A key capture in progress is not a step: the page gets its key, and the
// history its step, when the capture ends.
void kestrun::recordHistory(bool fieldEdit) {
    if (!capturing_key)
        history.record(snapshot(), fieldEdit);
    setWindowModified(!isSaved());
    updateEditActions();
}

void kestrun::updateEditActions() {
    undo_action->setEnabled(history.canUndo() && !capturing_key);
    redo_action->setEnabled(history.canRedo() && !capturing_key);
}

void kestrun::connectHistory() {
    connect(undo_action, &QAction::triggered, &history, &ProjectHistory::undo);
    connect(redo_action, &QAction::triggered, &history, &ProjectHistory::redo);
    connect(&history, &ProjectHistory::changed, this, &kestrun::updateEditActions);
    // The window holds them too, so they work while a page lacking its text
    // hides the menu bar.
    addActions({undo_action, redo_action});
    leaveUndoKeysToTheWindow();
}

// Text fields keep Ctrl+Z for an undo of their own; the project's undo covers
// their edits, so the keys go to the window's actions instead.
void kestrun::leaveUndoKeysToTheWindow() {
    QList<QWidget*> textFields{
        fields.text_edit,           fields.window_title_edit,     fields.condition_window_edit,
        fields.command_region_edit, fields.condition_region_edit, fields.color_edit};
    for (QAbstractSpinBox* spin : findChildren<QAbstractSpinBox*>())
        textFields << spin;
    for (QWidget* field : textFields) {
        field->installEventFilter(this);
        for (QWidget* part : field->findChildren<QWidget*>())
            part->installEventFilter(this);
    }
}

bool kestrun::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
        if (undo_action->shortcuts().contains(keys) || redo_action->shortcuts().contains(keys)) {
            // Not taken by the field: the shortcut goes on to the action.
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
