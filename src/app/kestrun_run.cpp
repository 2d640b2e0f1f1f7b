#include "app/kestrun.h"

#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "keys/rundialog.h"
#include "model/project.h"
#include "platform/platform.h"
#include "run/run.h"

void kestrun::connectRunButton() {
    connect(run_button, &QPushButton::clicked, this, &kestrun::stertRun);
}

// A run that cannot press a key would hide the window behind a run that does
// nothing; say so before the user configures it.
void kestrun::stertRun() {
    const bool japanese = settings.is_japanese;
    if (!Platform::instance().input().canSynthesize()) {
        QMessageBox::critical(
            this, japanese ? QStringLiteral("エラー") : QStringLiteral("Error"),
            japanese ? QStringLiteral("この環境ではキーボードとマウスを操作できません。")
                     : QStringLiteral("Keyboard and mouse cannot be controlled in this session."));
        return;
    }
    RunDialog dialog(settings.stert_time, settings.run_number, settings.stop_command,
                     settings.is_used_stert, japanese, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.stert_time = dialog.stertTime;
    settings.run_number = dialog.runNumber;
    settings.stop_command = dialog.stopCommand;
    settings.is_used_stert = dialog.isUsedStert;
    settings.is_japanese = dialog.isJapanese;

    auto* thread = new QThread(this);
    auto* run = new Run;
    run->setParameters(settings.stert_time, settings.run_number, settings.stop_command,
                       list_command, list_condition, projectName(project_path, desktopPath()));
    run->moveToThread(thread);
    connect(thread, &QThread::started, run, &Run::start);
    connect(run, &Run::finished, thread, &QThread::quit);
    connect(run, &Run::finished, run, &QObject::deleteLater);
    connect(run, &Run::finished, this, &kestrun::onRunFinished);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    hide();
}

void kestrun::onRunFinished() {
    show();
    activateWindow();
}
