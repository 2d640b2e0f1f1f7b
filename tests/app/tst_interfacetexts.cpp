#include <QtTest>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include "app/interfacetexts.h"

namespace {

template <typename T> T* add(QWidget* window, const char* name) {
    auto* widget = new T(window);
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QComboBox* addCombo(QWidget* window, const char* name, const QStringList& items) {
    auto* combo = add<QComboBox>(window, name);
    combo->addItems(items);
    return combo;
}

// The main window's widgets, menus and actions with their names, classes and
// first texts, without any behaviour.
std::unique_ptr<QMainWindow> buildWindow() {
    auto window = std::make_unique<QMainWindow>();
    QWidget* w = window.get();
    for (const char* name : {"language_button",
                             "new_project_button",
                             "load_project_button",
                             "command_add_button",
                             "test_button",
                             "pointer_get_button",
                             "smooth_get_button",
                             "condition_add_button",
                             "previous_button",
                             "run_button",
                             "next_button",
                             "delete_button",
                             "copy_button",
                             "paste_button",
                             "window_get_button",
                             "window_test_button",
                             "condition_window_get_button",
                             "command_image_take_button",
                             "condition_image_take_button",
                             "image_test_button",
                             "condition_test_button",
                             "color_get_button"})
        add<QPushButton>(w, name);
    for (const char* name : {"command_type_label",
                             "command_seconds_label",
                             "pointer_x_label",
                             "pointer_y_label",
                             "smooth_x_label",
                             "smooth_y_label",
                             "condition_type_label",
                             "condition_seconds_label",
                             "page_label",
                             "command_key_label",
                             "condition_key_label",
                             "clock_colon_label",
                             "command_similarity_label",
                             "condition_similarity_label",
                             "command_region_label",
                             "condition_region_label",
                             "dx_label",
                             "dy_label",
                             "color_x_label",
                             "color_y_label",
                             "tolerance_label",
                             "command_image_view",
                             "condition_image_view"})
        add<QLabel>(w, name);
    for (const char* name : {"command_group", "condition_group", "page_group"})
        add<QGroupBox>(w, name);
    for (const char* name :
         {"pointer_x_spin", "pointer_y_spin", "smooth_x_spin", "smooth_y_spin", "hour_spin",
          "minute_spin", "dx_spin", "dy_spin", "color_x_spin", "color_y_spin", "tolerance_spin"})
        add<QSpinBox>(w, name);
    for (const char* name : {"command_time_spin", "condition_time_spin", "command_similarity_spin",
                             "condition_similarity_spin"})
        add<QDoubleSpinBox>(w, name);
    add<QTextEdit>(w, "text_edit");
    for (const char* name : {"window_title_edit", "condition_window_edit", "command_region_edit",
                             "condition_region_edit", "color_edit"})
        add<QLineEdit>(w, name);
    add<QListWidget>(w, "page_list")->addItem(QStringLiteral("1.なし"));
    addCombo(w, "command_type_combo",
             {"なし", "クリック", "マウスポインター", "スムーズムーブ", "キー", "入力",
              "ウィンドウ", "画像へ移動"});
    addCombo(
        w, "condition_type_combo",
        {"終わるまで待つ", "時間", "即時", "クリック", "キー", "時刻", "ウィンドウ", "画像", "色"});
    addCombo(w, "image_mode_combo", {"現れる", "消える"});
    addCombo(w, "command_button_combo", {"左", "右"});
    addCombo(w, "condition_button_combo", {"左", "右"});

    const QList<QPair<const char*, QStringList>> menus = {
        {"file_menu",
         {"new_action", "open_action", "save_action", "save_as_action", "quit_action"}},
        {"edit_menu", {"undo_action", "redo_action", "record_action"}},
        {"report_menu", {"report_bug_action", "suggest_action", "need_reply_action"}},
        {"settings_menu", {"ask_save_action", "ask_paste_action", "ask_delete_action"}},
        {"version_menu", {"version_action"}},
        {"help_menu", {"help_mode_action", "ask_how_action"}},
        {"other_menu",
         {"language_action", "license_action", "oss_notice_action", "qt_info_action",
          "lgpl_action"}},
    };
    bool ownedByWindow = false;
    for (const auto& [menuName, actions] : menus) {
        QMenu* menu = window->menuBar()->addMenu(QStringLiteral("?"));
        menu->setObjectName(QString::fromUtf8(menuName));
        // Actions may belong to their menu or to the window; both must be found.
        for (const QString& actionName : actions) {
            QAction* action = ownedByWindow ? new QAction(w) : new QAction(menu);
            ownedByWindow = !ownedByWindow;
            action->setObjectName(actionName);
            menu->addAction(action);
        }
    }
    window->findChild<QAction*>("license_action")
        ->setText(QStringLiteral("ソフトウェア使用許諾契約書を見る"));
    return window;
}

template <typename T> T* find(const std::unique_ptr<QMainWindow>& window, const char* name) {
    T* object = window->findChild<T*>(QString::fromUtf8(name));
    Q_ASSERT(object);
    return object;
}

QStringList itemTexts(QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QStringList widgetsWithTooltip(const std::unique_ptr<QMainWindow>& window) {
    QStringList names;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (!widget->toolTip().isEmpty())
            names << widget->objectName();
    return names;
}

} // namespace

class InterfaceTextsTest : public QObject {
    Q_OBJECT

private slots:
    void switchesEveryKindOfTextBothWays() {
        auto window = buildWindow();
        QTest::failOnWarning(QRegularExpression(".*"));

        applyInterfaceTexts(window.get(), false, false);
        QCOMPARE(find<QPushButton>(window, "language_button")->text(), "日本語");
        QCOMPARE(find<QGroupBox>(window, "condition_group")->title(), "Condition");
        QCOMPARE(find<QLabel>(window, "command_seconds_label")->text(), "sec");
        QCOMPARE(find<QMenu>(window, "other_menu")->title(), "Other");
        QCOMPARE(find<QAction>(window, "license_action")->text(), "View 利用規約");
        QCOMPARE(itemTexts(find<QComboBox>(window, "condition_type_combo")),
                 QStringList({"Wait until over", "Time", "Immediately", "Click", "Key",
                              "Clock Time", "Window", "Image", "Color"}));

        applyInterfaceTexts(window.get(), true, false);
        QCOMPARE(find<QPushButton>(window, "language_button")->text(), "English");
        QCOMPARE(find<QMenu>(window, "other_menu")->title(), "その他");
        QCOMPARE(find<QAction>(window, "license_action")->text(), "利用規約を見る");
        QCOMPARE(itemTexts(find<QComboBox>(window, "command_button_combo")),
                 QStringList({"左", "右"}));
    }

    // Covers the dispatch by object kind for every row, both languages.
    void everyRowReachesItsObject() {
        auto window = buildWindow();
        for (bool japanese : {false, true}) {
            applyInterfaceTexts(window.get(), japanese, false);
            for (const FixedText& row : fixedTexts()) {
                QObject* object = window->findChild<QObject*>(row.objectName);
                QString shown;
                if (row.item >= 0)
                    shown = qobject_cast<QComboBox*>(object)->itemText(row.item);
                else if (auto* menu = qobject_cast<QMenu*>(object))
                    shown = menu->title();
                else if (auto* group = qobject_cast<QGroupBox*>(object))
                    shown = group->title();
                else
                    shown = object->property("text").toString();
                QCOMPARE(shown, QString::fromUtf8(japanese ? row.japanese : row.english));
            }
        }
    }

    void combosKeepTheirEntriesAndPosition() {
        auto window = buildWindow();
        auto* combo = find<QComboBox>(window, "condition_type_combo");
        combo->setCurrentIndex(3);
        QSignalSpy indexChanges(combo, &QComboBox::currentIndexChanged);

        applyInterfaceTexts(window.get(), false, false);
        QCOMPARE(combo->count(), 9);
        QCOMPARE(combo->currentIndex(), 3);
        QCOMPARE(combo->currentText(), "Click");
        applyInterfaceTexts(window.get(), true, false);
        QCOMPARE(combo->count(), 9);
        QCOMPARE(combo->currentText(), "クリック");
        QCOMPARE(indexChanges.count(), 0);
        QCOMPARE(find<QListWidget>(window, "page_list")->item(0)->text(), "1.なし");
    }

    void helpTooltipsFollowHelpModeAndLanguage() {
        auto window = buildWindow();
        applyInterfaceTexts(window.get(), true, true);
        QCOMPARE(widgetsWithTooltip(window).size(), 51);
        QCOMPARE(find<QWidget>(window, "test_button")->toolTip(),
                 "設定している座標にマウスポインターを移動します。");
        QVERIFY(!widgetsWithTooltip(window).contains("command_key_label"));

        applyInterfaceTexts(window.get(), false, true);
        QCOMPARE(widgetsWithTooltip(window).size(), 51);
        const QString clickHelp = "Sets the click type to either right or left.";
        QCOMPARE(find<QWidget>(window, "command_button_combo")->toolTip(), clickHelp);
        QCOMPARE(find<QWidget>(window, "condition_button_combo")->toolTip(), clickHelp);
        QCOMPARE(find<QWidget>(window, "smooth_y_spin")->toolTip(),
                 "The Y coordinate of the mouse pointer.\nYou can enter it manually or easily get "
                 "it with the \"Get\" button.");
        QCOMPARE(find<QWidget>(window, "page_list")->toolTip(),
                 "Jump to the page you click. Press \"+\" to add a page at the position of \"+\".");

        applyInterfaceTexts(window.get(), false, false);
        QCOMPARE(widgetsWithTooltip(window), QStringList());
        applyInterfaceTexts(window.get(), true, true);
        QCOMPARE(find<QWidget>(window, "smooth_get_button")->toolTip(),
                 "マウスポインターの座標を簡単に取得できます。");
    }

    void missingOrShortObjectsAreSkipped() {
        auto window = buildWindow();
        delete find<QWidget>(window, "test_button");
        delete find<QAction>(window, "version_action");
        auto* combo = find<QComboBox>(window, "command_type_combo");
        for (int item : {7, 6, 5, 4})
            combo->removeItem(item);

        QTest::ignoreMessage(QtWarningMsg, "Interface texts not applied to: command_type_combo[4], "
                                           "command_type_combo[5], command_type_combo[6], "
                                           "command_type_combo[7], test_button, version_action, "
                                           "test_button");
        applyInterfaceTexts(window.get(), false, true);
        QCOMPARE(itemTexts(combo), QStringList({"None", "Click", "Mouse Pointer", "Smooth Move"}));
        QCOMPARE(find<QAction>(window, "ask_how_action")->text(), "Ask How to Use");
        QCOMPARE(widgetsWithTooltip(window).size(), 50);
    }

    void welcomeIsAnInformationBoxOnTheWindow() {
        QMainWindow window;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            parent = box->parentWidget();
            box->accept();
        });
        showFirstStartWelcome(&window);

        QCOMPARE(title, "はじめまして");
        QVERIFY(text.startsWith("ダウンロードありがとうございます。\n現在はヘルプモードがON"));
        QVERIFY(text.contains("の「ヘルプ」で設定できます。\n\nThank you for download.\n"));
        QVERIFY(text.endsWith("by pressing the button labeled \"English\"."));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(buttons, QMessageBox::Ok);
        QCOMPARE(parent, &window);
    }

    void typeNamesFollowTheTypeMenus() {
        QCOMPARE(operationTypeText("入力", false), "Enter Text");
        QCOMPARE(operationTypeText("入力", true), "入力");
        QCOMPARE(conditionTypeText("終わるまで待つ", false), "Wait until over");
        QCOMPARE(conditionTypeText("キー", false), "Key");
        QVERIFY(conditionTypeText("入力", true).isNull());
        QVERIFY(operationTypeText("Click", false).isNull());
    }
};

QTEST_MAIN(InterfaceTextsTest)
#include "tst_interfacetexts.moc"
