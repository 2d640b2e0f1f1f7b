#include <QtTest>

#include <QLabel>
#include <QPushButton>

#include "keys/rundialog.h"
#include "xevwatcher.h"

class RunDialogX11Test : public QObject {
    Q_OBJECT

    XevWatcher xev;

private slots:
    void initTestCase() { QVERIFY(xev.start()); }

    void capturingAnExitCommandSwallowsItsKeys() {
        RunDialog dialog(5, 1, "83,3", true, false);
        auto* display = dialog.findChild<QLabel*>("stopCommandDisplay");
        auto* change = dialog.findChild<QPushButton*>("changeButton");
        auto* start = dialog.findChild<QPushButton*>("startButton");

        QVERIFY(XevWatcher::xdotool({"key", "b"}));
        QTRY_COMPARE(xev.keyPresses(), 1);

        change->click();
        QVERIFY(XevWatcher::xdotool({"key", "ctrl+alt+q"}));
        QTRY_COMPARE(display->text(), QStringLiteral("Ctrl+Alt+Q"));
        QTest::qWait(100);
        QCOMPARE(xev.keyPresses(), 1);

        // Between captures the filter stays registered but lets keys through.
        QVERIFY(XevWatcher::xdotool({"key", "c"}));
        QTRY_COMPARE(xev.keyPresses(), 2);

        start->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.stopCommand, QStringLiteral("81,3"));
    }

    void enterHeldAfterItsCaptureDoesNotStartTheRun() {
        RunDialog dialog(5, 1, "83,3", true, false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* display = dialog.findChild<QLabel*>("stopCommandDisplay");
        dialog.findChild<QPushButton*>("changeButton")->click();
        QVERIFY(XevWatcher::xdotool({"keydown", "Return"}));
        QTRY_COMPARE(display->text(), QStringLiteral("Enter"));
        // Long enough for the server's key repeat to start.
        QTest::qWait(1500);
        QVERIFY(XevWatcher::xdotool({"keyup", "Return"}));
        QTest::qWait(200);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.stopCommand, QStringLiteral("13,0"));
        // A fresh press after the release is the user's: it starts.
        QVERIFY(XevWatcher::xdotool({"key", "Return"}));
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(RunDialogX11Test)
#include "tst_rundialog_x11.moc"
