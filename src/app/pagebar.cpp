#include "app/pagebar.h"

#include <QKeyEvent>

PageBar::PageBar(QWidget* parent) : QListWidget(parent) {
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (isPlusRow(index.row()))
            emit plusRowChosen();
    });
}

bool PageBar::isPlusRow(int row) const {
    const QListWidgetItem* found = item(row);
    return found && found->text() == QLatin1String("+");
}

// A "+" row always has a page row beside it, so one more step in the same
// direction lands on a page, or leaves the list, and then nothing moves.
QModelIndex PageBar::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = QListWidget::moveCursor(action, modifiers);
    if (!target.isValid() || !isPlusRow(target.row()))
        return target;
    const bool upwards = action == MoveUp || action == MoveLeft || action == MovePrevious ||
                         action == MovePageUp || action == MoveEnd;
    const int row = target.row() + (upwards ? -1 : 1);
    if (row < 0 || row >= count())
        return currentIndex();
    return model()->index(row, 0, rootIndex());
}

QItemSelectionModel::SelectionFlags PageBar::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    if (index.isValid() && isPlusRow(index.row()))
        return QItemSelectionModel::NoUpdate;
    return QListWidget::selectionCommand(index, event);
}

void PageBar::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool chooses = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (chooses && isPlusRow(currentRow())) {
        event->accept();
        emit plusRowChosen();
        return;
    }
    QListWidget::keyPressEvent(event);
}
