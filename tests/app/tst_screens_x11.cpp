#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>

#include "app/hoverhidewindow.h"
#include "keys/rundialog.h"
#include "modalanswerer.h"
#include "model/screenpages.h"
#include "picturewindow.h"
#include "platform/platform.h"
#include "windowfixture.h"
#include "xevwatcher.h"

using fixture::child;

namespace {

constexpr int mousePointerType = 2;
constexpr int smoothMoveType = 3;
constexpr int clickCondition = 3;
constexpr int moveToImageType = 7;

// Where the pointer is on the X screen, as xdotool reads it.
QPoint pointer() {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")});
    xdotool.waitForFinished();
    const auto match = QRegularExpression(QStringLiteral("x:(-?\\d+) y:(-?\\d+)"))
                           .match(QString::fromLatin1(xdotool.readAllStandardOutput()));
    return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt())
                            : QPoint(-1, -1);
}

bool moveTo(const QPoint& point) {
    return XevWatcher::xdotool(
        {"mousemove", QString::number(point.x()), QString::number(point.y())});
}

// The image capture's windows, once every one is on the screen.
bool frozenScreensShown() {
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName().startsWith(QLatin1String("frozen_screen_")) &&
            widget->isVisible() && QTest::qWaitForWindowExposed(widget))
            ++shown;
    return shown == QGuiApplication::screens().size();
}

} // namespace

