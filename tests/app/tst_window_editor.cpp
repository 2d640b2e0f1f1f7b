#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

namespace {

constexpr int keyDown = 256;
constexpr int keyUp = 257;

// The controls a page lacking its text or key must not offer.
const char* const navigation[] = {"run_button", "next_button", "page_list", "copy_button"};

bool addButtonsVisible(const kestrun& window) {
    return child<QWidget>(window, "command_add_button")->isVisible() &&
           child<QWidget>(window, "condition_add_button")->isVisible();
}

bool navigationVisible(const kestrun& window) {
    for (const char* name : navigation)
        if (!child<QWidget>(window, name)->isVisible())
            return false;
    return window.menuBar()->isVisible();
}

bool navigationHidden(const kestrun& window) {
    for (const char* name : navigation)
        if (child<QWidget>(window, name)->isVisible())
            return false;
    return !window.menuBar()->isVisible();
}

} // namespace

// The operation and condition editor: adding types, the write-back, the lock
// for a missing text or key, and the key capture.
class TestWindowEditor : public QObject {
    Q_OBJECT

    TestPlatform platform;
    QTemporaryDir folder;

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() {
        fixture::writeSettings();
        platform.hook = {};
    }

    void addingEachTypeStoresItsDefaultList_data() {
        QTest::addColumn<bool>("japanese");
        QTest::newRow("Japanese") << true;
        QTest::newRow("English") << false;
    }

    void addingEachTypeStoresItsDefaultList() {
        QFETCH(bool, japanese);
        if (!japanese)
            fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        const QList<QStringList> commands{{"なし"},
                                          {"クリック", "左", "0.01"},
                                          {"マウスポインター", "0", "0"},
                                          {"スムーズムーブ", "0", "0", "1"}};
        for (int i = 0; i < commands.size(); ++i) {
            fixture::addCommandType(window, i);
            QCOMPARE(window.commands()[0], commands[i]);
        }
        fixture::addCommandType(window, 5);
        QCOMPARE(window.commands()[0], (QStringList{"入力", "", "3"}));

        const QList<QStringList> conditions{
            {"終わるまで待つ", "0.1"}, {"時間", "0.1"}, {"即時"}, {"クリック", "左"}};
        for (int i = 0; i < conditions.size(); ++i) {
            fixture::addConditionType(window, i);
            QCOMPARE(window.conditions()[0], conditions[i]);
        }
        const QTime before = QTime::currentTime();
        fixture::addConditionType(window, 5);
        const QTime after = QTime::currentTime();
        const QStringList clock = window.conditions()[0];
        QCOMPARE(clock.size(), 3);
        QCOMPARE(clock[0], QStringLiteral("時刻"));
        const QTime stored(clock[1].toInt(), clock[2].toInt());
        QVERIFY(stored == QTime(before.hour(), before.minute()) ||
                stored == QTime(after.hour(), after.minute()));
        QCOMPARE(child<QSpinBox>(window, "hour_spin")->value(), clock[1].toInt());
        QVERIFY(child<QSpinBox>(window, "minute_spin")->isVisible());
    }

