#pragma once

#include <functional>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

// Hands every modal window that becomes active while it lives to `handle`,
// from the event loop, so a test can answer the boxes and dialogs that the
// code under test runs with exec().
class ModalHandler {
public:
    explicit ModalHandler(std::function<void(QWidget*)> handle) : handle(std::move(handle)) {
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(10);
    }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last)
            return;
        last = modal;
        handle(modal);
    }

    std::function<void(QWidget*)> handle;
    QPointer<QWidget> last;
    QTimer timer;
};

// What a message box said, and which button it offered as default.
struct SeenMessageBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers every message box with `answer` and records it in `seen`; other
// modal windows, and boxes without buttons (progress boxes), are left to the
// test.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : handler([this, answer](QWidget* modal) {
              auto* box = qobject_cast<QMessageBox*>(modal);
              if (!box || box->buttons().isEmpty())
                  return;
              QPushButton* defaultButton = box->defaultButton();
              seen.append(
                  {box->icon(), box->windowTitle(), box->text(), box->standardButtons(),
                   defaultButton ? box->standardButton(defaultButton) : QMessageBox::NoButton});
              QAbstractButton* button = box->button(answer);
              if (!button)
                  button = box->buttons().value(0);
              button->click();
          }) {}

    QList<SeenMessageBox> seen;

private:
    ModalHandler handler;
};
