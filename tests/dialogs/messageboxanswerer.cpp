#include "messageboxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

MessageBoxAnswerer::MessageBoxAnswerer(QMessageBox::StandardButton answer) : answer(answer) {
    connect(&timer, &QTimer::timeout, this, &MessageBoxAnswerer::answerVisibleBoxes);
    timer.start(20);
}

void MessageBoxAnswerer::answerVisibleBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box || !box->isVisible() || box->buttons().isEmpty())
            continue;
        QPushButton* defaultButton = box->defaultButton();
        seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     defaultButton ? box->standardButton(defaultButton) : QMessageBox::NoButton});
        QAbstractButton* button = box->button(answer);
        if (!button)
            button = box->buttons().first();
        button->click();
    }
}
