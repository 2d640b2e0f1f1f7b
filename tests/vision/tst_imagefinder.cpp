#include <QtTest>

#include <QPainter>
#include <QRandomGenerator>

#include <thread>

#include "vision/imagefinder.h"

namespace {

constexpr double threshold = 0.9;

// Where the desktop below shows things the tests look for.
const QRect redMark(420, 30, 48, 32);
const QRect roundIcon(380, 210, 40, 40);
const QRect dimmerIcon(180, 20, 40, 40);
const QRect shiftedMark(520, 300, 48, 32);
const QRect checkerboard(20, 150, 300, 150);
const QRect greyPatch(60, 340, 40, 30);

const QColor red(255, 0, 0);
// The same grey as red (0.299 R + 0.587 G + 0.114 B), another colour.
const QColor greenOfRedsGrey(0, 130, 0);
const QColor grey(128, 128, 128);
// Each colour moved by (60, -40, 49), which keeps its grey: the same pattern
// in the same greys, and in each channel alone, but other colours.
const QColor olive(100, 120, 60);
const QColor paleOlive(150, 170, 110);
const QColor shiftedOlive(160, 80, 109);
const QColor shiftedPaleOlive(210, 130, 159);

QImage markImage(QColor colour, QColor background = Qt::white) {
    QImage mark(redMark.size(), QImage::Format_RGB32);
    mark.fill(background);
    QPainter painter(&mark);
    painter.setPen(QPen(colour, 4));
    painter.drawLine(4, 4, 44, 28);
    painter.drawEllipse(QRect(8, 6, 20, 20));
    return mark;
}

// A round icon whose corners are transparent.
QImage iconImage(int lighter = 0) {
    QImage icon(roundIcon.size(), QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40 + lighter, 90 + lighter, 160 + lighter));
    painter.drawEllipse(icon.rect());
    painter.setBrush(QColor(240, 200 + lighter / 2, 60));
    painter.drawRect(12, 12, 16, 10);
    return icon;
}

QImage flatImage(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A still desktop: a gradient, random panels and lines of text, so that many
// places look a little alike, and the things above at their places.
const QImage& desktop() {
    static const QImage image = [] {
        QImage desktop(640, 400, QImage::Format_RGB32);
        QPainter painter(&desktop);
        QLinearGradient sky(0, 0, 640, 400);
        sky.setColorAt(0, QColor(20, 40, 160));
        sky.setColorAt(1, QColor(160, 220, 40));
        painter.fillRect(desktop.rect(), sky);
        QRandomGenerator random(7);
        for (int panel = 0; panel < 30; ++panel)
            painter.fillRect(random.bounded(600), random.bounded(360), 20 + random.bounded(100),
                             10 + random.bounded(50), QColor::fromRgb(random.generate()));
        painter.setPen(Qt::black);
        for (int line = 0; line < 12; ++line)
            painter.drawText(8, 16 + line * 32, QStringLiteral("File Edit View %1 Help").arg(line));
        for (int y = 0; y < checkerboard.height(); ++y)
            for (int x = 0; x < checkerboard.width(); ++x)
                desktop.setPixelColor(checkerboard.topLeft() + QPoint(x, y),
                                      (x + y) % 2 ? QColor(255, 255, 255) : QColor(1, 1, 1));
        painter.fillRect(greyPatch.adjusted(-3, -3, 3, 3), Qt::black);
        painter.fillRect(greyPatch, grey);
        painter.drawImage(redMark, markImage(red));
        painter.drawImage(roundIcon, iconImage());
        painter.drawImage(dimmerIcon, iconImage(24));
        painter.drawImage(shiftedMark, markImage(olive, paleOlive));
        return desktop;
    }();
    return image;
}

} // namespace

