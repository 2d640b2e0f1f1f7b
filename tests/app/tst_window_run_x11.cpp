#include <QtTest>

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include "keys/rundialog.h"
#include "modalanswerer.h"
#include "windowfixture.h"
#include "xevwatcher.h"

using fixture::child;

// A run started from the window on a real X display, repeating until the
// exit command, which xdotool holds down as a user would.
class TestWindowRunX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        fixture::useTestLocations();
        fixture::writeSettings(QStringLiteral("\"is_used_stert\": true"));
    }

    void theExitCommandEndsARunAndTheWindowComesBack() {
        kestrun window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fixture::enterEditor(window);

        ModalAnswerer dialog([](QWidget* modal) {
            auto* runDialog = qobject_cast<RunDialog*>(modal);
            if (!runDialog)
                return false;
            runDialog->findChild<QSpinBox*>("stertTimeSpin")->setValue(1);
            runDialog->findChild<QCheckBox*>("repeatCheck")->setChecked(true);
            runDialog->findChild<QPushButton*>("startButton")->click();
            return true;
        });
        child<QPushButton>(window, "run_button")->click();
        QVERIFY(dialog.answered());
        QVERIFY(!window.isVisible());
        QCOMPARE(window.currentSettings().run_number, RunDialog::repeatUntilStopped);

        QTest::qWait(1500);
        QVERIFY(!window.isVisible());
        QVERIFY(XevWatcher::xdotool({"keydown", "ctrl+alt+s"}));
        QTest::qWait(300);
        QVERIFY(XevWatcher::xdotool({"keyup", "ctrl+alt+s"}));
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 10000);
    }
};

QTEST_MAIN(TestWindowRunX11)
#include "tst_window_run_x11.moc"