// Two monitors side by side, the primary on the right (so its origin is
// not the screen's), at the scale QT_SCALE_FACTOR sets. Coordinates are
// the screen's own pixels wherever they are captured, shown and played.
class TestScreensX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        fixture::useTestLocations();
        fixture::writeSettings(QStringLiteral("\"is_used_stert\": true"));
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().topLeft(), QPoint(1920, 0));
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(),
                 qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    }

    void capturedPositionsAreWhereThePointerGoes() {
        kestrun window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fixture::enterEditor(window);

        // Page 1 jumps to a point on the left monitor and waits for a click;
        // the hint comes up on the monitor under the pointer.
        const QPoint onLeft(300, 700);
        QVERIFY(moveTo({1500, 900}));
        fixture::addCommandType(window, mousePointerType);
        fixture::addConditionType(window, clickCondition);
        child<QPushButton>(window, "pointer_get_button")->click();
        QVERIFY(fixture::hintWindow());
        QVERIFY(QTest::qWaitForWindowExposed(fixture::hintWindow()));
        const QScreen* left = QGuiApplication::screens().at(1);
        QVERIFY2(left->geometry().contains(fixture::hintWindow()->frameGeometry()),
                 qPrintable(QStringLiteral("hint at %1,%2")
                                .arg(fixture::hintWindow()->x())
                                .arg(fixture::hintWindow()->y())));
        QVERIFY(moveTo(onLeft));
        QVERIFY(XevWatcher::xdotool({"key", "ctrl+alt+g"}));
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", QString::number(onLeft.x()),
                                                    QString::number(onLeft.y())}));

        // Test shows the captured point.
        QVERIFY(moveTo({3000, 100}));
        child<QPushButton>(window, "test_button")->click();
        QTRY_COMPARE_WITH_TIMEOUT(pointer(), onLeft, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 3000);

        // Page 2 moves smoothly to a point on the primary monitor.
        const QPoint onPrimary(2500, 900);
        child<QPushButton>(window, "next_button")->click();
        fixture::addCommandType(window, smoothMoveType);
        child<QPushButton>(window, "smooth_get_button")->click();
        QVERIFY(moveTo(onPrimary));
        QVERIFY(XevWatcher::xdotool({"key", "ctrl+alt+g"}));
        QTRY_VERIFY(window.isVisible());
        QCOMPARE(window.commands()[1].mid(1, 2),
                 (QStringList{QString::number(onPrimary.x()), QString::number(onPrimary.y())}));

        // Played back, the pointer lands on both.
        QVERIFY(moveTo({3000, 100}));
        ModalAnswerer start([](QWidget* modal) {
            auto* dialog = qobject_cast<RunDialog*>(modal);
            if (!dialog)
                return false;
            dialog->findChild<QSpinBox*>("stertTimeSpin")->setValue(1);
            dialog->findChild<QPushButton*>("startButton")->click();
            return true;
        });
        child<QPushButton>(window, "run_button")->click();
        QVERIFY(start.answered());
        QTRY_COMPARE_WITH_TIMEOUT(pointer(), onLeft, 5000);
        QVERIFY(XevWatcher::xdotool({"click", "1"}));
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 10000);
        QCOMPARE(pointer(), onPrimary);
    }

    // The frozen screenshot shows scaled, yet the image taken is the screen's
    // own pixels under the physical rectangle dragged, and Test finds it.
    void anImageTakenOverTheFrozenScreensIsTheScreensPixels() {
        const int scale = int(QGuiApplication::primaryScreen()->devicePixelRatio());
        // On the left monitor, whose origin is the desktop's.
        PictureWindow picture(PictureWindow::testPicture(11, QSize(48, 40)), QPoint(200, 150));
        QVERIFY(picture.showAndWait());
        const QRect physical(QPoint(200, 150) * scale, QSize(48, 40) * scale);
        const QImage expected = Platform::instance().screenCapture().grab(physical);

        kestrun window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fixture::enterEditor(window);
        fixture::addCommandType(window, moveToImageType);
        QVERIFY(moveTo({3000, 100}));
        child<QPushButton>(window, "command_image_take_button")->click();
        QTRY_VERIFY_WITH_TIMEOUT(frozenScreensShown(), 5000);
        const QPoint last = physical.bottomRight();
        QVERIFY(XevWatcher::xdotool({"mousemove", QString::number(physical.x()),
                                     QString::number(physical.y()), "mousedown", "1", "mousemove",
                                     QString::number(last.x()), QString::number(last.y()),
                                     "mouseup", "1"}));
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 5000);
        const std::optional<screenpages::ImageSearch> taken =
            screenpages::readImageSearch(window.commands()[0], nullptr);
        QVERIFY(taken);
        QCOMPARE(taken->image.convertToFormat(QImage::Format_RGB32), expected);

        auto answer = ModalAnswerer::messageBox(QMessageBox::Ok);
        child<QPushButton>(window, "image_test_button")->click();
        QTRY_VERIFY_WITH_TIMEOUT(answer->answered(), 5000);
        QCOMPARE(answer->text, QStringLiteral("(%1, %2) に見つかりました（%3 × %4、類似度 1.00）。")
                                   .arg(physical.x())
                                   .arg(physical.y())
                                   .arg(physical.width())
                                   .arg(physical.height()));
    }

    // At scale 2 a monitor's 960 x 540 are smaller than the window: it fits,
    // and its content scrolls. At scale 1 it stands as it was built.
    void theWindowFitsItsScreenUnderTheFirstStartWelcome() {
        fixture::removeSettings();
        auto welcome = ModalAnswerer::messageBox(QMessageBox::Ok);
        kestrun window;
        QVERIFY(welcome->answered());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Qt keeps a title bar's room above the box it centres on a window,
        // and a pixel goes to rounding.
        const QPoint offset = window.frameGeometry().center() - welcome->frame.center();
        QVERIFY2(qAbs(offset.x()) <= 11 && qAbs(offset.y()) <= 41,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));

        fixture::enterEditor(window);
        auto* run = child<QWidget>(window, "run_button");
        QCOMPARE(child<QWidget>(window, "command_group")->mapTo(&window, QPoint()), QPoint(10, 30));
        auto* area = window.findChild<QScrollArea*>();
        if (window.devicePixelRatio() == 1) {
            QVERIFY(!area);
            QCOMPARE(window.size(), QSize(630, 585));
            QCOMPARE(run->mapTo(&window, QPoint()), QPoint(10, 525));
        } else {
            QVERIFY(area);
            area->ensureWidgetVisible(run, 0, 0);
            QVERIFY(window.rect().contains(QRect(run->mapTo(&window, QPoint()), run->size())));
        }
    }
};

QTEST_MAIN(TestScreensX11)
#include "tst_screens_x11.moc"
