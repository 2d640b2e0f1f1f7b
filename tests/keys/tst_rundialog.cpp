#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "keys/rundialog.h"
#include "modalhandler.h"
#include "testplatform.h"

namespace {

constexpr int KeyDown = 256;
constexpr int KeyUp = 257;
constexpr int SysKeyDown = 260;

const QString none = QStringLiteral("なし");

} // namespace

class RunDialogTest : public QObject {
    Q_OBJECT

    template <typename W> static W* child(const RunDialog& dialog, const char* name) {
        W* widget = dialog.findChild<W*>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    static QSpinBox* spin(const RunDialog& d, const char* name) { return child<QSpinBox>(d, name); }
    static QLabel* label(const RunDialog& d, const char* name) { return child<QLabel>(d, name); }
    static QPushButton* button(const RunDialog& d, const char* name) {
        return child<QPushButton>(d, name);
    }
    static QCheckBox* check(const RunDialog& d, const char* name) {
        return child<QCheckBox>(d, name);
    }
    static bool shown(const RunDialog& d, const char* name) {
        return child<QWidget>(d, name)->isVisibleTo(&d);
    }

    HookVerdict feed(int message, int key) { return platform->hook.procedure(0, message, key); }

    std::unique_ptr<TestPlatform> platform;

private slots:
    void init() { platform = std::make_unique<TestPlatform>(); }
    void cleanup() { platform.reset(); }

    void valuesAreBoundedOnOpening_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("shownSeconds");
        QTest::addColumn<int>("shownRuns");
        QTest::addColumn<bool>("repeat");
        QTest::newRow("zero") << 0 << 0 << 1 << 1 << false;
        QTest::newRow("above the spin range") << 20000 << 100000 << 9999 << 9999 << false;
        QTest::newRow("in range") << 30 << 5000 << 30 << 5000 << false;
        QTest::newRow("repeat until stopped") << 5 << 114514 << 5 << 1 << true;
        QTest::newRow("above repeat") << 5 << 200000 << 5 << 1 << true;
    }
    void valuesAreBoundedOnOpening() {
        QFETCH(int, seconds);
        QFETCH(int, runs);
        QFETCH(int, shownSeconds);
        QFETCH(int, shownRuns);
        QFETCH(bool, repeat);
        RunDialog dialog(seconds, runs, "83,3", true, true);
        QCOMPARE(spin(dialog, "stertTimeSpin")->value(), shownSeconds);
        QCOMPARE(spin(dialog, "runNumberSpin")->value(), shownRuns);
        QCOMPARE(check(dialog, "repeatCheck")->isChecked(), repeat);
        QCOMPARE(shown(dialog, "runNumberSpin"), !repeat);
        QCOMPARE(shown(dialog, "timesUnit"), !repeat);
        QVERIFY(shown(dialog, "runNumberCaption"));

        if (repeat) {
            check(dialog, "repeatCheck")->setChecked(false);
            QVERIFY(shown(dialog, "runNumberSpin"));
            QVERIFY(shown(dialog, "timesUnit"));
            QCOMPARE(spin(dialog, "runNumberSpin")->value(), 1);
        }
    }

    void startHandsBackTheSpinValuesOrRepeat() {
        RunDialog dialog(5, 3, "65,2", true, true);
        spin(dialog, "stertTimeSpin")->setValue(12);
        spin(dialog, "runNumberSpin")->setValue(40);
        button(dialog, "startButton")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.stertTime, 12);
        QCOMPARE(dialog.runNumber, 40);
        QCOMPARE(dialog.stopCommand, QStringLiteral("65,2"));

