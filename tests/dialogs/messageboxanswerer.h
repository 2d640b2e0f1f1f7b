#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

// Answers the message boxes that come up while it lives, the way a user would
// click, and remembers what each one said. Boxes without buttons (progress
// boxes) are left alone.
class MessageBoxAnswerer : public QObject {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };

    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);

    QList<Seen> seen;

private:
    void answerVisibleBoxes();

    QMessageBox::StandardButton answer;
    QTimer timer;
};
