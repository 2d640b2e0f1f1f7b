#pragma once

#include <QListWidget>

// The editor's page list, with a "+" row just above and just below the
// current page. Keyboard moves go from page to page over the "+" rows, and a
// "+" row is never chosen by passing over it: only a click on it, or Enter or
// Space while it is the current row, chooses it.
class PageBar : public QListWidget {
    Q_OBJECT

public:
    explicit PageBar(QWidget* parent = nullptr);

signals:
    // A "+" row was chosen; it is the current row.
    void plusRowChosen();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool isPlusRow(int row) const;
};
