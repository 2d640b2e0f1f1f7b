#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include "app/imagefield.h"
#include "app/kestrun.h"
#include "app/pagebar.h"
#include "app/styles.h"
#include "model/pagetypes.h"

// Every widget is a direct child of the window at a fixed place; widgets
// created later lie above earlier ones where they overlap.

namespace {

template <typename Widget>
Widget* place(Widget* widget, const char* name, int x, int y, int width, int height,
              const QString& sheet) {
    widget->setObjectName(QLatin1String(name));
    widget->move(x, y);
    widget->setFixedSize(width, height);
    widget->setStyleSheet(sheet);
    widget->hide();
    return widget;
}

QGroupBox* group(QWidget* parent, const char* name, const QString& title, QRect geometry) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setStyleSheet(style::group());
    box->hide();
    return box;
}

QComboBox* combo(QWidget* parent, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

QDoubleSpinBox* realSpin(QWidget* parent, double step) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setRange(0.01, 1000);
    spin->setSingleStep(step);
    return spin;
}

QSpinBox* spin(QWidget* parent, int minimum, int maximum) {
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    return box;
}

QSpinBox* coordinateSpin(QWidget* parent, int maximum) {
    QSpinBox* box = spin(parent, -9999999, maximum);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return box;
}

QAction* action(QMenu* menu, const char* name, const QString& text, bool checkable = false) {
    QAction* item = menu->addAction(text);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(checkable);
    return item;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& title) {
    QMenu* added = bar->addMenu(title);
    added->setObjectName(QLatin1String(name));
    return added;
}

} // namespace

void kestrun::buildWidgets() {
    buildStartPage();
    buildTypeEditors();
    buildPageWidgets();
    buildMenus();
    buildValueFields();
    buildScreenFields();
    connectSignals();
}

void kestrun::buildStartPage() {
    command_group = group(this, "command_group", QStringLiteral("操作"), {10, 30, 400, 240});
    condition_group = group(this, "condition_group", QStringLiteral("条件"), {10, 280, 400, 240});
    page_group = group(this, "page_group", QStringLiteral("ページ"), {430, 30, 190, 490});

    new_project_button = place(new QPushButton(QStringLiteral("新しいプロジェクトを作成"), this),
                               "new_project_button", 10, 10, 610, 60, style::button24());
    load_project_button = place(new QPushButton(QStringLiteral("プロジェクトを読み込む"), this),
                                "load_project_button", 10, 80, 610, 60, style::button24());
    language_button = place(new QPushButton(QStringLiteral("English"), this), "language_button", 10,
                            150, 610, 60, style::button24());
    new_project_button->show();
    load_project_button->show();
    language_button->show();
}

void kestrun::buildTypeEditors() {
    // Wide enough for "マウスポインター", up to the Add button.
    command_type_combo = place(combo(this, keywordsOf(operationTypes())), "command_type_combo", 20,
                               60, 218, 40, style::combo());
    command_add_button = place(new QPushButton(QStringLiteral("追加"), this), "command_add_button",
                               240, 60, 60, 38, style::button24());
    fields.test_button = place(new QPushButton(QStringLiteral("テスト"), this), "test_button", 310,
                               220, 90, 38, style::button24());
    command_type_label = place(new QLabel(QStringLiteral("X"), this), "command_type_label", 20, 110,
                               300, 30, style::label24());
    command_type_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fields.text_edit = place(new QTextEdit(this), "text_edit", 20, 142, 380, 73, style::text());
    fields.window_title_edit =
        place(new QLineEdit(this), "window_title_edit", 20, 145, 290, 40, style::text());
    fields.window_get_button = place(new QPushButton(QStringLiteral("取得"), this),
                                     "window_get_button", 320, 144, 80, 43, style::button24());
    fields.window_test_button = place(new QPushButton(QStringLiteral("テスト"), this),
                                      "window_test_button", 310, 220, 90, 38, style::button24());
    fields.command_button_combo = place(combo(this, {keyword::Left, keyword::Right}),
                                        "command_button_combo", 20, 150, 90, 40, style::combo());
    fields.command_seconds_label =
        place(new QLabel(QStringLiteral("秒"), this), "command_seconds_label", 140, 210, 60, 60,
              style::label30());
    fields.command_time_spin =
        place(realSpin(this, 0.01), "command_time_spin", 20, 220, 110, 40, style::realSpin());

    condition_type_combo = place(combo(this, keywordsOf(conditionTypes())), "condition_type_combo",
                                 20, 310, 200, 40, style::combo());
    condition_add_button = place(new QPushButton(QStringLiteral("追加"), this),
                                 "condition_add_button", 240, 310, 60, 38, style::button24());
    condition_type_label = place(new QLabel(QStringLiteral("時間"), this), "condition_type_label",
                                 20, 360, 400, 60, style::label24());
    condition_type_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    condition_seconds_label = place(new QLabel(QStringLiteral("秒"), this),
                                    "condition_seconds_label", 140, 380, 400, 60, style::label30());
    fields.condition_button_combo =
        place(combo(this, {keyword::Left, keyword::Right}), "condition_button_combo", 20, 390, 90,
              40, style::combo());
    fields.condition_time_spin =
        place(realSpin(this, 0.1), "condition_time_spin", 20, 390, 120, 40, style::realSpin());
    fields.condition_window_edit =
        place(new QLineEdit(this), "condition_window_edit", 20, 390, 290, 40, style::text());
    fields.condition_window_get_button =
        place(new QPushButton(QStringLiteral("取得"), this), "condition_window_get_button", 320,
              389, 80, 43, style::button24());
}

