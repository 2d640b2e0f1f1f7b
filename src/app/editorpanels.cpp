#include "app/editorpanels.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include "app/imagefield.h"
#include "dialogs/textfit.h"
#include "keys/keycombination.h"
#include "model/screenpages.h"
#include "model/tokens.h"

namespace {

void setToken(QStringList& tokens, int index, const QString& value) {
    while (tokens.size() <= index)
        tokens.append(QString());
    tokens[index] = value;
}

QString buttonToken(const QString& display, bool japanese) {
    if (japanese)
        return display;
    return buttonKeywordForDisplay(display);
}

using F = EditorFields;
using C = CommandFields;
using D = ConditionFields;

// Fields bound to tokens: each fills its widget from the token and writes
// the value the widget held back into it.

template <auto Widget, auto Value, int Token> struct Real {
    static void fill(const F& f, const QStringList& tokens, bool) {
        (f.*Widget)->setValue(tokenDouble(tokens, Token));
    }
    template <typename Values> static void write(QStringList& tokens, const Values& v, bool) {
        setToken(tokens, Token, formatSeconds(v.*Value));
    }
};

template <auto Widget, auto Value, int Token> struct Integer {
    static void fill(const F& f, const QStringList& tokens, bool) {
        (f.*Widget)->setValue(tokenInt(tokens, Token));
    }
    template <typename Values> static void write(QStringList& tokens, const Values& v, bool) {
        setToken(tokens, Token, QString::number(v.*Value));
    }
};

template <auto Widget, auto Value, int Token> struct Button {
    static void fill(const F& f, const QStringList& tokens, bool japanese) {
        (f.*Widget)->setCurrentText(buttonDisplayName(tokenAt(tokens, Token), japanese));
    }
    template <typename Values>
    static void write(QStringList& tokens, const Values& v, bool japanese) {
        setToken(tokens, Token, buttonToken(v.*Value, japanese));
    }
};

// Plain text: rich-text markup in a token must come back unchanged.
template <auto Widget, auto Value, int Token> struct PlainText {
    static void fill(const F& f, const QStringList& tokens, bool) {
        (f.*Widget)->setPlainText(tokenAt(tokens, Token));
    }
    template <typename Values> static void write(QStringList& tokens, const Values& v, bool) {
        setToken(tokens, Token, v.*Value);
    }
};

template <auto Widget, auto Value, int Token> struct LineText {
    static void fill(const F& f, const QStringList& tokens, bool) {
        (f.*Widget)->setText(tokenAt(tokens, Token));
    }
    template <typename Values> static void write(QStringList& tokens, const Values& v, bool) {
        setToken(tokens, Token, v.*Value);
    }
};

// Text that does not parse yet (a colour half typed) leaves the token as it
// was, so the page never holds a token a load would refuse.
template <auto Widget, auto Value, int Token, auto Parses> struct CheckedText {
    static void fill(const F& f, const QStringList& tokens, bool) {
        (f.*Widget)->setText(tokenAt(tokens, Token));
    }
    template <typename Values> static void write(QStringList& tokens, const Values& v, bool) {
        if (Parses(v.*Value))
            setToken(tokens, Token, v.*Value);
    }
};

bool isRegion(const QString& text) {
    return screenpages::regionFromToken(text).has_value();
}

bool isColor(const QString& text) {
    return screenpages::colorFromToken(text).has_value();
}

// The image is written by its capture alone; the field shows it.
template <auto Widget, auto Value, int Token> struct Image {
    static void fill(const F& f, const QStringList& tokens, bool japanese) {
        (f.*Widget)->setToken(tokenAt(tokens, Token), japanese);
    }
    template <typename Values> static void write(QStringList& tokens, const Values& v, bool) {
        setToken(tokens, Token, v.*Value);
    }
};

template <int Token> struct Mode {
    static void fill(const F& f, const QStringList& tokens, bool) {
        f.image_mode_combo->setCurrentIndex(tokenAt(tokens, Token) == keyword::Disappears ? 1 : 0);
    }
    template <typename Values> static void write(QStringList& tokens, const Values& v, bool) {
        setToken(tokens, Token, v.untilGone ? keyword::Disappears : keyword::Appears);
    }
};

// The key is shown only: a key capture alone writes it.
template <auto Widget, int Token> struct KeyLabel {
    static void fill(const F& f, const QStringList& tokens, bool) {
        showFitted(f.*Widget, keyCombinationLabel(tokenAt(tokens, Token)), smallestFontPixels);
    }
    template <typename Values> static void write(QStringList&, const Values&, bool) {}
};

template <auto... Widget> struct Shows {
    static QWidgetList widgets(const F& f) { return {f.*Widget...}; }
};

template <typename Values, typename Shown, typename... Bound> struct Bindings {
    static void fill(const F& f, const QStringList& tokens, bool japanese) {
        (Bound::fill(f, tokens, japanese), ...);
    }
    static void write(QStringList& tokens, const Values& values, bool japanese) {
        (Bound::template write<Values>(tokens, values, japanese), ...);
    }
    static constexpr PanelFields<Values> fields{Shown::widgets, fill, write};
};

using CommandTime = Real<&F::command_time_spin, &C::time, 2>;
using ClickFields =
    Bindings<C, Shows<&F::command_button_combo, &F::command_time_spin, &F::command_seconds_label>,
             Button<&F::command_button_combo, &C::button, 1>, CommandTime>;
using PointerFields = Bindings<C,
                               Shows<&F::pointer_x_label, &F::pointer_x_spin, &F::pointer_y_label,
                                     &F::pointer_y_spin, &F::test_button, &F::pointer_get_button>,
                               Integer<&F::pointer_x_spin, &C::pointerX, 1>,
                               Integer<&F::pointer_y_spin, &C::pointerY, 2>>;
using SmoothFields = Bindings<
    C,
    Shows<&F::smooth_x_label, &F::smooth_x_spin, &F::smooth_y_label, &F::smooth_y_spin,
          &F::command_time_spin, &F::command_seconds_label, &F::test_button, &F::smooth_get_button>,
    Integer<&F::smooth_x_spin, &C::smoothX, 1>, Integer<&F::smooth_y_spin, &C::smoothY, 2>,
    Real<&F::command_time_spin, &C::time, 3>>;
using KeyOperationFields =
    Bindings<C, Shows<&F::command_key_label, &F::command_time_spin, &F::command_seconds_label>,
             KeyLabel<&F::command_key_label, 1>, CommandTime>;
using TextFields =
    Bindings<C, Shows<&F::text_edit, &F::command_time_spin, &F::command_seconds_label>,
             PlainText<&F::text_edit, &C::text, 1>, CommandTime>;
using WindowFields =
    Bindings<C, Shows<&F::window_title_edit, &F::window_get_button, &F::window_test_button>,
             LineText<&F::window_title_edit, &C::windowTitle, 1>>;

using MoveToImageFields =
    Bindings<C,
             Shows<&F::command_image_view, &F::command_image_size_label,
                   &F::command_image_take_button, &F::command_similarity_label,
                   &F::command_similarity_spin, &F::command_region_label, &F::command_region_edit,
                   &F::dx_label, &F::dx_spin, &F::dy_label, &F::dy_spin, &F::image_test_button>,
             Image<&F::command_image_view, &C::image, 1>,
             Real<&F::command_similarity_spin, &C::similarity, 2>,
             CheckedText<&F::command_region_edit, &C::region, 3, isRegion>,
             Integer<&F::dx_spin, &C::dx, 4>, Integer<&F::dy_spin, &C::dy, 5>>;

using TimeFields =
    Bindings<D, Shows<&F::condition_time_spin>, Real<&F::condition_time_spin, &D::time, 1>>;
using ClickConditionFields = Bindings<D, Shows<&F::condition_button_combo>,
                                      Button<&F::condition_button_combo, &D::button, 1>>;
using KeyConditionFields =
    Bindings<D, Shows<&F::condition_key_label>, KeyLabel<&F::condition_key_label, 1>>;
using ClockFields =
    Bindings<D, Shows<&F::hour_spin, &F::clock_colon_label, &F::minute_spin>,
             Integer<&F::hour_spin, &D::hour, 1>, Integer<&F::minute_spin, &D::minute, 2>>;
using WindowConditionFields =
    Bindings<D, Shows<&F::condition_window_edit, &F::condition_window_get_button>,
             LineText<&F::condition_window_edit, &D::windowTitle, 1>>;

using ImageConditionFields = Bindings<
    D,
    Shows<&F::condition_image_view, &F::condition_image_size_label, &F::condition_image_take_button,
          &F::condition_similarity_label, &F::condition_similarity_spin, &F::condition_region_label,
          &F::condition_region_edit, &F::image_mode_combo, &F::condition_test_button>,
    Image<&F::condition_image_view, &D::image, 1>,
    Real<&F::condition_similarity_spin, &D::similarity, 2>,
    CheckedText<&F::condition_region_edit, &D::region, 3, isRegion>, Mode<4>>;
using ColorFields =
    Bindings<D,
             Shows<&F::color_x_label, &F::color_x_spin, &F::color_y_label, &F::color_y_spin,
                   &F::color_get_button, &F::color_edit, &F::color_swatch, &F::tolerance_label,
                   &F::tolerance_spin, &F::condition_test_button>,
             Integer<&F::color_x_spin, &D::colorX, 1>, Integer<&F::color_y_spin, &D::colorY, 2>,
             CheckedText<&F::color_edit, &D::color, 3, isColor>,
             Integer<&F::tolerance_spin, &D::tolerance, 4>>;

} // namespace

