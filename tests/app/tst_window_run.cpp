#include <optional>

#include <QtTest>

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>

#include "app/runindicator.h"
#include "app/systemtray.h"
#include "keys/rundialog.h"
#include "modalanswerer.h"
#include "testplatform.h"
#include "threadstartsfail.h"
#include "windowfixture.h"

using fixture::child;

namespace {

// Answers the execution settings dialog: closes it, or sets the seconds and
// the runs and presses Start.
std::unique_ptr<ModalAnswerer> runDialog(bool start, int seconds = 1, int runs = 1) {
    return std::make_unique<ModalAnswerer>([=](QWidget* modal) {
        auto* dialog = qobject_cast<RunDialog*>(modal);
        if (!dialog)
            return false;
        if (!start) {
            dialog->close();
            return true;
        }
        dialog->findChild<QSpinBox*>("stertTimeSpin")->setValue(seconds);
        dialog->findChild<QSpinBox*>("runNumberSpin")->setValue(runs);
        dialog->findChild<QPushButton*>("startButton")->click();
        return true;
    });
}

RunIndicator* runIndicator() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* indicator = qobject_cast<RunIndicator*>(widget);
            indicator && indicator->isVisible())
            return indicator;
    return nullptr;
}

} // namespace

// Starting a run from the window and getting the window back.
class TestWindowRun : public QObject {
    Q_OBJECT

    TestPlatform platform;

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() {
        fixture::writeSettings(QStringLiteral("\"stert_time\": 7, \"run_number\": 3"));
        platform.backend.setCanSynthesize(true);
        platform.backend.clear();
    }
    void cleanup() { setSystemTrayAvailableForTesting(std::nullopt); }

    void closingTheDialogChangesNothing() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        auto dialog = runDialog(false);
        child<QPushButton>(window, "run_button")->click();
        QVERIFY(dialog->answered());
        QVERIFY(window.isVisible());
        QCOMPARE(window.currentSettings().stert_time, 7);
        QCOMPARE(window.currentSettings().run_number, 3);
        QVERIFY(!window.currentSettings().is_used_stert);
    }

    void anAcceptedDialogRunsTheProjectWhileTheWindowIsHidden() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 2);
        child<QSpinBox>(window, "pointer_x_spin")->setValue(40);
        child<QSpinBox>(window, "pointer_y_spin")->setValue(50);

        auto notice = ModalAnswerer::messageBox(QMessageBox::Ok);
        auto dialog = runDialog(true, 1, 2);
        setSystemTrayAvailableForTesting(true);
        child<QPushButton>(window, "run_button")->click();
        QVERIFY(dialog->answered());
        QVERIFY(notice->answered());
        QVERIFY(!window.isVisible());
        QVERIFY(platform.runLock.held);
        // The tray icon stands for the run.
        QVERIFY(!runIndicator());
        QCOMPARE(window.currentSettings().stert_time, 1);
        QCOMPARE(window.currentSettings().run_number, 2);
        QVERIFY(window.currentSettings().is_used_stert);

        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 10000);
        QVERIFY(!platform.runLock.held);
        const auto moves = platform.backend.events(RecordingBackend::Kind::SetCursor);
        QCOMPARE(moves.size(), size_t(2));
        QCOMPARE(moves[0].a, 40);
        QCOMPARE(moves[0].b, 50);
    }

    void withoutATrayAnIndicatorStandsForTheRunAndStopsIt() {
        fixture::writeSettings(QStringLiteral("\"is_used_stert\": true"));
        setSystemTrayAvailableForTesting(false);
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addConditionType(window, 1);
        child<QDoubleSpinBox>(window, "condition_time_spin")->setValue(60);
        auto dialog = runDialog(true, 1, 1);
        child<QPushButton>(window, "run_button")->click();
        QVERIFY(dialog->answered());
        QVERIFY(!window.isVisible());
        RunIndicator* indicator = runIndicator();
        QVERIFY(indicator);
        indicator->findChild<QPushButton*>("stopButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 5000);
        QTRY_VERIFY(!runIndicator());
    }

private:
    // Presses Run on a window with one pointer jump and starts from the
    // dialog: the run is refused with a box starting with `message`, the
    // window stays, the lock is free and the pointer never moves.
    void expectRunRefused(const QString& message, bool threadsFail = false) {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 2);
        auto error = ModalAnswerer::messageBox(QMessageBox::Ok);
        auto dialog = runDialog(true);
        {
            std::optional<ThreadStartsFail> refuse;
            if (threadsFail)
                refuse.emplace();
            child<QPushButton>(window, "run_button")->click();
        }
        QVERIFY(dialog->answered());
        QVERIFY(error->answered());
        QVERIFY2(error->text.startsWith(message), qPrintable(error->text));
        QVERIFY(window.isVisible());
        QVERIFY(!platform.runLock.held);
        QTest::qWait(100);
        QVERIFY(platform.backend.events(RecordingBackend::Kind::SetCursor).empty());
    }