        RunDialog repeating(5, 3, "65,2", true, true);
        check(repeating, "repeatCheck")->setChecked(true);
        button(repeating, "startButton")->click();
        QCOMPARE(repeating.runNumber, RunDialog::repeatUntilStopped);
    }

    void noneChecksTheBoxAndPreparesCtrlAltS() {
        RunDialog dialog(5, 1, none, false, true);
        QVERIFY(check(dialog, "noStopCommandCheck")->isChecked());
        QVERIFY(!shown(dialog, "stopCommandDisplay"));
        QVERIFY(!shown(dialog, "changeButton"));
        QVERIFY(shown(dialog, "stopCommandCaption"));
        QVERIFY(shown(dialog, "startButton"));

        check(dialog, "noStopCommandCheck")->setChecked(false);
        QVERIFY(shown(dialog, "stopCommandDisplay"));
        QVERIFY(shown(dialog, "changeButton"));
        QCOMPARE(label(dialog, "stopCommandDisplay")->text(), QStringLiteral("Ctrl+Alt+S"));

        MessageBoxAnswerer answerer(QMessageBox::Ok);
        button(dialog, "startButton")->click();
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen[0].icon, QMessageBox::Information);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("次回からは表示されません。"));
        QCOMPARE(answerer.seen[0].text,
                 QStringLiteral(
                     "現在の停止コマンドは「Ctrl+Alt+S」です。\nこのコマンドは変更可能です。\n"
                     "これを入力することでいかなる時でも\n0.2秒以内で実行中のプロジェクトを"
                     "停止可能です。\n忘れないで下さい。"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.stopCommand, QStringLiteral("83,3"));
        QVERIFY(dialog.isUsedStert);
    }

    void noticeIsShownOnlyUntilItWasSeen() {
        MessageBoxAnswerer answerer(QMessageBox::Ok);
        RunDialog first(5, 1, "81,3", false, false);
        button(first, "startButton")->click();
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("This will not be displayed next time."));
        QVERIFY(answerer.seen[0].text.startsWith(
            QStringLiteral("The current stop command is \"Ctrl+Alt+Q\".\n")));
        QVERIFY(first.isUsedStert);

        RunDialog second(5, 1, "81,3", first.isUsedStert, false);
        button(second, "startButton")->click();
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(second.result(), int(QDialog::Accepted));
    }

    void warningWithoutExitCommandComesEveryTimeAndNoKeepsTheDialogOpen() {
        {
            MessageBoxAnswerer answerer(QMessageBox::No);
            RunDialog dialog(5, 2, "65,2", true, true);
            check(dialog, "noStopCommandCheck")->setChecked(true);
            spin(dialog, "stertTimeSpin")->setValue(9);
            button(dialog, "startButton")->click();
            QCOMPARE(answerer.seen.size(), 1);
            const SeenMessageBox& box = answerer.seen[0];
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.title, QStringLiteral("このメッセージを無効化することはできません。"));
            QCOMPARE(box.text,
                     QStringLiteral("終了コマンドが設定されていません。\nタスクバーの右側にある"
                                    "システムトレイもしくは\n指定回数でのみ終了可能です。\n"
                                    "危険ですが実行しますか？"));
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box.defaultButton, QMessageBox::No);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.stertTime, 5);
            QCOMPARE(dialog.stopCommand, QStringLiteral("65,2"));
        }
        MessageBoxAnswerer answerer(QMessageBox::Yes);
        RunDialog dialog(5, 2, none, true, false);
        button(dialog, "startButton")->click();
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("This message cannot be disabled."));
        QVERIFY(answerer.seen[0].text.startsWith(
            QStringLiteral("No termination command has been set. \nThe application")));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.stopCommand, none);
        QVERIFY(dialog.isUsedStert);
    }

    void unusableExitCommandHidesStart_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("display");
        QTest::newRow("empty") << QString() << none;
        QTest::newRow("not a key") << QStringLiteral("abc") << QStringLiteral("無効なキー");
        QTest::newRow("commas only") << QStringLiteral(",,") << QStringLiteral("無効なキー");
    }
    void unusableExitCommandHidesStart() {
        QFETCH(QString, command);
        QFETCH(QString, display);
        RunDialog dialog(5, 1, command, true, true);
        QCOMPARE(label(dialog, "stopCommandDisplay")->text(), display);
        QVERIFY(!shown(dialog, "startButton"));

        button(dialog, "changeButton")->click();
        feed(KeyDown, 'B');
        QTRY_VERIFY(shown(dialog, "startButton"));
        QCOMPARE(label(dialog, "stopCommandDisplay")->text(), QStringLiteral("B"));
    }

    void captureSwallowsKeysAndStoresTheCombination() {
        RunDialog dialog(5, 1, "83,3", true, true);
        button(dialog, "changeButton")->click();
        QCOMPARE(platform->hook.installs, 1);
        QVERIFY(platform->hook.capturing);
        QVERIFY(shown(dialog, "pressKeysHint"));
        QVERIFY(!shown(dialog, "changeButton"));
        QVERIFY(!shown(dialog, "noStopCommandCheck"));
        QVERIFY(!shown(dialog, "startButton"));
        QVERIFY(!spin(dialog, "stertTimeSpin")->isEnabled());
        QVERIFY(!spin(dialog, "runNumberSpin")->isEnabled());
        QVERIFY(label(dialog, "stopCommandDisplay")->text().isEmpty());

        QCOMPARE(feed(KeyDown, 162), HookVerdict::Swallow);
        QCOMPARE(feed(SysKeyDown, 164), HookVerdict::Swallow);
        QCOMPARE(feed(SysKeyDown, 'Q'), HookVerdict::Swallow);
        QTRY_COMPARE(label(dialog, "stopCommandDisplay")->text(), QStringLiteral("Ctrl+Alt+Q"));
        QCOMPARE(dialog.stopCommand, QStringLiteral("81,3"));
        QVERIFY(shown(dialog, "changeButton"));
        QVERIFY(shown(dialog, "noStopCommandCheck"));
        QVERIFY(!shown(dialog, "pressKeysHint"));
        QVERIFY(shown(dialog, "startButton"));
        QVERIFY(spin(dialog, "stertTimeSpin")->isEnabled());

        // The hook stays registered but idle until the dialog goes.
        QVERIFY(!platform->hook.capturing);
        QCOMPARE(platform->hook.removes, 0);
        QCOMPARE(feed(KeyUp, 'Q'), HookVerdict::PassOn);

        button(dialog, "changeButton")->click();
        QCOMPARE(platform->hook.installs, 1);
        QVERIFY(platform->hook.capturing);
        feed(KeyDown, 'W');
        QTRY_COMPARE(label(dialog, "stopCommandDisplay")->text(), QStringLiteral("W"));

        button(dialog, "startButton")->click();
        QCOMPARE(dialog.stopCommand, QStringLiteral("87,0"));
    }

    void hookIsRemovedWithTheDialog() {
        {
            RunDialog dialog(5, 1, "83,3", true, true);
            button(dialog, "changeButton")->click();
        }
        QCOMPARE(platform->hook.removes, 1);
        QVERIFY(!platform->hook.procedure);
        { RunDialog untouched(5, 1, "83,3", true, true); }
        QCOMPARE(platform->hook.installs, 1);
    }

    void closingWhileCapturingGivesTheKeyboardBack() {
        RunDialog dialog(5, 1, "83,3", true, true);
        button(dialog, "changeButton")->click();
        dialog.reject();
        QVERIFY(!platform->hook.capturing);
        QCOMPARE(feed(KeyDown, 'A'), HookVerdict::PassOn);
        QCOMPARE(label(dialog, "stopCommandDisplay")->text(), QStringLiteral("Ctrl+Alt+S"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void hookFailureIsShownAndLogged() {
        platform->hook.failInstall = true;
        RunDialog dialog(5, 1, "83,3", true, false);
        QTest::ignoreMessage(QtWarningMsg, "Failed to install keyboard hook. Error: 5");
        button(dialog, "changeButton")->click();
        QCOMPARE(label(dialog, "stopCommandDisplay")->text(), QStringLiteral("フック失敗"));
        QVERIFY(shown(dialog, "changeButton"));
        QVERIFY(!shown(dialog, "pressKeysHint"));
        QVERIFY(shown(dialog, "startButton"));
        QVERIFY(spin(dialog, "stertTimeSpin")->isEnabled());
    }

    void theNoticeNamesTheStoredCommandAfterAFailedHook() {
        platform->hook.failInstall = true;
        RunDialog dialog(5, 1, "83,3", false, true);
        QTest::ignoreMessage(QtWarningMsg, "Failed to install keyboard hook. Error: 5");
        button(dialog, "changeButton")->click();
        MessageBoxAnswerer answerer(QMessageBox::Ok);
        button(dialog, "startButton")->click();
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY(answerer.seen[0].text.startsWith(
            QStringLiteral("現在の停止コマンドは「Ctrl+Alt+S」です。")));
        QCOMPARE(dialog.stopCommand, QStringLiteral("83,3"));
    }

    void aCapturedKeyStillHeldDoesNotPressStart() {
        RunDialog dialog(5, 1, "83,3", true, true);
        dialog.show();
        button(dialog, "changeButton")->click();
        platform->backend.setKeyDown(13, true);
        feed(KeyDown, 13);
        QTRY_COMPARE(label(dialog, "stopCommandDisplay")->text(), QStringLiteral("Enter"));
        QWidget* focus = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
        auto pressReturn = [focus](bool repeat) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", repeat);
            QApplication::sendEvent(focus, &press);
        };
        // The first repeat the window sees is not marked as one.
        pressReturn(false);
        pressReturn(true);
        QVERIFY(dialog.isVisible());
        platform->backend.setKeyDown(13, false);
        pressReturn(false);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.stopCommand, QStringLiteral("13,0"));
    }

    void withoutATrayARunNeedsAnExitCommand() {
        for (const bool japanese : {true, false}) {
            MessageBoxAnswerer answerer(QMessageBox::Yes);
            RunDialog dialog(5, 1, none, true, japanese);
            dialog.requireExitCommand(true);
            button(dialog, "startButton")->click();
            QCOMPARE(answerer.seen.size(), 1);
            QCOMPARE(answerer.seen[0].title, japanese
                                                 ? QStringLiteral("終了コマンドが必要です")
                                                 : QStringLiteral("An exit command is needed"));
            QCOMPARE(answerer.seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            // With an exit command it starts.
            check(dialog, "noStopCommandCheck")->setChecked(false);
            button(dialog, "startButton")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.stopCommand, QStringLiteral("83,3"));
        }
    }
};

QTEST_MAIN(RunDialogTest)
#include "tst_rundialog.moc"
