#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QTime>

#include "app/displaytexts.h"
#include "app/interfacetexts.h"
#include "app/kestrun.h"
#include "app/writeback.h"
#include "dialogs/textfit.h"
#include "keys/keycapture.h"
#include "keys/keycombination.h"
#include "model/pagetypes.h"

namespace {

constexpr int keystrokePollMs = 50;

void setTypeLabel(QLabel* label, const QString& text) {
    // An unknown type keyword keeps the label's previous text.
    if (!text.isNull())
        label->setText(text);
}

} // namespace

void kestrun::hideTypeWidgets() {
    for (QWidget* widget : panelWidgets(fields))
        widget->hide();
    condition_seconds_label->hide();
}

void kestrun::showCommand(const QStringList& tokens) {
    const QString type = tokenAt(tokens, 0);
    setTypeLabel(command_type_label, operationTypeText(type, settings.is_japanese));
    if (const OperationPanel* panel = findByKeyword(operationPanels(), type))
        showPanel(*panel, fields, tokens, settings.is_japanese);
}

void kestrun::showCondition(const QStringList& tokens) {
    const QString type = tokenAt(tokens, 0);
    setTypeLabel(condition_type_label, conditionTypeText(type, settings.is_japanese));
    if (const ConditionPanel* panel = findByKeyword(conditionPanels(), type))
        showPanel(*panel, fields, tokens, settings.is_japanese);
}

void kestrun::changeMenuAddCommand() {
    selected_command_type =
        commandKeywordForDisplay(command_type_combo->currentText(), settings.is_japanese);
}

void kestrun::changeMenuAddCondition() {
    selected_condition_type =
        conditionKeywordForDisplay(condition_type_combo->currentText(), settings.is_japanese);
}

void kestrun::addCommand() {
    if (capturing_key)
        return;
    const QStringList previous = list_command[current_page - 1];
    list_command[current_page - 1] = defaultCommand(selected_command_type);
    const OperationPanel* panel = findByKeyword(operationPanels(), selected_command_type);
    if (!panel || !panel->capturesKey) {
        refresh();
        return;
    }
    capture_for_condition = false;
    capturing_key = true;
    refresh();
    startKeyCapture(false, previous);
}

void kestrun::addCondition() {
    if (capturing_key)
        return;
    const QStringList previous = list_condition[current_page - 1];
    list_condition[current_page - 1] =
        defaultCondition(selected_condition_type, QTime::currentTime());
    const ConditionPanel* panel = findByKeyword(conditionPanels(), selected_condition_type);
    if (!panel || !panel->capturesKey) {
        refresh();
        return;
    }
    capture_for_condition = true;
    capturing_key = true;
    refresh();
    startKeyCapture(true, previous);
}

void kestrun::startKeyCapture(bool forCondition, const QStringList& previous) {
    setKeyCaptureMode(true, forCondition);
    key_capture->beginCapture();
    if (key_capture->install()) {
        keystroke_timer.start(keystrokePollMs);
        return;
    }
    // Without a hook no key can ever arrive: give the page back what it had,
    // so the user is not held on a page that lacks its key.
    key_capture->endCapture();
    capturing_key = false;
    setKeyCaptureMode(false, forCondition);
    if (forCondition)
        list_condition[current_page - 1] = previous;
    else
        list_command[current_page - 1] = previous;
    refresh();
    (forCondition ? condition_type_label : command_type_label)
        ->setText(QStringLiteral("キーフックに失敗"));
}

void kestrun::pollKeystroke() {
    const int key = key_capture->capturedKey.load();
    if (key == 0)
        return;
    keystroke_timer.stop();
    key_capture->endCapture();
    key_capture->remove();
    capturing_key = false;
    // Held on, the key would repeat into the editor's fields.
    held_keys.swallowUntilReleased(key);
    const int modifiers = toStoredMask(key_capture->capturedModifiers.load());
    const QString text = KeyCombination{key, modifiers}.toText();
    if (capture_for_condition)
        list_condition[current_page - 1] = QStringList{keyword::Key, text};
    else
        list_command[current_page - 1] = QStringList{keyword::Key, text, QStringLiteral("0.01")};
    setKeyCaptureMode(false, false);
    refresh();
}

void kestrun::setKeyCaptureMode(bool on, bool forCondition) {
    // The coordinate buttons too: the capture holds the keyboard, so
    // Ctrl+Alt+G could not end a coordinate capture.
    const std::initializer_list<QWidget*> controls{page_group,
                                                   command_type_combo,
                                                   command_add_button,
                                                   condition_type_combo,
                                                   condition_add_button,
                                                   run_button,
                                                   menuBar(),
                                                   fields.pointer_get_button,
                                                   fields.smooth_get_button,
                                                   fields.test_button,
                                                   fields.window_get_button,
                                                   fields.window_test_button,
                                                   fields.condition_window_get_button,
                                                   fields.command_image_take_button,
                                                   fields.condition_image_take_button,
                                                   fields.color_get_button,
                                                   fields.image_test_button,
                                                   fields.condition_test_button};
    updateEditActions();
    if (!on) {
        command_group->setEnabled(true);
        condition_group->setEnabled(true);
        for (QWidget* widget : controls)
            widget->setEnabled(true);
        return;
    }
    command_group->setEnabled(forCondition);
    condition_group->setEnabled(!forCondition);
    for (QWidget* widget : controls)
        widget->setEnabled(false);
    command_add_button->hide();
    condition_add_button->hide();
    showFitted(forCondition ? fields.condition_key_label : fields.command_key_label,
               keyCapturePrompt(settings.is_japanese), smallestFontPixels);
    if (forCondition) {
        fields.condition_time_spin->hide();
        condition_seconds_label->hide();
    } else {
        fields.command_time_spin->hide();
        fields.command_seconds_label->hide();
    }
}

// A locked page keeps its Add buttons, except while a capture runs: a key
// page read from a file, or one whose capture failed, can only be completed
// or changed through them. A capture locks its page whatever the page holds,
// so the key it takes lands on the page it was started for.
void kestrun::setNavigationLocked(bool locked) {
    locked = locked || capturing_key;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{run_button, next_button, previous_button, delete_button,
                                         menuBar(), page_list, copy_button, paste_button})
        widget->setVisible(!locked);
    command_add_button->setVisible(!capturing_key);
    condition_add_button->setVisible(!capturing_key);
}

void kestrun::hideInapplicableNavigation() {
    if (current_page == 1)
        previous_button->hide();
    if (list_command.size() <= 1)
        delete_button->hide();
    if (copied_command.isEmpty())
        paste_button->hide();
}

void kestrun::writeFieldsBack() {
    const int index = current_page - 1;
    list_command[index] =
        writeBackCommand(list_command[index], commandFields(fields), settings.is_japanese);
    list_condition[index] =
        writeBackCondition(list_condition[index], conditionFields(fields), settings.is_japanese);
}

void kestrun::changeSomeThing() {
    if (refreshing)
        return;
    writeFieldsBack();
    const int index = current_page - 1;
    const OperationPanel* operation =
        findByKeyword(operationPanels(), tokenAt(list_command[index], 0));
    const ConditionPanel* condition =
        findByKeyword(conditionPanels(), tokenAt(list_condition[index], 0));
    if ((operation && operation->editCompletes) || (condition && condition->editCompletes)) {
        setNavigationLocked(lacksInput(list_command[index], list_condition[index]));
        hideInapplicableNavigation();
    }
    recordHistory(true);
}