private slots:
    void noRunWhileAnotherHoldsTheDesktop_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("text");
        QTest::newRow("Japanese") << true << QStringLiteral("このデスクトップでは別の実行が進行中");
        QTest::newRow("English") << false << QStringLiteral("Another run is going on");
    }
    void noRunWhileAnotherHoldsTheDesktop() {
        QFETCH(bool, japanese);
        QFETCH(QString, text);
        // Used before: no first-start notice comes before the refusal.
        fixture::writeSettings(japanese ? QStringLiteral("\"is_used_stert\": true")
                                        : QStringLiteral("\"is_used_stert\": true, "
                                                         "\"is_japanese\": false"));
        platform.runLock.takenElsewhere = true;
        const auto free = qScopeGuard([this] { platform.runLock.takenElsewhere = false; });
        expectRunRefused(text);
    }

    // A system out of threads gets no run: the window stays and says why.
    void withoutAThreadForTheRunTheWindowStaysAndSaysSo() {
        fixture::writeSettings(QStringLiteral("\"is_used_stert\": true"));
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^QThread::start"));
        expectRunRefused(QStringLiteral("実行を開始できませんでした。"), true);
    }

    // Here in a Wayland session without XWayland: the box says why.
    void noRunWhereInputCannotBeSynthesised_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("text");
        QTest::newRow("Japanese")
            << true
            << QStringLiteral("この環境ではキーボードとマウスを操作できません。\nこの Wayland "
                              "セッションには X ディスプレイがありません（DISPLAY が未設定で");
        QTest::newRow("English")
            << false
            << QStringLiteral("Keyboard and mouse cannot be controlled in this session.\nThis "
                              "Wayland session has no X display (DISPLAY is not set");
    }
    void noRunWhereInputCannotBeSynthesised() {
        QFETCH(bool, japanese);
        QFETCH(QString, text);
        const QByteArray display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        qputenv("WAYLAND_DISPLAY", "wayland-7");
        const auto restore = qScopeGuard([display] {
            qunsetenv("WAYLAND_DISPLAY");
            if (!display.isEmpty())
                qputenv("DISPLAY", display);
        });
        fixture::writeSettings(japanese ? QString() : QStringLiteral("\"is_japanese\": false"));
        platform.backend.setCanSynthesize(false);
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        auto error = ModalAnswerer::messageBox(QMessageBox::Ok);
        auto dialog = runDialog(true);
        child<QPushButton>(window, "run_button")->click();
        QVERIFY(error->answered());
        QVERIFY2(error->text.startsWith(text), qPrintable(error->text));
        QCOMPARE(error->icon, QMessageBox::Critical);
        QTest::qWait(50);
        QVERIFY(!dialog->answered());
        QVERIFY(window.isVisible());
        QVERIFY(!window.currentSettings().is_used_stert);
    }
};

QTEST_MAIN(TestWindowRun)
#include "tst_window_run.moc"