class ImageFinderTest : public QObject {
    Q_OBJECT

private slots:
    void search_data() {
        QTest::addColumn<QImage>("screenshot");
        QTest::addColumn<QImage>("image");
        // Empty where the image is not to be found.
        QTest::addColumn<QRect>("expected");
        const QImage& screen = desktop();
        for (const QRect cut :
             {QRect(360, 190, 64, 64), QRect(201, 143, 37, 29), QRect(0, 0, 50, 40),
              QRect(590, 360, 50, 40), QRect(427, 37, 12, 10), QRect(0, 10, 300, 24)})
            QTest::addRow("cut at %d,%d %dx%d", cut.x(), cut.y(), cut.width(), cut.height())
                << screen << screen.copy(cut) << cut;
        QTest::newRow("other pixel format")
            << screen.convertToFormat(QImage::Format_RGB888) << screen.copy(redMark) << redMark;
        QTest::newRow("same grey, other colour") << screen << markImage(greenOfRedsGrey) << QRect();
        QTest::newRow("same greys and pattern, other colours")
            << screen << markImage(shiftedOlive, shiftedPaleOlive) << QRect();
        // The dimmer copy comes first in the screenshot.
        QTest::newRow("transparent corners, the exact copy") << screen << iconImage() << roundIcon;
        QTest::newRow("absent") << screen << markImage(Qt::magenta) << QRect();
        // The checkerboard's pairs of pixels have the patch's grey and come first.
        QTest::newRow("flat, beside a checkerboard of its mean")
            << screen << flatImage(greyPatch.size(), grey) << greyPatch;
        QTest::newRow("flat, absent") << screen << flatImage(QSize(20, 20), Qt::magenta) << QRect();
    }

    void search() {
        QFETCH(QImage, screenshot);
        QFETCH(QImage, image);
        QFETCH(QRect, expected);
        const ImageFinder finder(image);
        QCOMPARE(finder.size(), image.size());
        const std::optional<ImageMatch> match = finder.bestMatch(screenshot, threshold);
        QVERIFY(match);
        if (expected.isEmpty()) {
            QVERIFY2(match->similarity < threshold, qPrintable(QString::number(match->similarity)));
            return;
        }
        QCOMPARE(match->rect, expected);
        QVERIFY2(match->similarity > 0.99, qPrintable(QString::number(match->similarity)));
    }

    void transparentPartsCountForNothing() {
        // The icon over another background is still the icon.
        QImage screenshot = desktop().copy(0, 0, 200, 120);
        QPainter(&screenshot).drawImage(70, 50, iconImage());
        const auto match = ImageFinder(iconImage()).bestMatch(screenshot, threshold);
        QVERIFY(match);
        QCOMPARE(match->rect, QRect(QPoint(70, 50), roundIcon.size()));
        QVERIFY(match->similarity > 0.99);
    }

    // A run searches on threads that end. Under MinGW, buffers left with such
    // a thread crashed it as it ended, now and then.
    void searchesOnThreadsThatEnd() {
        const QImage screenshot = desktop().copy(0, 0, 200, 120);
        const QRect cut(20, 10, 40, 30);
        for (const QImage& image : {screenshot.copy(cut), flatImage(cut.size(), grey)}) {
            for (int i = 0; i < 300; ++i) {
                std::optional<ImageMatch> match;
                std::thread searcher([&] {
                    match = ImageFinder(image).bestMatch(screenshot, threshold);
                    QThread::currentThread();
                });
                searcher.join();
                QVERIFY(match);
            }
        }
    }

    void screenshotSmallerThanImage() {
        const ImageFinder finder(desktop().copy(0, 0, 64, 64));
        QVERIFY(!finder.bestMatch(desktop().copy(0, 0, 63, 200), threshold));
        QVERIFY(!finder.bestMatch(desktop().copy(0, 0, 200, 63), threshold));
        QVERIFY(finder.bestMatch(desktop().copy(0, 0, 64, 64), threshold));
    }
};

QTEST_MAIN(ImageFinderTest)
#include "tst_imagefinder.moc"