    void choosingATypeWithoutAddChangesNothing() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        child<QComboBox>(window, "command_type_combo")->setCurrentIndex(1);
        QCOMPARE(window.commands()[0], QStringList{"なし"});
        child<QPushButton>(window, "next_button")->click();
        child<QPushButton>(window, "command_add_button")->click();
        QCOMPARE(window.commands()[1], (QStringList{"クリック", "左", "0.01"}));
        QCOMPARE(window.commands()[0], QStringList{"なし"});
    }

    void fieldsAreWrittenBackIntoTheTokens() {
        fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 1);
        auto* time = child<QDoubleSpinBox>(window, "command_time_spin");
        time->setValue(1.5);
        QCOMPARE(window.commands()[0][2], QStringLiteral("1.5"));
        time->setValue(1000);
        QCOMPARE(window.commands()[0][2], QStringLiteral("1000"));
        time->setValue(0.01);
        QCOMPARE(window.commands()[0][2], QStringLiteral("0.01"));
        child<QComboBox>(window, "command_button_combo")->setCurrentIndex(1);
        QCOMPARE(window.commands()[0], (QStringList{"クリック", "右", "0.01"}));

        fixture::addCommandType(window, 2);
        child<QSpinBox>(window, "pointer_y_spin")->setValue(99999999);
        child<QSpinBox>(window, "pointer_x_spin")->setValue(-9999999);
        QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", "-9999999", "99999999"}));
    }

    void aFileValueIsStoredBackInItsShortForm() {
        const QString path = fixture::writeFile(
            folder.path(), "half.cmdat",
            R"({"list_command": [["クリック", "右", "0.50"]], "list_condition": [["時間", "0.1"]]})");
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::openProject(window, path);
        QCOMPARE(window.commands()[0], (QStringList{"クリック", "右", "0.50"}));
        QCOMPARE(child<QComboBox>(window, "command_button_combo")->currentText(),
                 QStringLiteral("右"));
        child<QDoubleSpinBox>(window, "condition_time_spin")->setValue(0.2);
        QCOMPARE(window.commands()[0], (QStringList{"クリック", "右", "0.5"}));
        QCOMPARE(window.conditions()[0], (QStringList{"時間", "0.2"}));
    }

    void anEmptyTextLocksThePageUntilTextIsEntered() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        QVERIFY(navigationVisible(window));
        fixture::addCommandType(window, 5);
        QVERIFY(navigationHidden(window));
        QVERIFY(addButtonsVisible(window));
        auto* text = child<QTextEdit>(window, "text_edit");
        QVERIFY(text->isVisible());
        text->setPlainText(QStringLiteral("a"));
        QVERIFY(navigationVisible(window));
        QVERIFY(!child<QWidget>(window, "previous_button")->isVisible());
        QVERIFY(!child<QWidget>(window, "paste_button")->isVisible());
        text->clear();
        QVERIFY(navigationHidden(window));
    }

    void theTextIsKeptAsPlainText() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 5);
        const QString markup = QStringLiteral("<b>hi</b> a<br>b &amp;\nline");
        child<QTextEdit>(window, "text_edit")->setPlainText(markup);
        QCOMPARE(window.commands()[0][1], markup);
        child<QPushButton>(window, "next_button")->click();
        child<QPushButton>(window, "previous_button")->click();
        QCOMPARE(child<QTextEdit>(window, "text_edit")->toPlainText(), markup);
        child<QDoubleSpinBox>(window, "command_time_spin")->setValue(2);
        QCOMPARE(window.commands()[0], (QStringList{"入力", markup, "2"}));
    }

    void aCapturedKeyCompletesTheKeyOperation() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 4);
        QCOMPARE(window.commands()[0], (QStringList{"キー", "", "0.01"}));
        QVERIFY(platform.hook.procedure);
        QVERIFY(!child<QGroupBox>(window, "command_group")->isEnabled());
        QVERIFY(child<QGroupBox>(window, "condition_group")->isEnabled());
        QVERIFY(!child<QWidget>(window, "command_type_combo")->isEnabled());
        QCOMPARE(child<QLabel>(window, "command_key_label")->text(),
                 QStringLiteral("単一または複数キーを押してください"));
        QVERIFY(!child<QWidget>(window, "command_time_spin")->isVisible());
        QVERIFY(navigationHidden(window));
        QVERIFY(!child<QWidget>(window, "command_add_button")->isVisible());
        QVERIFY(!child<QWidget>(window, "condition_add_button")->isVisible());

        // A second Add while capturing does nothing.
        fixture::addCommandType(window, 1);
        QCOMPARE(window.commands()[0], (QStringList{"キー", "", "0.01"}));

        platform.hook.procedure(0, keyDown, 162);
        platform.hook.procedure(0, keyDown, 65);
        platform.hook.procedure(0, keyUp, 65);
        platform.hook.procedure(0, keyUp, 162);
        QTRY_COMPARE(window.commands()[0], (QStringList{"キー", "65,2", "0.01"}));
        QCOMPARE(child<QLabel>(window, "command_key_label")->text(), QStringLiteral("Ctrl+A"));
        QCOMPARE(platform.hook.removes, 1);
        QVERIFY(child<QGroupBox>(window, "command_group")->isEnabled());
        QVERIFY(child<QWidget>(window, "command_type_combo")->isEnabled());
        QVERIFY(navigationVisible(window));
        QVERIFY(child<QWidget>(window, "command_time_spin")->isVisible());
        QVERIFY(addButtonsVisible(window));
    }

    void aKeyPageWithoutItsKeyCanStillBeCompleted() {
        const QString path = fixture::writeFile(
            folder.path(), "nokey.cmdat",
            R"({"list_command": [["キー", "", "0.01"]], "list_condition": [["即時"]]})");
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::openProject(window, path);
        QVERIFY(navigationHidden(window));
        QVERIFY(addButtonsVisible(window));
        fixture::addCommandType(window, 4);
        platform.hook.procedure(0, keyDown, 13);
        QTRY_COMPARE(window.commands()[0], (QStringList{"キー", "13,0", "0.01"}));
        QVERIFY(navigationVisible(window));
    }

    void aCapturedKeyCompletesTheKeyCondition() {
        fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addConditionType(window, 4);
        QCOMPARE(window.conditions()[0], (QStringList{"キー", ""}));
        QVERIFY(child<QGroupBox>(window, "command_group")->isEnabled());
        QVERIFY(!child<QGroupBox>(window, "condition_group")->isEnabled());
        QCOMPARE(child<QLabel>(window, "condition_key_label")->text(),
                 QStringLiteral("Press one or more keys"));
        platform.hook.procedure(0, keyDown, 160);
        platform.hook.procedure(0, keyUp, 160);
        QTRY_COMPARE(window.conditions()[0], (QStringList{"キー", "160,0"}));
        QCOMPARE(child<QLabel>(window, "condition_key_label")->text(), QStringLiteral("Shift"));
        QVERIFY(navigationVisible(window));
    }

    void aCaptureKeepsItsPageWhateverThePageHolds() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addConditionType(window, 4);
        platform.hook.procedure(0, keyDown, 65);
        QTRY_COMPARE(window.conditions()[0], (QStringList{"キー", "65,0"}));
        child<QPushButton>(window, "next_button")->click();
        child<QPushButton>(window, "copy_button")->click();
        child<QPushButton>(window, "previous_button")->click();

        // The condition already holds its key; the capture still locks the page.
        fixture::addCommandType(window, 4);
        for (const char* name : {"next_button", "previous_button", "page_list", "delete_button",
                                 "paste_button", "copy_button", "run_button"})
            QVERIFY2(!child<QWidget>(window, name)->isVisible(), name);
        QVERIFY(!window.menuBar()->isVisible());
        platform.hook.procedure(0, keyDown, 66);
        QTRY_COMPARE(window.commands()[0], (QStringList{"キー", "66,0", "0.01"}));
        QCOMPARE(window.commands()[1], QStringList{"なし"});
        QVERIFY(navigationVisible(window));
    }

    void aFailedKeyHookGivesThePageBackAndKeepsEveryControl() {
        platform.hook.failInstall = true;
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 1);
        fixture::addCommandType(window, 4);
        QCOMPARE(window.commands()[0], (QStringList{"クリック", "左", "0.01"}));
        QCOMPARE(child<QLabel>(window, "command_type_label")->text(),
                 QStringLiteral("キーフックに失敗"));
        QVERIFY(navigationVisible(window));
        for (const char* name : {"command_group", "condition_group", "command_type_combo",
                                 "command_add_button", "run_button", "page_group"})
            QVERIFY2(child<QWidget>(window, name)->isEnabled(), name);
        QVERIFY(window.menuBar()->isEnabled());

        fixture::addConditionType(window, 4);
        QCOMPARE(window.conditions()[0], (QStringList{"終わるまで待つ", "0.1"}));
        QCOMPARE(child<QLabel>(window, "condition_type_label")->text(),
                 QStringLiteral("キーフックに失敗"));
        QVERIFY(navigationVisible(window));
        // Adding works again at once.
        fixture::addCommandType(window, 2);
        QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", "0", "0"}));
    }
};

QTEST_MAIN(TestWindowEditor)
#include "tst_window_editor.moc"