void kestrun::buildPageWidgets() {
    previous_button = place(new QPushButton(QStringLiteral("←"), this), "previous_button", 450, 365,
                            62, 30, style::button48());
    run_button = place(new QPushButton(QStringLiteral("実行"), this), "run_button", 10, 525, 610,
                       53, style::button48());
    next_button = place(new QPushButton(QStringLiteral("→"), this), "next_button", 537, 365, 62, 30,
                        style::button48());
    delete_button = place(new QPushButton(QStringLiteral("削除"), this), "delete_button", 453, 446,
                          145, 38, style::redButton());
    page_label = place(new QLabel(QStringLiteral("1/1"), this), "page_label", 450, 485, 143, 24,
                       style::label24());
    page_list = place(new PageBar(this), "page_list", 450, 60, 150, 295, style::tooltipOnly());
    page_list->addItem(QStringLiteral("1.なし"));
    // Wider than the paste button, into the free space between them, for
    // "コピー".
    copy_button = place(new QPushButton(QStringLiteral("コピー"), this), "copy_button", 450, 400,
                        82, 41, style::button24());
    paste_button = place(new QPushButton(QStringLiteral("ペースト"), this), "paste_button", 538,
                         400, 62, 41, style::button16());
}

void kestrun::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menu_bar"));

    file_menu = menu(bar, "file_menu", QStringLiteral("ファイル"));
    new_action = action(file_menu, "new_action", QStringLiteral("新規作成"));
    open_action = action(file_menu, "open_action", QStringLiteral("開く"));
    save_action = action(file_menu, "save_action", QStringLiteral("上書き保存"));
    save_as_action = action(file_menu, "save_as_action", QStringLiteral("名前を付けて保存"));
    file_menu->addSeparator();
    quit_action = action(file_menu, "quit_action", QStringLiteral("終了"));
    new_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    open_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    save_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save_as_action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    quit_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    edit_menu = menu(bar, "edit_menu", QStringLiteral("編集"));
    undo_action = action(edit_menu, "undo_action", QStringLiteral("元に戻す"));
    redo_action = action(edit_menu, "redo_action", QStringLiteral("やり直し"));
    undo_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_action->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit_menu->addSeparator();
    record_action = action(edit_menu, "record_action", QStringLiteral("記録"));
    record_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));

    report_menu = menu(bar, "report_menu", QStringLiteral("報告"));
    report_bug_action = action(report_menu, "report_bug_action", QStringLiteral("バグを報告"));
    suggest_action = action(report_menu, "suggest_action", QStringLiteral("改善案を報告"));
    need_reply_action =
        action(report_menu, "need_reply_action", QStringLiteral("返信が必要な場合"));

    settings_menu = menu(bar, "settings_menu", QStringLiteral("設定"));
    ask_save_action = action(settings_menu, "ask_save_action",
                             QStringLiteral("ファイルを保存するか確認する"), true);
    ask_paste_action = action(settings_menu, "ask_paste_action",
                              QStringLiteral("ページにペーストするか確認する"), true);
    ask_delete_action = action(settings_menu, "ask_delete_action",
                               QStringLiteral("ページを削除するか確認する"), true);

    version_menu = menu(bar, "version_menu", QStringLiteral("バージョン"));
    version_action = action(version_menu, "version_action", QStringLiteral("バージョン情報"));

    help_menu = menu(bar, "help_menu", QStringLiteral("ヘルプ"));
    help_mode_action = action(help_menu, "help_mode_action", QStringLiteral("ヘルプモード"), true);
    ask_how_action = action(help_menu, "ask_how_action", QStringLiteral("使い方を質問する"));

    other_menu = menu(bar, "other_menu", QStringLiteral("その他"));
    language_action = action(other_menu, "language_action", QStringLiteral("English"));
    license_action =
        action(other_menu, "license_action", QStringLiteral("ソフトウェア使用許諾契約書を見る"));
    oss_notice_action = action(other_menu, "oss_notice_action",
                               QStringLiteral("オープンソースソフトウェアに関する告知を見る"));
    qt_info_action =
        action(other_menu, "qt_info_action",
               QStringLiteral("Qtライブラリの差替え又は再インストールに関する情報を見る"));
    lgpl_action = action(other_menu, "lgpl_action", QStringLiteral("LGPLv3のライセンス文章を見る"));

    bar->hide();
}

