#pragma once

#include <functional>
#include <memory>

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Answers the next modal dialog of its kind that the code under test opens:
// polls for the active modal widget and hands it to `answer` until `answer`
// takes it. Stops when destroyed, so a test can also check that no dialog
// came. Several answerers may wait at once for dialogs of different kinds.
class ModalAnswerer : public QObject {
public:
    // `answer` returns false for a dialog that is not its kind.
    explicit ModalAnswerer(std::function<bool(QWidget*)> answer);

    bool answered() const { return done; }

    // Clicks `button` of a message box and remembers what it showed.
    static std::unique_ptr<ModalAnswerer> messageBox(QMessageBox::StandardButton button);
    // Chooses `path` in a file dialog, or cancels it when `path` is empty or
    // the dialog does not take it.
    static std::unique_ptr<ModalAnswerer> fileDialog(const QString& path);

    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Where the box stood, and whether every line of its text stood whole.
    QRect frame;
    bool linesWhole = false;
    // The folder and the file name a file dialog opened with.
    QString startFolder;
    QString startName;

private:
    void poll();

    std::function<bool(QWidget*)> answer;
    QTimer timer;
    bool done = false;
};
