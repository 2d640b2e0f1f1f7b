#include "app/kestrun.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "app/hoverhidewindow.h"
#include "model/tokens.h"
#include "platform/platform.h"

void kestrun::connectCoordinateCapture() {
    connect(fields.pointer_get_button, &QPushButton::clicked, this, &kestrun::getCoordinate);
    connect(fields.smooth_get_button, &QPushButton::clicked, this, &kestrun::getCoordinate);
    connect(fields.window_get_button, &QPushButton::clicked, this, &kestrun::getCoordinate);
    connect(fields.condition_window_get_button, &QPushButton::clicked, this,
            &kestrun::getCoordinate);
    connect(fields.color_get_button, &QPushButton::clicked, this, &kestrun::getCoordinate);
    connect(fields.test_button, &QPushButton::clicked, this, &kestrun::moveMousePointer);
    connect(fields.window_test_button, &QPushButton::clicked, this, &kestrun::activateTestWindow);
}

// Without the hotkey nothing could end the capture, so the window stays and
// the user is told instead of being left with a hint and no window.
void kestrun::getCoordinate() {
    auto hint = HoverHideWindow::Subject::WindowTitle;
    if (sender() == fields.window_get_button) {
        capture_target = CaptureTarget::OperationTitle;
    } else if (sender() == fields.condition_window_get_button) {
        capture_target = CaptureTarget::ConditionTitle;
    } else if (sender() == fields.color_get_button) {
        capture_target = CaptureTarget::Color;
        hint = HoverHideWindow::Subject::Color;
    } else {
        capture_target = CaptureTarget::Coordinate;
        hint = HoverHideWindow::Subject::Coordinates;
    }
    registerGlobalHotkey();
    if (!hotkeyRegistered) {
        const bool japanese = settings.is_japanese;
        QMessageBox::warning(
            this, japanese ? QStringLiteral("エラー") : QStringLiteral("Error"),
            japanese ? QStringLiteral("Ctrl+Alt+Gを登録できませんでした。\n"
                                      "他のアプリケーションが使用している可能性があります。")
                     : QStringLiteral(
                           "Could not register Ctrl+Alt+G.\nAnother application may be using it."));
        return;
    }
    if (hoverWindow) {
        hoverWindow->setJapanese(settings.is_japanese);
    } else {
        hoverWindow = new HoverHideWindow(120, 20, nullptr, settings.is_japanese);
        hoverWindow->setAttribute(Qt::WA_DeleteOnClose);
        // However the hint goes (Ctrl+Alt+G, Escape, the window manager), the
        // capture ends and the window comes back with the project.
        connect(hoverWindow, &QObject::destroyed, this, [this] {
            hoverWindow = nullptr;
            endCoordinateCapture();
        });
    }
    hoverWindow->setSubject(hint);
    hoverWindow->show();
    hoverWindow->raise();
    hoverWindow->activateWindow();
    hide();
}

void kestrun::getCoordinate2() {
    // A second press queued before the first was handled finds no capture.
    if (!hotkeyRegistered)
        return;
    if (capture_target == CaptureTarget::Coordinate)
        takeCoordinate();
    else if (capture_target == CaptureTarget::Color)
        takeColor();
    else
        takeWindowTitle();
    endCoordinateCapture();
    if (hoverWindow)
        hoverWindow->close();
    refresh();
}

void kestrun::takeCoordinate() {
    const QPoint pointer = Platform::instance().input().cursorPosition();
    fields.pointer_x_spin->setValue(pointer.x());
    fields.pointer_y_spin->setValue(pointer.y());
    QStringList& command = list_command[current_page - 1];
    const QString x = QString::number(pointer.x());
    const QString y = QString::number(pointer.y());
    if (command.value(0) == keyword::MousePointer) {
        command = QStringList{keyword::MousePointer, x, y};
    } else if (command.size() >= 3) {
        command[1] = x;
        command[2] = y;
    }
}

// Written through the field, so the page's completeness and the undo
// history follow as for a typed title.
void kestrun::takeWindowTitle() {
    const QString title = Platform::instance().windowList().windowUnderPointer().title;
    if (title.isEmpty())
        return;
    QLineEdit* field = capture_target == CaptureTarget::ConditionTitle
                           ? fields.condition_window_edit
                           : fields.window_title_edit;
    field->setText(title);
}

void kestrun::endCoordinateCapture() {
    unregisterGlobalHotkey();
    show();
    activateWindow();
}

void kestrun::registerGlobalHotkey() {
    if (hotkeyRegistered)
        return;
    if (!hotkeyFilter) {
        hotkeyFilter = std::make_unique<GlobalHotkeyFilter>(hotkeyId);
        // Widgets are not touched from inside the event dispatcher.
        hotkeyFilter->callback = [this] {
            QMetaObject::invokeMethod(this, "getCoordinate2", Qt::QueuedConnection);
        };
    }
    if (Platform::instance().globalHotkey().registerHotkey()) {
        QCoreApplication::instance()->installNativeEventFilter(hotkeyFilter.get());
        hotkeyRegistered = true;
    } else {
        hotkeyFilter.reset();
        hotkeyRegistered = false;
    }
}

void kestrun::unregisterGlobalHotkey() {
    if (hotkeyRegistered) {
        Platform::instance().globalHotkey().unregisterHotkey();
        hotkeyRegistered = false;
    }
    if (hotkeyFilter) {
        QCoreApplication::instance()->removeNativeEventFilter(hotkeyFilter.get());
        hotkeyFilter.reset();
    }
}

void kestrun::moveMousePointer() {
    hide();
    const QStringList& command = list_command[current_page - 1];
    const int x = command.value(1).toInt(nullptr, 10);
    const int y = command.value(2).toInt(nullptr, 10);
    QTimer::singleShot(1000, this, [this, x, y] {
        Platform::instance().input().setCursorPosition(x, y);
        QTimer::singleShot(1000, this, [this] { show(); });
    });
}

void kestrun::activateTestWindow() {
    const QString title = tokenAt(list_command[current_page - 1], 1);
    WindowList& windows = Platform::instance().windowList();
    const std::optional<TopLevelWindow> target = firstWindowNamed(windows.windows(), title);
    if (target && windows.activate(target->handle))
        return;
    const bool japanese = settings.is_japanese;
    QMessageBox::warning(
        this, japanese ? QStringLiteral("エラー") : QStringLiteral("Error"),
        japanese ? QStringLiteral("タイトルに「%1」を含むウィンドウを前面に出せませんでした。")
                       .arg(title)
                 : QStringLiteral("No window whose title contains \"%1\" could be brought to "
                                  "the front.")
                       .arg(title));
}