void kestrun::buildValueFields() {
    fields.command_key_label =
        place(new QLabel(this), "command_key_label", 20, 145, 380, 40, style::label24Spaced());
    fields.condition_key_label =
        place(new QLabel(this), "condition_key_label", 20, 385, 380, 40, style::label24Spaced());

    // The coordinate labels end where their fields begin, so no field hides
    // the colon.
    fields.pointer_x_label = place(new QLabel(QStringLiteral("X:"), this), "pointer_x_label", 20,
                                   133, 20, 60, style::label24Spaced());
    fields.pointer_x_spin =
        place(coordinateSpin(this, 9999999), "pointer_x_spin", 40, 145, 120, 40, style::spin());
    fields.pointer_y_label = place(new QLabel(QStringLiteral("Y:"), this), "pointer_y_label", 170,
                                   133, 20, 60, style::label24Spaced());
    fields.pointer_y_spin =
        place(coordinateSpin(this, 99999999), "pointer_y_spin", 190, 145, 120, 40, style::spin());
    fields.pointer_get_button = place(new QPushButton(QStringLiteral("取得"), this),
                                      "pointer_get_button", 320, 144, 80, 43, style::button24());

    fields.smooth_x_label = place(new QLabel(QStringLiteral("X:"), this), "smooth_x_label", 20, 133,
                                  20, 60, style::label24Spaced());
    fields.smooth_x_spin =
        place(coordinateSpin(this, 9999999), "smooth_x_spin", 40, 145, 120, 40, style::spin());
    fields.smooth_y_label = place(new QLabel(QStringLiteral("Y:"), this), "smooth_y_label", 170,
                                  133, 20, 60, style::label24Spaced());
    fields.smooth_y_spin =
        place(coordinateSpin(this, 99999999), "smooth_y_spin", 190, 145, 120, 40, style::spin());
    fields.smooth_get_button = place(new QPushButton(QStringLiteral("取得"), this),
                                     "smooth_get_button", 320, 144, 80, 43, style::button24());

    fields.hour_spin = place(spin(this, 0, 23), "hour_spin", 20, 390, 70, 40, style::spin());
    fields.clock_colon_label = place(new QLabel(QStringLiteral(":"), this), "clock_colon_label",
                                     100, 395, 24, 24, style::label24Spaced());
    fields.minute_spin = place(spin(this, 0, 59), "minute_spin", 114, 390, 70, 40, style::spin());
}

namespace {

QLabel* smallLabel(QWidget* parent, const char* name, const QString& text, QRect at) {
    return place(new QLabel(text, parent), name, at.x(), at.y(), at.width(), at.height(),
                 style::small16());
}

QPushButton* smallButton(QWidget* parent, const char* name, const QString& text, QRect at) {
    return place(new QPushButton(text, parent), name, at.x(), at.y(), at.width(), at.height(),
                 style::small16());
}

template <typename Widget> Widget* small(Widget* widget, const char* name, QRect at) {
    return place(widget, name, at.x(), at.y(), at.width(), at.height(), style::small16());
}

QDoubleSpinBox* similaritySpin(QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0.5, 1);
    box->setDecimals(2);
    box->setSingleStep(0.01);
    return box;
}

ImageField* imageView(QWidget* parent, const char* name, QLabel* sizeLabel, QRect at) {
    auto* view = place(new ImageField(parent), name, at.x(), at.y(), at.width(), at.height(),
                       style::tooltipOnly());
    view->setSizeLabel(sizeLabel);
    return view;
}

