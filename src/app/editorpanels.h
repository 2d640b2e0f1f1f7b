#pragma once

#include <span>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "app/writeback.h"

class ImageField;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTextEdit;

// Texts too wide for their widgets get smaller fonts, but not below this.
inline constexpr int smallestFontPixels = 12;

// The editor's type-specific fields, made and placed by the main window's
// layout; each page type's panel shows some of them.
struct EditorFields {
    QComboBox* command_button_combo = nullptr;
    QDoubleSpinBox* command_time_spin = nullptr;
    QLabel* command_seconds_label = nullptr;
    QTextEdit* text_edit = nullptr;
    QLabel* command_key_label = nullptr;
    QLabel* pointer_x_label = nullptr;
    QSpinBox* pointer_x_spin = nullptr;
    QLabel* pointer_y_label = nullptr;
    QSpinBox* pointer_y_spin = nullptr;
    QPushButton* pointer_get_button = nullptr;
    QLabel* smooth_x_label = nullptr;
    QSpinBox* smooth_x_spin = nullptr;
    QLabel* smooth_y_label = nullptr;
    QSpinBox* smooth_y_spin = nullptr;
    QPushButton* smooth_get_button = nullptr;
    QPushButton* test_button = nullptr;
    QLineEdit* window_title_edit = nullptr;
    QPushButton* window_get_button = nullptr;
    QPushButton* window_test_button = nullptr;
    QComboBox* condition_button_combo = nullptr;
    QDoubleSpinBox* condition_time_spin = nullptr;
    QLabel* condition_key_label = nullptr;
    QSpinBox* hour_spin = nullptr;
    QLabel* clock_colon_label = nullptr;
    QSpinBox* minute_spin = nullptr;
    QLineEdit* condition_window_edit = nullptr;
    QPushButton* condition_window_get_button = nullptr;
    // "画像へ移動".
    ImageField* command_image_view = nullptr;
    QLabel* command_image_size_label = nullptr;
    QPushButton* command_image_take_button = nullptr;
    QLabel* command_similarity_label = nullptr;
    QDoubleSpinBox* command_similarity_spin = nullptr;
    QLabel* command_region_label = nullptr;
    QLineEdit* command_region_edit = nullptr;
    QLabel* dx_label = nullptr;
    QSpinBox* dx_spin = nullptr;
    QLabel* dy_label = nullptr;
    QSpinBox* dy_spin = nullptr;
    QPushButton* image_test_button = nullptr;
    // "画像".
    ImageField* condition_image_view = nullptr;
    QLabel* condition_image_size_label = nullptr;
    QPushButton* condition_image_take_button = nullptr;
    QLabel* condition_similarity_label = nullptr;
    QDoubleSpinBox* condition_similarity_spin = nullptr;
    QLabel* condition_region_label = nullptr;
    QLineEdit* condition_region_edit = nullptr;
    QComboBox* image_mode_combo = nullptr;
    // Tests the condition: "画像" and "色".
    QPushButton* condition_test_button = nullptr;
    // "色".
    QLabel* color_x_label = nullptr;
    QSpinBox* color_x_spin = nullptr;
    QLabel* color_y_label = nullptr;
    QSpinBox* color_y_spin = nullptr;
    QPushButton* color_get_button = nullptr;
    QLineEdit* color_edit = nullptr;
    QLabel* color_swatch = nullptr;
    QLabel* tolerance_label = nullptr;
    QSpinBox* tolerance_spin = nullptr;
};

// The values of the fields, as write-back reads them.
CommandFields commandFields(const EditorFields& fields);
ConditionFields conditionFields(const EditorFields& fields);

// The fields a page type's panel shows besides the type label, how they are
// filled from the page's tokens and how they are written back into them.
template <typename Values> struct PanelFields {
    QWidgetList (*widgets)(const EditorFields& fields);
    // Called once the fields are shown.
    void (*fill)(const EditorFields& fields, const QStringList& tokens, bool japanese);
    // Writes every bound field, whichever of them changed.
    void (*writeBack)(QStringList& tokens, const Values& values, bool japanese);
};

// A page type's face in the editor.
template <typename Values> struct EditorPanel {
    const QString& keyword;
    // Null for a type without fields.
    const PanelFields<Values>* fields = nullptr;
    // Add stores the defaults, then captures the key the page needs.
    bool capturesKey = false;
    // A field edit can complete the page or make it lack its input again.
    bool editCompletes = false;
    // The page bar's English name, where it differs from the type's name.
    const char* pageBarEnglish = nullptr;
};

using OperationPanel = EditorPanel<CommandFields>;
using ConditionPanel = EditorPanel<ConditionFields>;

// One per page type, found by its keyword.
std::span<const OperationPanel> operationPanels();
std::span<const ConditionPanel> conditionPanels();

template <typename Values>
QWidgetList shownWidgets(const EditorPanel<Values>& panel, const EditorFields& fields) {
    return panel.fields ? panel.fields->widgets(fields) : QWidgetList();
}

// Shows the panel's fields and fills them from the tokens.
template <typename Values>
void showPanel(const EditorPanel<Values>& panel, const EditorFields& fields,
               const QStringList& tokens, bool japanese) {
    if (!panel.fields)
        return;
    for (QWidget* widget : panel.fields->widgets(fields))
        widget->show();
    panel.fields->fill(fields, tokens, japanese);
}

// Every field some panel shows: all are hidden before a page is shown.
QWidgetList panelWidgets(const EditorFields& fields);