CommandFields commandFields(const F& f) {
    return {.time = f.command_time_spin->value(),
            .button = f.command_button_combo->currentText(),
            .pointerX = f.pointer_x_spin->value(),
            .pointerY = f.pointer_y_spin->value(),
            .smoothX = f.smooth_x_spin->value(),
            .smoothY = f.smooth_y_spin->value(),
            .text = f.text_edit->toPlainText(),
            .windowTitle = f.window_title_edit->text(),
            .image = f.command_image_view->token(),
            .similarity = f.command_similarity_spin->value(),
            .region = f.command_region_edit->text(),
            .dx = f.dx_spin->value(),
            .dy = f.dy_spin->value()};
}

ConditionFields conditionFields(const F& f) {
    return {.time = f.condition_time_spin->value(),
            .button = f.condition_button_combo->currentText(),
            .hour = f.hour_spin->value(),
            .minute = f.minute_spin->value(),
            .windowTitle = f.condition_window_edit->text(),
            .image = f.condition_image_view->token(),
            .similarity = f.condition_similarity_spin->value(),
            .region = f.condition_region_edit->text(),
            .untilGone = f.image_mode_combo->currentIndex() == 1,
            .colorX = f.color_x_spin->value(),
            .colorY = f.color_y_spin->value(),
            .color = f.color_edit->text(),
            .tolerance = f.tolerance_spin->value()};
}