// The image fields of an operation or a condition, `top` pixels down.
struct ImageFieldSet {
    ImageField* view;
    QLabel* size;
    QPushButton* take;
    QLabel* similarityLabel;
    QDoubleSpinBox* similarity;
    QLabel* regionLabel;
    QLineEdit* region;
};

ImageFieldSet imageFields(QWidget* parent, const char* prefix, int top) {
    // Object names are copied as they are set, so a temporary will do.
    const auto name = [prefix](const char* part) { return QByteArray(prefix) + part; };
    ImageFieldSet set{};
    set.size = smallLabel(parent, name("_image_size_label").constData(), QString(),
                          {20, top + 62, 90, 22});
    set.view = imageView(parent, name("_image_view").constData(), set.size, {20, top, 90, 60});
    set.take = smallButton(parent, name("_image_take_button").constData(),
                           QStringLiteral("画像を取得"), {298, top, 102, 30});
    set.similarityLabel = smallLabel(parent, name("_similarity_label").constData(),
                                     QStringLiteral("類似度"), {118, top, 90, 30});
    set.similarity =
        small(similaritySpin(parent), name("_similarity_spin").constData(), {208, top, 80, 30});
    set.regionLabel = smallLabel(parent, name("_region_label").constData(), QStringLiteral("範囲"),
                                 {118, top + 36, 90, 30});
    set.region =
        small(new QLineEdit(parent), name("_region_edit").constData(), {208, top + 36, 192, 30});
    return set;
}

} // namespace

void kestrun::buildScreenFields() {
    const ImageFieldSet command = imageFields(this, "command", 142);
    fields.command_image_view = command.view;
    fields.command_image_size_label = command.size;
    fields.command_image_take_button = command.take;
    fields.command_similarity_label = command.similarityLabel;
    fields.command_similarity_spin = command.similarity;
    fields.command_region_label = command.regionLabel;
    fields.command_region_edit = command.region;
    fields.dx_label = smallLabel(this, "dx_label", QStringLiteral("DX:"), {118, 222, 30, 30});
    fields.dx_spin = small(spin(this, -9999, 9999), "dx_spin", {148, 222, 62, 30});
    fields.dy_label = smallLabel(this, "dy_label", QStringLiteral("DY:"), {214, 222, 30, 30});
    fields.dy_spin = small(spin(this, -9999, 9999), "dy_spin", {244, 222, 62, 30});
    fields.image_test_button = place(new QPushButton(QStringLiteral("テスト"), this),
                                     "image_test_button", 310, 220, 90, 38, style::button24());

    const ImageFieldSet condition = imageFields(this, "condition", 392);
    fields.condition_image_view = condition.view;
    fields.condition_image_size_label = condition.size;
    fields.condition_image_take_button = condition.take;
    fields.condition_similarity_label = condition.similarityLabel;
    fields.condition_similarity_spin = condition.similarity;
    fields.condition_region_label = condition.regionLabel;
    fields.condition_region_edit = condition.region;
    fields.image_mode_combo = small(combo(this, {keyword::Appears, keyword::Disappears}),
                                    "image_mode_combo", {118, 472, 120, 30});
    fields.condition_test_button =
        place(new QPushButton(QStringLiteral("テスト"), this), "condition_test_button", 310, 468,
              90, 38, style::button24());

    fields.color_x_label =
        smallLabel(this, "color_x_label", QStringLiteral("X:"), {20, 392, 24, 30});
    fields.color_x_spin = small(coordinateSpin(this, 9999999), "color_x_spin", {44, 392, 90, 30});
    fields.color_y_label =
        smallLabel(this, "color_y_label", QStringLiteral("Y:"), {140, 392, 24, 30});
    fields.color_y_spin = small(coordinateSpin(this, 9999999), "color_y_spin", {164, 392, 90, 30});
    fields.color_get_button =
        smallButton(this, "color_get_button", QStringLiteral("取得"), {298, 392, 102, 30});
    fields.color_edit = small(new QLineEdit(this), "color_edit", {20, 430, 110, 30});
    fields.color_edit->setMaxLength(7);
    fields.color_swatch = place(new QLabel(this), "color_swatch", 136, 430, 30, 30,
                                style::swatch(QStringLiteral("#000000")));
    fields.tolerance_label =
        smallLabel(this, "tolerance_label", QStringLiteral("許容差"), {176, 430, 90, 30});
    fields.tolerance_spin = small(spin(this, 0, 255), "tolerance_spin", {266, 430, 70, 30});
}

