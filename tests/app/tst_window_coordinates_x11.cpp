#include <QtTest>

#include <QApplication>
#include <QPushButton>

#include "app/hoverhidewindow.h"
#include "windowfixture.h"
#include "xevwatcher.h"

using fixture::child;

namespace {

constexpr int mousePointerType = 2;

} // namespace

// Coordinate capture on a real X display: the pointer moved and Ctrl+Alt+G
// pressed by xdotool, as by a user.
class TestWindowCoordinatesX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        fixture::useTestLocations();
        fixture::writeSettings();
    }

    void ctrlAltGFillsInThePointerPosition() {
        kestrun window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fixture::enterEditor(window);
        fixture::addCommandType(window, mousePointerType);
        child<QPushButton>(window, "pointer_get_button")->click();
        QVERIFY(!window.isVisible());
        QVERIFY(fixture::hintWindow());
        QVERIFY(QTest::qWaitForWindowExposed(fixture::hintWindow()));

        // The hint dodges the real pointer.
        const QRect hint = fixture::hintWindow()->frameGeometry();
        QVERIFY(XevWatcher::xdotool(
            {"mousemove", QString::number(hint.left() - 50), QString::number(hint.top() - 50)}));
        QTRY_VERIFY(fixture::hintWindow()->isHidden());
        QVERIFY(XevWatcher::xdotool({"mousemove", "1250", "30"}));
        QTRY_VERIFY(fixture::hintWindow()->isVisible());
        QCOMPARE(fixture::hintWindow()->frameGeometry(), hint);

        QVERIFY(XevWatcher::xdotool({"key", "ctrl+alt+g"}));
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", "1250", "30"}));
        QTRY_VERIFY(!fixture::hintWindow());

        // Released again: the combination reaches other clients.
        XevWatcher xev;
        QVERIFY(xev.start());
        QVERIFY(XevWatcher::xdotool({"key", "ctrl+alt+g"}));
        QTRY_COMPARE(xev.keyPresses(), 3);
    }
};

QTEST_MAIN(TestWindowCoordinatesX11)
#include "tst_window_coordinates_x11.moc"