std::span<const OperationPanel> operationPanels() {
    static const OperationPanel panels[] = {
        {.keyword = keyword::None},
        {.keyword = keyword::Click, .fields = &ClickFields::fields},
        {.keyword = keyword::MousePointer, .fields = &PointerFields::fields},
        {.keyword = keyword::SmoothMove, .fields = &SmoothFields::fields},
        {.keyword = keyword::Key,
         .fields = &KeyOperationFields::fields,
         .capturesKey = true,
         .pageBarEnglish = "key"},
        {.keyword = keyword::EnterText, .fields = &TextFields::fields, .editCompletes = true},
        {.keyword = keyword::Window, .fields = &WindowFields::fields, .editCompletes = true},
        {.keyword = keyword::MoveToImage,
         .fields = &MoveToImageFields::fields,
         .editCompletes = true},
    };
    return panels;
}

std::span<const ConditionPanel> conditionPanels() {
    static const ConditionPanel panels[] = {
        {.keyword = keyword::WaitUntilOver, .fields = &TimeFields::fields},
        {.keyword = keyword::Time, .fields = &TimeFields::fields},
        {.keyword = keyword::Immediately},
        {.keyword = keyword::Click, .fields = &ClickConditionFields::fields},
        {.keyword = keyword::Key, .fields = &KeyConditionFields::fields, .capturesKey = true},
        {.keyword = keyword::ClockTime, .fields = &ClockFields::fields},
        {.keyword = keyword::Window,
         .fields = &WindowConditionFields::fields,
         .editCompletes = true},
        {.keyword = keyword::Image, .fields = &ImageConditionFields::fields, .editCompletes = true},
        {.keyword = keyword::Color, .fields = &ColorFields::fields},
    };
    return panels;
}

QWidgetList panelWidgets(const EditorFields& fields) {
    QWidgetList all;
    for (const OperationPanel& panel : operationPanels())
        all << shownWidgets(panel, fields);
    for (const ConditionPanel& panel : conditionPanels())
        all << shownWidgets(panel, fields);
    return all;
}
