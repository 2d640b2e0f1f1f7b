#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

#include "model/screenpages.h"
#include "picturewindow.h"
#include "playprocess.h"
#include "x11testing.h"

#include <X11/extensions/XTest.h>
// Xlib's None would stand for the page keyword of that name.
#undef None

namespace {

const QStringList immediately{keyword::Immediately};

QStringList imageCondition(const QImage& image, const QString& mode) {
    return {keyword::Image, screenpages::imageToken(image), QStringLiteral("0.9"), QString(), mode};
}

QStringList colorCondition(QPoint point, const QString& color, int tolerance) {
    return {keyword::Color, QString::number(point.x()), QString::number(point.y()), color,
            QString::number(tolerance)};
}

// Where the pointer is on the X screen, as xdotool reads it.
QPoint pointer() {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")});
    xdotool.waitForFinished();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("x:(-?\\d+) y:(-?\\d+)"))
            .match(QString::fromLatin1(xdotool.readAllStandardOutput()));
    return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt())
                            : QPoint(-1, -1);
}

// A random place for `size` on the monitor left of the primary one where
// there is one, otherwise on the primary.
QRect randomPlace(QSize size) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    for (const QScreen* other : QGuiApplication::screens())
        if (other->geometry().right() < screen->geometry().left())
            screen = other;
    const QRect area = screen->geometry();
    QRandomGenerator& random = *QRandomGenerator::global();
    return QRect(QPoint(area.x() + random.bounded(area.width() - size.width()),
                        area.y() + random.bounded(area.height() - size.height())),
                 size);
}

bool reached(PlayProcess& play, const QByteArray& text, int milliseconds = 10000) {
    return QTest::qWaitFor([&] { return play.process.peek(1 << 16).contains(text); }, milliseconds);
}

// Keeps the event loop turning, so the test's windows are drawn and closed,
// until the player ends; then its status.
int finishServingWindows(PlayProcess& play, int milliseconds = 10000) {
    if (!QTest::qWaitFor([&] { return play.process.state() == QProcess::NotRunning; },
                         milliseconds))
        return play.finish(0);
    return play.finish();
}

void pressExitCommand(Display* display, bool down) {
    // Right-hand Ctrl and Alt, and S, on the us layout.
    for (int keycode : {105, 108, 39})
        XTestFakeKeyEvent(display, keycode, down, CurrentTime);
    XSync(display, False);
}

} // namespace

// kestrun-play watching the real screen of an X server: pictures and
// colours shown by the test's own windows, at a random place, after the run
// began waiting for them.
class PlayScreenTest : public QObject {
    Q_OBJECT

    ServerView server;

private slots:
    void init() { QVERIFY(QProcess::execute("xdotool", {"mousemove", "0", "0"}) == 0); }

    // "画像" waits for the picture, "画像へ移動" puts the pointer at its
    // centre plus the offset, in the X screen's own pixels whatever the
    // player's scale, and "消える" goes on once the picture's window closed.
    void imagePagesFollowThePicture_data() {
        QTest::addColumn<QString>("scale");
        QTest::newRow("scale 1") << "1";
        QTest::newRow("scale 2") << "2";
    }
    void imagePagesFollowThePicture() {
        QFETCH(QString, scale);
        const QImage picture = PictureWindow::testPicture(QRandomGenerator::global()->generate());
        const QRect place = randomPlace(picture.size());
        const QString token = screenpages::imageToken(picture);
        PlayProcess play;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        play.process.setProcessEnvironment(environment);
        play.start({QStringLiteral("--verbose"),
                    play.writeProject({{keyword::None},
                                       {keyword::MoveToImage, token, QStringLiteral("0.9"),
                                        QString(), QStringLiteral("3"), QStringLiteral("-2")},
                                       {keyword::None}},
                                      {imageCondition(picture, keyword::Appears),
                                       {keyword::WaitUntilOver, QStringLiteral("0")},
                                       imageCondition(picture, keyword::Disappears)})});
        QVERIFY(reached(play, "page 1/3"));
        QTest::qWait(300);
        QVERIFY(!play.process.peek(1 << 16).contains("page 2/3"));

        PictureWindow window(picture, place.topLeft());
        QVERIFY(window.showAndWait());
        QVERIFY2(reached(play, "page 3/3"),
                 qPrintable(QStringLiteral("picture at %1,%2").arg(place.x()).arg(place.y())));
        QCOMPARE(pointer(), place.center() + QPoint(3, -2));
        QTest::qWait(300);
        QCOMPARE(play.process.state(), QProcess::Running);
        window.close();
        QCOMPARE(finishServingWindows(play), 0);
    }

