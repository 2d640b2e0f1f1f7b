#include "app/kestrun.h"

#include <algorithm>

#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

#include "app/hoverhidewindow.h"
#include "app/interfacetexts.h"
#include "app/writeback.h"
#include "keys/keycapture.h"
#include "model/project.h"

kestrun::kestrun(QWidget* parent)
    : QMainWindow(parent), list_command(Project::blank().list_command),
      list_condition(Project::blank().list_condition), saved_list_command(list_command),
      saved_list_condition(list_condition), key_capture(std::make_unique<KeyCapture>()) {
    setWindowTitle(QStringLiteral("Kestrun Free"));
    setFixedSize(630, 585);
    loadSettings(settings, project_path, desktopPath());
    buildWidgets();

    if (!settings.is_used_this) {
        showFirstStartWelcome(this);
        settings.is_used_this = true;
        settings.is_help = true;
    }
    help_mode_action->setChecked(settings.is_help);
    ask_save_action->setChecked(settings.is_message_file);
    ask_paste_action->setChecked(settings.is_message_paste);
    ask_delete_action->setChecked(settings.is_message_delete);
    changeLanguage();
}

kestrun::~kestrun() {
    // The hint has no parent; it must not stay on screen without its window.
    delete hoverWindow;
    unregisterGlobalHotkey();
    keystroke_timer.stop();
    if (key_capture->captureActive.load() == 1) {
        key_capture->endCapture();
        key_capture->remove();
    }
}

void kestrun::showEditor() {
    new_project_button->hide();
    load_project_button->hide();
    language_button->hide();
    for (QWidget* widget : std::initializer_list<QWidget*>{
             command_type_label, condition_type_combo, command_type_combo, command_add_button,
             run_button, next_button, page_label, condition_type_label, condition_add_button,
             condition_seconds_label, condition_time_spin, command_group, condition_group,
             page_group, page_list, copy_button})
        widget->show();
    editor_shown = true;
    refresh();
}

// A project always shows at least one page, and both lists as long as each
// other, whatever was read into them.
void kestrun::completeProject() {
    while (list_condition.size() < list_command.size())
        list_condition.append(blankCondition());
    while (list_command.size() < list_condition.size())
        list_command.append(blankCommand());
    if (list_command.isEmpty()) {
        list_command.append(blankCommand());
        list_condition.append(blankCondition());
    }
    current_page = std::clamp(current_page, 1, int(list_command.size()));
}

void kestrun::refresh() {
    refreshing = true;
    completeProject();
    hideTypeWidgets();
    run_button->show();
    condition_add_button->show();
    menuBar()->show();

    const QStringList& command = list_command[current_page - 1];
    const QStringList& condition = list_condition[current_page - 1];
    showCommand(command);
    showCondition(condition);
    setNavigationLocked(lacksInput(command, condition));
    hideInapplicableNavigation();

    rebuildPageList();
    page_label->setText(QStringLiteral("%1/%2").arg(current_page).arg(list_command.size()));
    setWindowTitle(projectName(project_path, desktopPath()));
    qDebug() << list_command;
    qDebug() << list_condition;
    refreshing = false;
}

void kestrun::changeLanguage() {
    qDebug() << "言語変更";
    applyInterfaceTexts(this, settings.is_japanese, settings.is_help);
    if (editor_shown)
        refresh();
}
