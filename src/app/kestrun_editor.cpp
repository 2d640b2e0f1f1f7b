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

namespace {

constexpr int keystrokePollMs = 50;

void setTypeLabel(QLabel* label, const QString& text) {
    // An unknown type keyword keeps the label's previous text.
    if (!text.isNull())
        label->setText(text);
}

void showAll(std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets)
        widget->show();
}

} // namespace

void kestrun::hideTypeWidgets() {
    for (QWidget* widget : std::initializer_list<QWidget*>{command_button_combo,
                                                           command_time_spin,
                                                           command_seconds_label,
                                                           text_edit,
                                                           command_key_label,
                                                           pointer_x_label,
                                                           pointer_x_spin,
                                                           pointer_y_label,
                                                           pointer_y_spin,
                                                           pointer_get_button,
                                                           smooth_x_label,
                                                           smooth_x_spin,
                                                           smooth_y_label,
                                                           smooth_y_spin,
                                                           smooth_get_button,
                                                           test_button,
                                                           condition_button_combo,
                                                           condition_time_spin,
                                                           condition_seconds_label,
                                                           condition_key_label,
                                                           hour_spin,
                                                           minute_spin,
                                                           clock_colon_label})
        widget->hide();
}

void kestrun::showCommand(const QStringList& tokens) {
    const QString type = tokenAt(tokens, 0);
    setTypeLabel(command_type_label, operationTypeText(type, settings.is_japanese));
    if (type == keyword::Click) {
        showAll({command_button_combo, command_time_spin, command_seconds_label});
        command_button_combo->setCurrentText(
            buttonDisplayName(tokenAt(tokens, 1), settings.is_japanese));
        command_time_spin->setValue(tokenDouble(tokens, 2));
    } else if (type == keyword::MousePointer) {
        showAll({pointer_x_label, pointer_x_spin, pointer_y_label, pointer_y_spin, test_button,
                 pointer_get_button});
        pointer_x_spin->setValue(tokenInt(tokens, 1));
        pointer_y_spin->setValue(tokenInt(tokens, 2));
    } else if (type == keyword::SmoothMove) {
        showAll({smooth_x_label, smooth_x_spin, smooth_y_label, smooth_y_spin, command_time_spin,
                 command_seconds_label, test_button, smooth_get_button});
        smooth_x_spin->setValue(tokenInt(tokens, 1));
        smooth_y_spin->setValue(tokenInt(tokens, 2));
        command_time_spin->setValue(tokenDouble(tokens, 3));
    } else if (type == keyword::Key) {
        showAll({command_key_label, command_time_spin, command_seconds_label});
        showFitted(command_key_label, keyCombinationLabel(tokenAt(tokens, 1)), smallestFontPixels);
        command_time_spin->setValue(tokenDouble(tokens, 2));
    } else if (type == keyword::EnterText) {
        showAll({text_edit, command_time_spin, command_seconds_label});
        // Plain text: rich-text markup in a token must come back unchanged.
        text_edit->setPlainText(tokenAt(tokens, 1));
        command_time_spin->setValue(tokenDouble(tokens, 2));
    }
}

void kestrun::showCondition(const QStringList& tokens) {
    const QString type = tokenAt(tokens, 0);
    setTypeLabel(condition_type_label, conditionTypeText(type, settings.is_japanese));
    if (type == keyword::WaitUntilOver || type == keyword::Time) {
        condition_time_spin->show();
        condition_time_spin->setValue(tokenDouble(tokens, 1));
    } else if (type == keyword::Click) {
        condition_button_combo->show();
        condition_button_combo->setCurrentText(
            buttonDisplayName(tokenAt(tokens, 1), settings.is_japanese));
    } else if (type == keyword::Key) {
        condition_key_label->show();
        showFitted(condition_key_label, keyCombinationLabel(tokenAt(tokens, 1)),
                   smallestFontPixels);
    } else if (type == keyword::ClockTime) {
        showAll({hour_spin, clock_colon_label, minute_spin});
        hour_spin->setValue(tokenInt(tokens, 1));
        minute_spin->setValue(tokenInt(tokens, 2));
    }
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
    if (selected_command_type != keyword::Key) {
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
    if (selected_condition_type != keyword::Key) {
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
    const std::initializer_list<QWidget*> controls{
        page_group,           command_type_combo, command_add_button, condition_type_combo,
        condition_add_button, run_button,         menuBar(),          pointer_get_button,
        smooth_get_button,    test_button};
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
    showFitted(forCondition ? condition_key_label : command_key_label,
               keyCapturePrompt(settings.is_japanese), smallestFontPixels);
    if (forCondition) {
        condition_time_spin->hide();
        condition_seconds_label->hide();
    } else {
        command_time_spin->hide();
        command_seconds_label->hide();
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

void kestrun::changeSomeThing() {
    if (refreshing)
        return;
    const int index = current_page - 1;
    const CommandFields command{command_time_spin->value(), command_button_combo->currentText(),
                                pointer_x_spin->value(),    pointer_y_spin->value(),
                                smooth_x_spin->value(),     smooth_y_spin->value(),
                                text_edit->toPlainText()};
    const ConditionFields condition{condition_time_spin->value(),
                                    condition_button_combo->currentText(), hour_spin->value(),
                                    minute_spin->value()};
    list_command[index] = writeBackCommand(list_command[index], command, settings.is_japanese);
    list_condition[index] =
        writeBackCondition(list_condition[index], condition, settings.is_japanese);
    if (tokenAt(list_command[index], 0) == keyword::EnterText) {
        setNavigationLocked(lacksInput(list_command[index], list_condition[index]));
        hideInapplicableNavigation();
    }
    recordHistory(true);
}