void kestrun::connectSignals() {
    connect(new_project_button, &QPushButton::clicked, this, &kestrun::addNewCommand);
    connect(load_project_button, &QPushButton::clicked, this, &kestrun::importedCommand);
    connect(language_button, &QPushButton::clicked, this, &kestrun::toggleLanguage);

    connect(command_type_combo, &QComboBox::currentIndexChanged, this,
            &kestrun::changeMenuAddCommand);
    connect(command_add_button, &QPushButton::clicked, this, &kestrun::addCommand);
    connect(condition_type_combo, &QComboBox::currentIndexChanged, this,
            &kestrun::changeMenuAddCondition);
    connect(condition_add_button, &QPushButton::clicked, this, &kestrun::addCondition);

    connect(fields.text_edit, &QTextEdit::textChanged, this, &kestrun::changeSomeThing);
    for (QLineEdit* field :
         {fields.window_title_edit, fields.condition_window_edit, fields.command_region_edit,
          fields.condition_region_edit, fields.color_edit})
        connect(field, &QLineEdit::textChanged, this, &kestrun::changeSomeThing);
    connect(fields.command_button_combo, &QComboBox::currentIndexChanged, this,
            &kestrun::changeSomeThing);
    connect(fields.command_time_spin, &QDoubleSpinBox::valueChanged, this,
            &kestrun::changeSomeThing);
    connect(fields.condition_button_combo, &QComboBox::currentIndexChanged, this,
            &kestrun::changeSomeThing);
    for (QDoubleSpinBox* field : {fields.condition_time_spin, fields.command_similarity_spin,
                                  fields.condition_similarity_spin})
        connect(field, &QDoubleSpinBox::valueChanged, this, &kestrun::changeSomeThing);
    connect(fields.image_mode_combo, &QComboBox::currentIndexChanged, this,
            &kestrun::changeSomeThing);
    for (QSpinBox* field :
         {fields.pointer_x_spin, fields.pointer_y_spin, fields.smooth_x_spin, fields.smooth_y_spin,
          fields.hour_spin, fields.minute_spin, fields.dx_spin, fields.dy_spin, fields.color_x_spin,
          fields.color_y_spin, fields.tolerance_spin})
        connect(field, &QSpinBox::valueChanged, this, &kestrun::changeSomeThing);
    connect(&keystroke_timer, &QTimer::timeout, this, &kestrun::pollKeystroke);

    connect(previous_button, &QPushButton::clicked, this, &kestrun::returnPage);
    connect(next_button, &QPushButton::clicked, this, &kestrun::nextPage);
    connect(delete_button, &QPushButton::clicked, this, &kestrun::deletePage);
    connect(page_list, &QListWidget::itemSelectionChanged, this, &kestrun::changeWidgetPage);
    connect(static_cast<PageBar*>(page_list), &PageBar::plusRowChosen, this,
            &kestrun::changeWidgetPage);
    connect(copy_button, &QPushButton::clicked, this, &kestrun::copy);
    connect(paste_button, &QPushButton::clicked, this, &kestrun::paste);

    connect(new_action, &QAction::triggered, this, &kestrun::newFile);
    connect(open_action, &QAction::triggered, this, &kestrun::loadFile1);
    connect(save_action, &QAction::triggered, this, &kestrun::saveFile3);
    connect(save_as_action, &QAction::triggered, this, &kestrun::saveFile1);
    // Through the unsaved-change question of the window's close.
    connect(quit_action, &QAction::triggered, this, &QWidget::close);
    connectHistory();

    connect(ask_save_action, &QAction::toggled, this,
            [this](bool on) { settings.is_message_file = on; });
    connect(ask_paste_action, &QAction::toggled, this,
            [this](bool on) { settings.is_message_paste = on; });
    connect(ask_delete_action, &QAction::toggled, this,
            [this](bool on) { settings.is_message_delete = on; });
    connect(version_action, &QAction::triggered, this, &kestrun::showVersion);
    connect(help_mode_action, &QAction::triggered, this, &kestrun::setHelpMode);
    connect(language_action, &QAction::triggered, this, &kestrun::toggleLanguage);
    connectFeedbackAndDocuments();
    connectCoordinateCapture();
    connectScreenPages();
    connectRunButton();
    connect(record_action, &QAction::triggered, this, &kestrun::startRecording);
}
