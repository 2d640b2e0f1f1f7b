#include "modalanswerer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ModalAnswerer::ModalAnswerer(std::function<bool(QWidget*)> answer) : answer(std::move(answer)) {
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start(10);
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (!answer(modal))
        return;
    timer.stop();
    done = true;
}

std::unique_ptr<ModalAnswerer> ModalAnswerer::messageBox(QMessageBox::StandardButton button) {
    auto answerer = std::make_unique<ModalAnswerer>(nullptr);
    answerer->answer = [self = answerer.get(), button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return false;
        self->title = box->windowTitle();
        self->text = box->text();
        self->icon = box->icon();
        self->buttons = box->standardButtons();
        if (QPushButton* defaultButton = box->defaultButton())
            self->defaultButton = box->standardButton(defaultButton);
        self->frame = box->frameGeometry();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            self->linesWhole =
                label->heightForWidth(label->width()) == label->heightForWidth(QWIDGETSIZE_MAX);
        box->button(button)->click();
        return true;
    };
    return answerer;
}

std::unique_ptr<ModalAnswerer> ModalAnswerer::fileDialog(const QString& path) {
    auto answerer = std::make_unique<ModalAnswerer>(nullptr);
    answerer->answer = [self = answerer.get(), path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return false;
        self->title = dialog->windowTitle();
        self->startFolder = dialog->directory().absolutePath();
        self->startName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        if (path.isEmpty()) {
            dialog->reject();
            return true;
        }
        // selectFile alone races the dialog's own start selection while its
        // folder is still loading; typing the name into an empty selection
        // does not.
        dialog->setDirectory(QFileInfo(path).absolutePath());
        if (auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView")))
            view->clearSelection();
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QFileInfo(path).fileName());
        // QFileDialog hides accept(); through QDialog it still checks the choice.
        static_cast<QDialog*>(dialog)->accept();
        // Still open: the dialog refused the name, or its own question about
        // replacing a file was answered No.
        if (dialog->isVisible())
            dialog->reject();
        return true;
    };
    return answerer;
}
