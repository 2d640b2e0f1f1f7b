#include <QtTest>

#include "app/frozendesktop.h"

// The frozen screenshot over two monitors, the primary right of the other,
// both at the scale of the row: physical pixels in, device-independent out.
class TestFrozenDesktop : public QObject {
    Q_OBJECT

private slots:
    void mapsBetweenThePixelsAndTheScreens_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("scale 1") << 1;
        QTest::newRow("scale 2") << 2;
    }

    void mapsBetweenThePixelsAndTheScreens() {
        QFETCH(int, scale);
        const QRect desktop(-1920, 0, 3840, 1080);
        QImage shot(desktop.size(), QImage::Format_RGB32);
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                shot.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16));
        // Qt keeps each screen's origin where it is physically.
        const QList<ScreenArea> screens{
            {QRect(0, 0, 1920 / scale, 1080 / scale), qreal(scale)},
            {QRect(-1920, 0, 1920 / scale, 1080 / scale), qreal(scale)}};
        const FrozenDesktop frozen(shot, desktop, screens);

        QCOMPARE(frozen.shotPartOf(0), QRect(1920, 0, 1920, 1080));
        QCOMPARE(frozen.shotPartOf(1), QRect(0, 0, 1920, 1080));
        // The pointer's pixel where it lies within the event's rounding; the
        // event's where the pointer has moved on.
        const QPointF event(-1920 + 920.0 / scale, 300.0 / scale);
        QCOMPARE(frozen.physicalPixel(event, QPoint(-1000 + scale - 1, 300)),
                 QPoint(-1000 + scale - 1, 300));
        QCOMPARE(frozen.physicalPixel(event, QPoint(-1000, 300 + scale)), QPoint(-1000, 300));
        QCOMPARE(frozen.physicalPixel(QPointF(640, 10), QPoint(5, 5)),
                 QPoint(640 * scale, 10 * scale));
        QCOMPARE(frozen.onScreen(QRect(100, 50, 64, 32), 0),
                 QRectF(100.0 / scale, 50.0 / scale, 64.0 / scale, 32.0 / scale));
        QCOMPARE(toDeviceIndependent(QRect(-1000, 300, 64, 32), screens),
                 QRect(-1920 + 920 / scale, 300 / scale, 64 / scale, 32 / scale));

        // Dragged up and to the left: both end pixels are in.
        const QRect dragged = frozen.selection(QPoint(-10, 40), QPoint(-30, 20));
        QCOMPARE(dragged, QRect(-30, 20, 21, 21));
        QCOMPARE(frozen.crop(dragged), shot.copy(1890, 20, 21, 21));
        // Kept on the desktop, and no larger than a page's image.
        QCOMPARE(frozen.selection(QPoint(1900, 1000), QPoint(2500, 1500)),
                 QRect(1900, 1000, 20, 80));
        QCOMPARE(frozen.selection(QPoint(-1900, 0), QPoint(1000, 2)).width(), 1024);
    }
};

QTEST_GUILESS_MAIN(TestFrozenDesktop)
#include "tst_frozendesktop.moc"