    void colorConditionGoesOnWhenTheColorIsUnderThePoint_data() {
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<QRgb>("shown");
        QTest::newRow("exact") << 0 << qRgb(0x33, 0x66, 0xcc);
        QTest::newRow("within the tolerance") << 8 << qRgb(0x3b, 0x5e, 0xc4);
    }
    void colorConditionGoesOnWhenTheColorIsUnderThePoint() {
        QFETCH(int, tolerance);
        QFETCH(QRgb, shown);
        const QRect place = randomPlace(QSize(40, 40));
        PlayProcess play;
        play.start({QStringLiteral("--verbose"),
                    play.writeProject({{keyword::None}},
                                      {colorCondition(place.center(), "#3366CC", tolerance)})});
        QVERIFY(reached(play, "page 1/1"));
        QTest::qWait(300);
        QCOMPARE(play.process.state(), QProcess::Running);
        PictureWindow window(PictureWindow::plain(shown, place.size()), place.topLeft());
        QVERIFY(window.showAndWait());
        QCOMPARE(finishServingWindows(play), 0);
    }

    // Searches that would never go on, on a screen showing a picture and a
    // colour just outside the tolerance: the exit command ends them at once
    // and releases the button the run holds.
    void exitCommandEndsASearchThatNeverSucceeds_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("condition");
        const QImage neverShown = PictureWindow::testPicture(7);
        const QString absent = screenpages::imageToken(neverShown);
        QTest::newRow("image condition")
            << QStringList{keyword::None}
            << QStringList{keyword::Image, absent, QStringLiteral("0.9"), QString()};
        QTest::newRow("move to image")
            << QStringList{keyword::MoveToImage, absent, "0.9", "", "0", "0"}
            << QStringList{keyword::WaitUntilOver, QStringLiteral("0")};
        QTest::newRow("image that stays")
            << QStringList{keyword::None}
            << imageCondition(PictureWindow::testPicture(8), keyword::Disappears);
        QTest::newRow("colour") << QStringList{keyword::None}
                                << colorCondition(QPoint(20, 20), "#3366CC", 8);
    }
    void exitCommandEndsASearchThatNeverSucceeds() {
        QFETCH(QStringList, command);
        QFETCH(QStringList, condition);
        PictureWindow picture(PictureWindow::testPicture(8), randomPlace(QSize(64, 64)).topLeft());
        PictureWindow color(PictureWindow::plain(qRgb(0x33 + 9, 0x66, 0xcc), QSize(40, 40)), {});
        QVERIFY(picture.showAndWait() && color.showAndWait());
        PlayProcess play;
        play.start(
            {QStringLiteral("--verbose"),
             play.writeProject({{keyword::Click, keyword::Left, QStringLiteral("30")}, command},
                               {immediately, condition})});
        QVERIFY(reached(play, "page 2/2"));
        QTest::qWait(300);
        QVERIFY(server.anyButtonDown());

        pressExitCommand(server.display(), true);
        QElapsedTimer sinceExitCommand;
        sinceExitCommand.start();
        while (server.anyButtonDown() && sinceExitCommand.elapsed() < 5000)
            QTest::qSleep(1);
        const qint64 releasedAfter = sinceExitCommand.elapsed();
        const int status = finishServingWindows(play, 5000);
        const qint64 endedAfter = sinceExitCommand.elapsed();
        pressExitCommand(server.display(), false);
        QCOMPARE(status, 4);
        QVERIFY2(releasedAfter <= 200, qPrintable(QString::number(releasedAfter)));
        // The search ends within 0.2 s too; the bound leaves room for the
        // process to exit on a busy machine.
        QVERIFY2(endedAfter < 1000, qPrintable(QString::number(endedAfter)));
        QVERIFY(server.keysDown().empty());
    }
};

QTEST_MAIN(PlayScreenTest)
#include "tst_playscreen.moc"
