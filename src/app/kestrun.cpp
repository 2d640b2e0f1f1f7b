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
#include <QSet>

#include "app/hoverhidewindow.h"
#include "app/interfacetexts.h"
#include "app/qttranslations.h"
#include "app/runindicator.h"
#include "app/screenfit.h"
#include "app/writeback.h"
#include "dialogs/textfit.h"
#include "keys/keycapture.h"
#include "model/project.h"
#include "platform/platform.h"
#include "record/recordingsession.h"

kestrun::kestrun(QWidget* parent)
    : QMainWindow(parent), list_command(Project::blank().list_command),
      list_condition(Project::blank().list_condition), saved_list_command(list_command),
      saved_list_condition(list_condition), key_capture(std::make_unique<KeyCapture>()),
      history([this](const ProjectSnapshot& snapshot) { restoreSnapshot(snapshot); }),
      held_keys(this, Platform::instance().input()) {
    setWindowTitle(QStringLiteral("Kestrun Free"));
    setFixedSize(630, 585);
    setAcceptDrops(true);
    loadSettings(settings, project_path, desktopPath());
    buildWidgets();
    connectMenuBarKey();
    // Before the welcome, which is centred over the window.
    new ScreenFit(this, size());
    history.reset(snapshot());

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
    connectOtherStarts();
}

kestrun::~kestrun() {
    // The hint has no parent; it must not stay on screen without its window,
    // nor bring the window back while it goes.
    if (hoverWindow) {
        disconnect(hoverWindow, nullptr, this, nullptr);
        delete hoverWindow;
    }
    delete run_indicator;
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
             condition_seconds_label, fields.condition_time_spin, command_group, condition_group,
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

namespace {

// An image token runs to megabytes; the log shows its length instead.
PageList forLog(PageList pages) {
    constexpr qsizetype longest = 80;
    for (QStringList& tokens : pages)
        for (QString& token : tokens)
            if (token.size() > longest)
                token = QStringLiteral("(%1 characters)").arg(token.size());
    return pages;
}

} // namespace

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
    // The name as the title; the desktop marks unsaved changes by "[*]".
    setWindowTitle(projectName(project_path, desktopPath()) + QStringLiteral("[*]"));
    qDebug() << forLog(list_command);
    qDebug() << forLog(list_condition);
    recordHistory(false);
    refreshing = false;
}

// The fixed texts keep their widgets' places and sizes; one too wide for its
// widget in this language and with this desktop's fonts gets a smaller font.
void kestrun::fitFixedTexts() {
    QSet<QWidget*> fitted;
    for (const FixedText& row : fixedTexts()) {
        auto* widget = findChild<QWidget*>(QString::fromUtf8(row.objectName));
        if (widget && !fitted.contains(widget)) {
            shrinkToFit(widget, smallestFontPixels);
            fitted.insert(widget);
        }
    }
}

void kestrun::changeLanguage() {
    qDebug() << "言語変更";
    applyInterfaceTexts(this, settings.is_japanese, settings.is_help);
    fitFixedTexts();
    useQtTranslations(settings.is_japanese);
    if (editor_shown)
        refresh();
}
