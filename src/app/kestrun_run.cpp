#include "app/kestrun.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "app/runindicator.h"
#include "app/systemtray.h"
#include "keys/keycombination.h"
#include "keys/rundialog.h"
#include "model/project.h"
#include "platform/platform.h"
#include "platform/sessionchoice.h"
#include "run/run.h"

namespace {

// Every refusal to run ends here: a box in the window's language.
void refuseRun(QWidget* window, bool japanese, const QString& japaneseText,
               const QString& englishText) {
    QMessageBox::critical(window, japanese ? QStringLiteral("エラー") : QStringLiteral("Error"),
                          japanese ? japaneseText : englishText);
}

} // namespace

void kestrun::connectRunButton() {
    connect(run_button, &QPushButton::clicked, this, &kestrun::stertRun);
}

// A run that cannot press a key would hide the window behind a run that does
// nothing; say so, and why, before the user configures it.
void kestrun::stertRun() {
    const bool japanese = settings.is_japanese;
    if (!Platform::instance().input().canSynthesize()) {
        const SessionKind session =
            chooseSession(SessionEnvironment::current(), SessionProgram::Window).kind;
        const QString reason =
            u'\n' + noInputReason(session, QGuiApplication::platformName(), japanese);
        refuseRun(this, japanese,
                  QStringLiteral("この環境ではキーボードとマウスを操作できません。") + reason,
                  QStringLiteral("Keyboard and mouse cannot be controlled in this session.") +
                      reason);
        return;
    }
    RunDialog dialog(settings.stert_time, settings.run_number, settings.stop_command,
                     settings.is_used_stert, japanese, this);
    const bool trayShown = systemTrayAvailable();
    // Without a tray icon only the exit command could stop a run.
    dialog.requireExitCommand(!trayShown);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.stert_time = dialog.stertTime;
    settings.run_number = dialog.runNumber;
    settings.stop_command = dialog.stopCommand;
    settings.is_used_stert = dialog.isUsedStert;
    settings.is_japanese = dialog.isJapanese;

    // Two runs on one desktop would press each other's modifiers.
    run_lock = Platform::instance().createRunLock();
    if (!run_lock->tryAcquire()) {
        run_lock.reset();
        refuseRun(this, settings.is_japanese,
                  QStringLiteral("このデスクトップでは別の実行が進行中です。終わってから"
                                 "もう一度実行してください。"),
                  QStringLiteral("Another run is going on on this desktop. Run again once it "
                                 "has ended."));
        return;
    }

    // The run's object lives on a thread of its own; a system out of threads
    // gets no run, and the window stays to say so.
    auto* thread = new QThread(this);
    thread->start();
    if (!thread->isRunning() && !thread->isFinished()) {
        delete thread;
        run_lock.reset();
        refuseRun(this, settings.is_japanese,
                  QStringLiteral("実行を開始できませんでした。スレッドを作成できません。"),
                  QStringLiteral("The run could not start: no thread could be created."));
        return;
    }
    auto* run = new Run;
    run->setParameters(settings.stert_time, settings.run_number, settings.stop_command,
                       list_command, list_condition, projectName(project_path, desktopPath()));
    run->moveToThread(thread);
    connect(run, &Run::finished, thread, &QThread::quit);
    connect(run, &Run::finished, run, &QObject::deleteLater);
    connect(run, &Run::finished, this, &kestrun::onRunFinished);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QMetaObject::invokeMethod(run, &Run::start, Qt::QueuedConnection);
    if (!trayShown)
        showRunIndicator(run);
    hide();
}

void kestrun::showRunIndicator(Run* run) {
    run_indicator = new RunIndicator(projectName(project_path, desktopPath()),
                                     exitCommandLabel(settings.stop_command), settings.is_japanese);
    run_indicator->setAttribute(Qt::WA_DeleteOnClose);
    // Delivered on the run's own thread, and dropped with the run: a click as
    // the run ends reaches no deleted run.
    connect(run_indicator, &RunIndicator::stopRequested, run, [run] { run->requestStop(); });
    run_indicator->show();
}

void kestrun::onRunFinished() {
    run_lock.reset();
    if (run_indicator)
        run_indicator->close();
    show();
    activateWindow();
}
