#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

// Start-up, the start page, the layout, the languages, help mode, the
// first-start welcome and the version box.
class TestWindowStart : public QObject {
    Q_OBJECT

    TestPlatform platform;

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() { fixture::writeSettings(); }

    void theStartPageShowsOnlyItsThreeButtons() {
        kestrun window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Kestrun Free"));
        QCOMPARE(window.size(), QSize(630, 585));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QStringList visible;
        for (QWidget* widget : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (widget->isVisible())
                visible << widget->objectName();
        visible.sort();
        QCOMPARE(visible,
                 (QStringList{"language_button", "load_project_button", "new_project_button"}));
        QVERIFY(!window.menuBar()->isVisible());
        QCOMPARE(child<QPushButton>(window, "new_project_button")->text(),
                 QStringLiteral("新しいプロジェクトを作成"));
    }

    void createNewProjectEntersTheEditor() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("新規プロジェクト"));
        QVERIFY(!child<QPushButton>(window, "new_project_button")->isVisible());
        QVERIFY(!child<QPushButton>(window, "language_button")->isVisible());
        for (const char* name :
             {"command_group", "condition_group", "page_group", "run_button", "next_button",
              "copy_button", "page_list", "command_add_button", "condition_time_spin"})
            QVERIFY2(child<QWidget>(window, name)->isVisible(), name);
        for (const char* name : {"previous_button", "delete_button", "paste_button", "text_edit"})
            QVERIFY2(!child<QWidget>(window, name)->isVisible(), name);
        QVERIFY(window.menuBar()->isVisible());
        QCOMPARE(child<QLabel>(window, "page_label")->text(), QStringLiteral("1/1"));
        QCOMPARE(child<QLabel>(window, "command_type_label")->text(), QStringLiteral("なし"));
        QCOMPARE(child<QLabel>(window, "condition_type_label")->text(),
                 QStringLiteral("終わるまで待つ"));
        QCOMPARE(fixture::pageBarTexts(window), (QStringList{"+", "1.なし", "+"}));
    }

    void widgetsSitWhereTheLayoutPutsThem() {
        kestrun window;
        QCOMPARE(child<QWidget>(window, "run_button")->geometry(), QRect(10, 525, 610, 53));
        QCOMPARE(child<QWidget>(window, "page_group")->geometry(), QRect(430, 30, 190, 490));
        QCOMPARE(child<QWidget>(window, "page_list")->geometry(), QRect(450, 60, 150, 295));
        QCOMPARE(child<QWidget>(window, "minute_spin")->geometry(), QRect(114, 390, 70, 40));
        QCOMPARE(child<QWidget>(window, "delete_button")->styleSheet().contains("#FF0000"), true);
        QVERIFY(child<QWidget>(window, "paste_button")
                    ->styleSheet()
                    .startsWith(QStringLiteral(
                        "QPushButton{font-size:16px;} QToolTip { font-size: 14pt; }")));

        auto* x = child<QSpinBox>(window, "pointer_x_spin");
        auto* y = child<QSpinBox>(window, "pointer_y_spin");
        QCOMPARE(x->maximum(), 9999999);
        QCOMPARE(y->maximum(), 99999999);
        QCOMPARE(x->minimum(), -9999999);
        QCOMPARE(x->buttonSymbols(), QAbstractSpinBox::NoButtons);
        QCOMPARE(child<QSpinBox>(window, "hour_spin")->maximum(), 23);
        QCOMPARE(child<QSpinBox>(window, "hour_spin")->buttonSymbols(),
                 QAbstractSpinBox::UpDownArrows);
        auto* time = child<QDoubleSpinBox>(window, "condition_time_spin");
        QCOMPARE(time->minimum(), 0.01);
        QCOMPARE(time->maximum(), 1000.0);
        QCOMPARE(time->singleStep(), 0.1);

        QStringList menus;
        for (QAction* action : window.menuBar()->actions())
            menus << action->menu()->objectName();
        QCOMPARE(menus, (QStringList{"file_menu", "edit_menu", "report_menu", "settings_menu",
                                     "version_menu", "help_menu", "other_menu"}));
        int actions = 0;
        for (QAction* action : window.menuBar()->actions())
            for (QAction* item : action->menu()->actions())
                actions += item->isSeparator() ? 0 : 1;
        QCOMPARE(actions, 22);
        QCOMPARE(child<QAction>(window, "license_action")->text(),
                 QStringLiteral("利用規約を見る"));
    }

    void qtsOwnButtonsFollowTheLanguage() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 1);
        // The Yes button of the unsaved-change question, answered No.
        auto yesText = [&window] {
            QString text;
            ModalAnswerer answerer([&text](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box)
                    return false;
                text = box->button(QMessageBox::Yes)->text();
                box->button(QMessageBox::No)->click();
                return true;
            });
            child<QAction>(window, "new_action")->trigger();
            return text;
        };
        QVERIFY2(yesText().contains(QStringLiteral("はい")), "Qt's Japanese texts are missing");
        child<QAction>(window, "language_action")->trigger();
        QCOMPARE(yesText(), QStringLiteral("&Yes"));
    }

    void slotsKeepTheirPlaceInTheMetaObject() {
        // Slots added later take their places in this order too.
        const QStringList order{"getCoordinate",
                                "getCoordinate2",
                                "pollKeystroke",
                                "addNewCommand",
                                "addCommand",
                                "addCondition",
                                "changeMenuAddCommand",
                                "changeMenuAddCondition",
                                "nextPage",
                                "returnPage",
                                "changeSomeThing",
                                "changeWidgetPage",
                                "deletePage",
                                "copy",
                                "paste",
                                "saveFile1",
                                "saveFile3",
                                "loadFile1",
                                "importedCommand",
                                "newFile",
                                "stertRun",
                                "onRunFinished",
                                "reportBug",
                                "reportImprovementSuggestion",
                                "moveMousePointer",
                                "activateTestWindow",
                                "changeLanguage"};
        const QMetaObject& meta = kestrun::staticMetaObject;
        QStringList declared;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
            declared << QString::fromLatin1(meta.method(i).name());
        QStringList expected;
        for (const QString& name : order)
            if (declared.contains(name))
                expected << name;
        QCOMPARE(declared, expected);
        QVERIFY(declared.contains("changeLanguage"));
    }

    void theLanguageSwitchesOnTheStartPageWithoutEnteringTheEditor() {
        kestrun window;
        window.show();
        child<QComboBox>(window, "condition_type_combo")->setCurrentIndex(3);
        child<QPushButton>(window, "language_button")->click();
        QVERIFY(!window.currentSettings().is_japanese);
        QCOMPARE(window.windowTitle(), QStringLiteral("Kestrun Free"));
        QVERIFY(child<QPushButton>(window, "new_project_button")->isVisible());
        QCOMPARE(child<QPushButton>(window, "language_button")->text(), QStringLiteral("日本語"));
        QCOMPARE(child<QAction>(window, "language_action")->text(), QStringLiteral("日本語"));
        QCOMPARE(child<QPushButton>(window, "new_project_button")->text(),
                 QStringLiteral("Create New Project"));
        auto* conditions = child<QComboBox>(window, "condition_type_combo");
        QCOMPARE(conditions->currentIndex(), 3);
        QCOMPARE(conditions->currentText(), QStringLiteral("Click"));
    }

    void switchingTheLanguageInTheEditorRewritesTheProjectTexts() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 1);
        child<QAction>(window, "language_action")->trigger();
        QCOMPARE(fixture::pageBarTexts(window), (QStringList{"+", "1.Click", "+"}));
        QCOMPARE(child<QLabel>(window, "command_type_label")->text(), QStringLiteral("Click"));
        QCOMPARE(child<QComboBox>(window, "command_button_combo")->currentText(),
                 QStringLiteral("Left"));
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("新規プロジェクト*"));
        child<QAction>(window, "language_action")->trigger();
        QCOMPARE(child<QLabel>(window, "command_type_label")->text(), QStringLiteral("クリック"));
    }

    void helpModeTurnsTheTooltipsOnAndOff() {
        kestrun window;
        auto* help = child<QAction>(window, "help_mode_action");
        auto* combo = child<QWidget>(window, "command_type_combo");
        QVERIFY(!help->isChecked());
        QVERIFY(combo->toolTip().isEmpty());
        help->trigger();
        QVERIFY(window.currentSettings().is_help);
        QVERIFY(combo->toolTip().startsWith(QStringLiteral("追加する操作を指定します。")));
        child<QAction>(window, "language_action")->trigger();
        QVERIFY(combo->toolTip().startsWith(QStringLiteral("Select the action to add.")));
        help->trigger();
        QVERIFY(!window.currentSettings().is_help);
        QVERIFY(combo->toolTip().isEmpty());
        QVERIFY(child<QWidget>(window, "smooth_get_button")->toolTip().isEmpty());
    }

    void theFirstStartWelcomesOnceAndTurnsHelpModeOn() {
        fixture::removeSettings();
        auto welcome = answerWelcome();
        {
            kestrun window;
            QVERIFY(welcome->answered());
            QCOMPARE(welcome->title, QStringLiteral("はじめまして"));
            QCOMPARE(welcome->icon, QMessageBox::Information);
            QCOMPARE(welcome->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QVERIFY(welcome->linesWhole);
            QVERIFY(child<QAction>(window, "help_mode_action")->isChecked());
            QVERIFY(window.currentSettings().is_help);
            QVERIFY(!child<QWidget>(window, "run_button")->toolTip().isEmpty());
            QVERIFY(window.close());
        }
        QVERIFY(fixture::settingsText().contains("\"is_used_this\": true"));
        auto again = answerWelcome();
        kestrun window;
        QVERIFY(!again->answered());
        QVERIFY(window.currentSettings().is_help);
    }

    void f10TakesTheKeyboardToTheMenuBarOfTheEditor() {
        kestrun window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F10);
        QVERIFY(!QApplication::activePopupWidget());
        fixture::enterEditor(window);
        QTest::keyClick(&window, Qt::Key_F10);
        auto* file = child<QMenu>(window, "file_menu");
        QTRY_COMPARE(QApplication::activePopupWidget(), file);
        QCOMPARE(window.menuBar()->activeAction(), file->menuAction());
        QCOMPARE(file->title(), QStringLiteral("ファイル"));
        QTest::keyClick(file, Qt::Key_Escape);
    }

    void aWaylandSessionIsExplainedOnce() {
        {
            kestrun window;
            auto notice = ModalAnswerer::messageBox(QMessageBox::Ok);
            window.showXWaylandNotice();
            QVERIFY(notice->answered());
            QVERIFY(notice->text.contains(QStringLiteral("Wayland で直接動くプログラム")));
            auto again = ModalAnswerer::messageBox(QMessageBox::Ok);
            window.showXWaylandNotice();
            QVERIFY(!again->answered());
            QVERIFY(window.close());
        }
        QVERIFY(fixture::settingsText().contains("\"is_used_wayland\": true"));
        kestrun window;
        auto later = ModalAnswerer::messageBox(QMessageBox::Ok);
        window.showXWaylandNotice();
        QVERIFY(!later->answered());
    }

    void theVersionBoxSpeaksTheInterfaceLanguage() {
        fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        auto box = ModalAnswerer::messageBox(QMessageBox::Ok);
        child<QAction>(window, "version_action")->trigger();
        QVERIFY(box->answered());
        QCOMPARE(box->title, QStringLiteral("Information"));
        QCOMPARE(box->text, QStringLiteral("Version:1.4\nTime:May 26, 2026 20:26"));
        QCOMPARE(box->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

private:
    static std::unique_ptr<ModalAnswerer> answerWelcome() {
        return ModalAnswerer::messageBox(QMessageBox::Ok);
    }
};

QTEST_MAIN(TestWindowStart)
#include "tst_window_start.moc"
