#include <QtTest>

#include <QLabel>
#include <QTemporaryDir>

#include "app/hoverhidewindow.h"
#include "app/hoverplacement.h"
#include "testplatform.h"

namespace {

// Two monitors side by side in native pixels: 1920 x 1080 unscaled, then
// 1280 x 1024 at twice the scale, so 640 x 512 device-independent pixels.
constexpr char screensJson[] = R"({"screens": [
    {"name": "left", "x": 0, "y": 0, "width": 1920, "height": 1080},
    {"name": "right", "x": 1920, "y": 0, "width": 1280, "height": 1024}]})";
const QPoint rightOrigin(1920, 0);

// A device-independent point on the scaled right screen in native pixels.
QPoint nativeOnRight(QPoint logical) {
    return rightOrigin + (logical - rightOrigin) * 2;
}

} // namespace

class HoverHideWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> platform;

private slots:
    void init() { platform = std::make_unique<TestPlatform>(); }
    void cleanup() { platform.reset(); }

    void cornerPlacement() {
        QCOMPARE(bottomRightPlacement(QRect(0, 0, 1920, 1040), QSize(320, 100), 20),
                 QPoint(1579, 919));
        QCOMPARE(bottomRightPlacement(QRect(1920, 30, 1280, 994), QSize(320, 100), 20),
                 QPoint(2859, 903));
    }

    void aCornerAwayFromThePointer() {
        const QRect area(0, 0, 1920, 1040);
        const QSize size(320, 70);
        QCOMPARE(cornerAwayFrom(area, size, 20, QPoint(100, 100), 120), QPoint(1579, 949));
        QCOMPARE(cornerAwayFrom(area, size, 20, QPoint(1800, 1000), 120), QPoint(20, 949));
        QCOMPARE(cornerAwayFrom(area, size, 20, QPoint(1000, 1000), 700), QPoint(1579, 20));
        QCOMPARE(cornerAwayFrom(QRect(0, 0, 400, 200), size, 20, QPoint(200, 100), 120),
                 QPoint(59, 109));
    }

    void bringingInsideTheScreen() {
        const QRect area(0, 0, 1920, 1040);
        QCOMPARE(bringInside(QRect(1700, 1000, 320, 100), area, 20), QRect(1579, 919, 320, 100));
        QCOMPARE(bringInside(QRect(-50, 5, 320, 100), area, 20), QRect(20, 20, 320, 100));
        QCOMPARE(bringInside(QRect(600, 400, 320, 100), area, 20), QRect(600, 400, 320, 100));
        QCOMPARE(bringInside(QRect(600, 400, 3000, 100), area, 20), QRect(20, 400, 3000, 100));
        QVERIFY(bringInside(QRect(), area, 20).isNull());
    }

    void nearnessIncludesTheGrownEdge() {
        const QRect frame(1579, 919, 320, 100); // right 1898, bottom 1018
        QVERIFY(isNear(frame, QPoint(1579 - 120, 950), 120));
        QVERIFY(!isNear(frame, QPoint(1579 - 121, 950), 120));
        QVERIFY(isNear(frame, QPoint(1898 + 120, 1018 + 120), 120));
        QVERIFY(!isNear(frame, QPoint(1898 + 121, 1018), 120));
        QVERIFY(!isNear(frame, QPoint(1700, 919 - 121), 120));
    }

    void nativePointerToDeviceIndependent() {
        const QList<ScreenArea> screens{{QRect(0, 0, 1280, 720), 1.5},
                                        {QRect(1920, 0, 1920, 1080), 1}};
        QCOMPARE(toDeviceIndependent(QPoint(0, 0), screens), QPoint(0, 0));
        QCOMPARE(toDeviceIndependent(QPoint(1919, 1079), screens), QPoint(1279, 719));
        QCOMPARE(toDeviceIndependent(QPoint(960, 540), screens), QPoint(640, 360));
        QCOMPARE(toDeviceIndependent(QPoint(2500, 30), screens), QPoint(2500, 30));

        const QList<ScreenArea> scaledRight{{QRect(0, 0, 1920, 1080), 1},
                                            {QRect(1920, 0, 640, 512), 2}};
        QCOMPARE(toDeviceIndependent(QPoint(3199, 1023), scaledRight), QPoint(2559, 511));
        QCOMPARE(toDeviceIndependent(QPoint(1000, 1000), scaledRight), QPoint(1000, 1000));
        // Off every screen: the first screen's scale.
        QCOMPARE(toDeviceIndependent(QPoint(-10, 2000), scaledRight), QPoint(-10, 2000));
    }

    void textFollowsTheLanguage() {
        HoverHideWindow window(120, 20, nullptr, true);
        auto* label = window.findChild<QLabel*>();
        QCOMPARE(label->text(),
                 QStringLiteral("マウスポインターの座標を取得中\nCtrl+Alt+Gを押してください。"));
        window.setJapanese(false);
        QCOMPARE(label->text(),
                 QStringLiteral("Getting mouse pointer coordinates\nPress Ctrl+Alt+G."));
    }

    void firstPlacementOnTheScreenUnderThePointer_data() {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QRect>("area");
        QTest::newRow("unscaled") << QPoint(100, 100) << QRect(0, 0, 1920, 1080);
        // Read as device-independent pixels this point would lie on no screen.
        QTest::newRow("scaled") << nativeOnRight({2460, 450}) << QRect(1920, 0, 640, 512);
    }
    void firstPlacementOnTheScreenUnderThePointer() {
        QFETCH(QPoint, pointer);
        QFETCH(QRect, area);
        platform->backend.setPointer(pointer);
        HoverHideWindow window(120, 20, nullptr, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.pos(), bottomRightPlacement(area, window.size(), 20));
    }

    void hidesNearThePointerAndReturnsAtTheSamePlace() {
        platform->backend.setPointer(nativeOnRight({2000, 50}));
        HoverHideWindow window(120, 20, nullptr, true);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect frame = window.frameGeometry();

        // 120 device-independent pixels are 240 native ones on this screen.
        QTest::ignoreMessage(QtDebugMsg, "hidden (cursor near)");
        platform->backend.setPointer(nativeOnRight({frame.center().x(), frame.top() - 120}));
        QTRY_VERIFY(window.isHidden());

        platform->backend.setPointer(nativeOnRight({frame.center().x() + 50, frame.top() - 110}));
        window.checkCursor();
        QVERIFY(window.isHidden());

        QTest::ignoreMessage(QtDebugMsg, "shown (cursor moved away from last position)");
        platform->backend.setPointer(nativeOnRight({frame.center().x(), frame.top() - 121}));
        window.checkCursor();
        QVERIFY(window.isVisible());
        QCOMPARE(window.frameGeometry(), frame);

        window.checkCursor();
        QVERIFY(window.isVisible());
    }

    void windowHiddenForAnotherReasonStaysHidden() {
        platform->backend.setPointer(QPoint(5000, 5000));
        HoverHideWindow never(120, 20, nullptr, true);
        never.checkCursor();
        QVERIFY(never.isHidden());

        HoverHideWindow closed(120, 20, nullptr, true);
        closed.show();
        QVERIFY(QTest::qWaitForWindowExposed(&closed));
        closed.close();
        closed.checkCursor();
        QVERIFY(closed.isHidden());
    }
};

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(screensJson) < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCREEN_SCALE_FACTORS", "1;2");
    QApplication app(argc, argv);
    HoverHideWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hoverhidewindow.moc"
