#include "app/kestrun.h"

#include <QApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/pagecommands.h"
#include "app/recorddialog.h"
#include "app/runindicator.h"
#include "app/systemtray.h"
#include "keys/keycombination.h"
#include "platform/platform.h"
#include "record/recordedpages.h"
#include "record/recordingsession.h"
#include "run/trayimage.h"

namespace {

// The windows of this program, which a recording leaves out.
std::vector<WindowHandle> ownWindows() {
    std::vector<WindowHandle> handles;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (const WId id = widget->internalWinId())
            handles.push_back(WindowHandle(id));
    return handles;
}

} // namespace

void kestrun::refuseRecording() {
    const bool japanese = settings.is_japanese;
    QMessageBox::critical(this, japanese ? QStringLiteral("エラー") : QStringLiteral("Error"),
                          japanese ? QStringLiteral("この環境では入力を記録できません。")
                                   : QStringLiteral("Input cannot be recorded in this session."));
}

void kestrun::startRecording() {
    if (recording_session)
        return;
    std::unique_ptr<InputRecording> recording = Platform::instance().createInputRecording();
    if (!recording) {
        refuseRecording();
        return;
    }
    // The exit command unless the dialog changes it.
    if (KeyCombination::fromText(settings.stop_command))
        recording_options.stopCommand = settings.stop_command;
    RecordDialog dialog(recording_options, settings.is_japanese, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    recording_options = dialog.options();

    recording_session = std::make_unique<RecordingSession>(
        std::move(recording), Platform::instance().windowList(), recording_options.stopCommand);
    connect(
        recording_session.get(), &RecordingSession::stopCommandPressed, this,
        [this] { finishRecording(false); }, Qt::QueuedConnection);
    connect(
        recording_session.get(), &RecordingSession::failed, this,
        [this] {
            finishRecording(false);
            refuseRecording();
        },
        Qt::QueuedConnection);
    showRecordingIndicator();
    hide();
    QTimer::singleShot(recording_options.delaySeconds * 1000, recording_session.get(),
                       &RecordingSession::start);
}

// The tray icon where the desktop has a tray, the corner window elsewhere:
// either says that recording is on, and a click on it stops.
void kestrun::showRecordingIndicator() {
    const bool japanese = settings.is_japanese;
    const QString stop = exitCommandLabel(recording_options.stopCommand);
    const QString status = japanese ? QStringLiteral("記録中\n終了コマンド: %1").arg(stop)
                                    : QStringLiteral("Recording\nStop command: %1").arg(stop);
    if (systemTrayAvailable()) {
        recording_tray = new QSystemTrayIcon(trayImage(), this);
        recording_tray->setToolTip(status);
        connect(recording_tray, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        finishRecording(true);
                });
        recording_tray->show();
        return;
    }
    run_indicator = new RunIndicator(QString(), stop, japanese);
    run_indicator->showStatus(status);
    run_indicator->setAttribute(Qt::WA_DeleteOnClose);
    connect(run_indicator, &RunIndicator::stopRequested, this, [this] { finishRecording(false); });
    run_indicator->show();
}

void kestrun::finishRecording(bool stoppedByClick) {
    if (!recording_session)
        return;
    recording_session->stop();
    std::vector<RecordedEvent> events = recording_session->events();
    if (stoppedByClick)
        dropClickThatStopped(events);
    const RecordedPages pages =
        pagesFromRecording(events, recording_session->endMs(), recording_options, ownWindows());
    recording_session.reset();
    delete recording_tray;
    if (run_indicator)
        run_indicator->close();
    show();
    activateWindow();
    insertRecordedPages(pages.commands, pages.conditions);
}

// All the pages as one step of the history.
void kestrun::insertRecordedPages(const PageList& commands, const PageList& conditions) {
    if (commands.isEmpty())
        return;
    current_page =
        insertPagesAfter(list_command, list_condition, current_page, commands, conditions);
    refresh();
}
