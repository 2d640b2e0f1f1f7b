#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/kestrun.h"
#include "model/project.h"
#include "model/unknownpages.h"

namespace {

const QString projectFilter = QStringLiteral("Command Data (*.cmdat);;All Files (*)");

} // namespace

QString kestrun::desktopPath() const {
    return desktopFolderPath();
}

bool kestrun::isSaved() const {
    return list_command == saved_list_command && list_condition == saved_list_condition;
}

bool kestrun::askYesNo(const QString& title, const QString& text) {
    return QMessageBox::warning(this, title, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

bool kestrun::confirmDiscard(GuardedCommand command) {
    if (isSaved() || !settings.is_message_file)
        return true;
    const bool ja = settings.is_japanese;
    QString text;
    switch (command) {
    case GuardedCommand::New:
        text = ja ? QStringLiteral("プロジェクトが保存されていません。\n新規作成しますか？")
                  : QStringLiteral(
                        "The project has not been saved.\nDo you want to create a new one?");
        break;
    case GuardedCommand::Open:
        text = ja ? QStringLiteral(
                        "プロジェクトが保存されていません。\n新しいプロジェクトを読み込みますか？")
                  : QStringLiteral(
                        "The project has not been saved.\nDo you want to load a new project?");
        break;
    case GuardedCommand::Close:
        text = ja ? QStringLiteral("プロジェクトが保存されていません。\n終了しますか？")
                  : QStringLiteral("The project has not been saved.\nDo you want to exit?");
        break;
    }
    return askYesNo(ja ? QStringLiteral("最終確認") : QStringLiteral("Warning"), text);
}

void kestrun::replaceProject(const PageList& commands, const PageList& conditions) {
    list_command = commands;
    list_condition = conditions;
    saved_list_command = commands;
    saved_list_condition = conditions;
    current_page = 1;
    // The history starts from the project as the editor shows it.
    completeProject();
    history.reset(snapshot());
}

void kestrun::newFile() {
    if (!confirmDiscard(GuardedCommand::New))
        return;
    project_path = desktopPath();
    const Project blank = Project::blank();
    replaceProject(blank.list_command, blank.list_condition);
    refresh();
}

void kestrun::loadFile1() {
    if (!confirmDiscard(GuardedCommand::Open))
        return;
    const QString start =
        isUntitled(project_path, desktopPath()) ? settings.file_path : project_path;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("コマンドデータを読み込み"), start, projectFilter);
    if (!path.isEmpty())
        openProject(path);
}

void kestrun::openProject(const QString& path) {
    const ReadResult result = readProjectFile(path);
    if (!result.ok) {
        // The project and its path stay, so a later Save cannot overwrite
        // the file that failed to load.
        QMessageBox::warning(this, result.error.title,
                             result.error.shownText(settings.is_japanese));
        return;
    }
    for (const UnknownPageType& unknown : unknownPageTypes(result.project))
        qWarning().noquote() << unknown.warning();
    project_path = path;
    replaceProject(result.project.list_command, result.project.list_condition);
    refresh();
    QApplication::beep();
}

void kestrun::saveFile1() {
    const QString path = askSavePath();
    if (!path.isEmpty())
        writeProject(path);
}

// An untitled project is saved, by default, beside the project remembered
// from before, else on the desktop, else at home, under a name the user
// types. A folder that does not exist would be offered as the file's name.
QString kestrun::saveAsStart() const {
    if (!isUntitled(project_path, desktopPath()))
        return project_path;
    const QString remembered =
        settings.file_path.isEmpty() ? QString() : QFileInfo(settings.file_path).absolutePath();
    for (const QString& folder : {remembered, desktopPath()})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

QString kestrun::askSavePath() {
    QFileDialog dialog(this, QStringLiteral("名前を付けて保存"), saveAsStart(), projectFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the extension before it checks the name, so its
    // question about replacing a file is about the file that is written.
    dialog.setDefaultSuffix(QStringLiteral("cmdat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    const QString path = withProjectExtension(chosen);
    // A name with another extension (notes.json) still gets ours, after the
    // dialog's check: ask here when that file exists.
    if (path != chosen && QFileInfo::exists(path)) {
        const bool ja = settings.is_japanese;
        const QString name = QFileInfo(path).fileName();
        const QString text =
            ja ? QStringLiteral("%1 は既に存在します。\n置き換えますか？").arg(name)
               : QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(name);
        if (!askYesNo(QStringLiteral("名前を付けて保存"), text))
            return {};
    }
    return path;
}

void kestrun::saveFile3() {
    if (isUntitled(project_path, desktopPath()))
        saveFile1();
    else
        writeProject(project_path);
}

// The project takes the path only once it is written there, so a failed Save
// As leaves the title and the next Save as they were.
void kestrun::writeProject(const QString& path) {
    const WriteResult result = writeProjectFile(path, Project{list_command, list_condition});
    if (!result.ok) {
        QMessageBox::warning(this, result.error.title,
                             result.error.shownText(settings.is_japanese));
        return;
    }
    project_path = path;
    saved_list_command = list_command;
    saved_list_condition = list_condition;
    QApplication::beep();
    refresh();
}

void kestrun::addNewCommand() {
    project_path = desktopPath();
    showEditor();
}

void kestrun::importedCommand() {
    project_path = desktopPath();
    loadFile1();
    showEditor();
}

void kestrun::closeEvent(QCloseEvent* event) {
    if (!confirmDiscard(GuardedCommand::Close)) {
        event->ignore();
        return;
    }
    saveSettings(settings, project_path, isUntitled(project_path, desktopPath()));
    unregisterGlobalHotkey();
    event->accept();
}
