#include <QSystemTrayIcon>
#include <QtTest>

#include "runharness.h"

namespace {

const QStringList immediately{keyword::Immediately};
const QStringList waitLong{keyword::Time, QStringLiteral("30")};

void press(RecordingBackend& backend, std::initializer_list<int> keys, bool down) {
    for (int key : keys)
        backend.setKeyDown(key, down);
}

} // namespace

// The waits for input and for the clock, and the ways to stop a run.
class RunWaitsTest : public QObject {
    Q_OBJECT

private:
    // A run whose first page waits for `condition`, then marks the pointer.
    void startWaitingFor(RunHarness& h, const QStringList& condition) {
        h.setUp(0, 1, keyword::None, {{keyword::None}, pointerAt(9, 9)}, {condition, immediately});
        h.run->start();
        QTest::qWait(50); // let the wait begin before keys go down
    }

    bool wentOn(RunHarness& h, int withinMs = 300) {
        return QTest::qWaitFor([&] { return !h.pointerMarks().empty(); }, withinMs);
    }

private slots:
    void keyConditionNeedsExactlyItsModifiers() {
        RunHarness h;
        startWaitingFor(h, {keyword::Key, QStringLiteral("65,2")});
        press(h.backend, {vk::LControl, vk::LShift, 65}, true);
        QVERIFY(!wentOn(h, 250));
        press(h.backend, {vk::LShift}, false);
        QVERIFY(!wentOn(h, 150)); // pressed now, but A is still down
        press(h.backend, {65}, false);
        QVERIFY(wentOn(h));
        QVERIFY(h.waitFinished());
    }

    void keyConditionIgnoresAKeyAlreadyHeld() {
        RunHarness h;
        press(h.backend, {vk::Control, 65}, true);
        startWaitingFor(h, {keyword::Key, QStringLiteral("65,2")});
        press(h.backend, {65}, false);
        QVERIFY(!wentOn(h, 250));
        press(h.backend, {65}, true);
        QTest::qWait(100);
        press(h.backend, {65}, false);
        QVERIFY(wentOn(h));
        QVERIFY(h.waitFinished());
    }

    void keyConditionWithoutAKeyDoesNotWait() {
        for (const char* text : {"", "なし", "0,2", "x"}) {
            RunHarness h;
            startWaitingFor(h, {keyword::Key, QString::fromUtf8(text)});
            QVERIFY2(wentOn(h, 200), text);
        }
    }

    void clickConditionWaitsForItsButton() {
        RunHarness h;
        startWaitingFor(h, {keyword::Click, keyword::Right});
        h.backend.setKeyDown(vk::LButton, true);
        QVERIFY(!wentOn(h, 200));
        h.backend.setKeyDown(vk::RButton, true);
        QVERIFY(wentOn(h));
        QVERIFY(h.waitFinished());
    }

    void clockTimeOfNowGoesOnAtOnceAnotherWaitsUntilStopped() {
        if (QTime::currentTime().second() >= 58)
            QTest::qWait(2500);
        const QTime now = QTime::currentTime();
        {
            RunHarness h;
            startWaitingFor(h, {keyword::ClockTime, QString::number(now.hour()),
                                QString::number(now.minute())});
            QVERIFY(wentOn(h, 200));
        }
        const QTime later = now.addSecs(3 * 60);
        RunHarness h;
        startWaitingFor(h, {keyword::ClockTime, QString::number(later.hour()),
                            QString::number(later.minute())});
        QVERIFY(!wentOn(h, 200));
        const auto stoppedAt = Clock::now();
        h.run->requestStop();
        QVERIFY(h.waitFinished());
        QVERIFY(secondsBetween(stoppedAt, h.finishTime()) < 0.4);
    }

    void exitCommandStopsOnlyOnItsExactCombination() {
        RunHarness h;
        h.setUp(0, 1, QStringLiteral("83,3"), {{keyword::None}}, {waitLong});
        h.run->start();
        for (auto keys : {std::initializer_list<int>{vk::Control, vk::Menu, vk::Shift, 83},
                          {vk::Control, 83},
                          {vk::Menu, 83}}) {
            press(h.backend, keys, true);
            QTest::qWait(150);
            press(h.backend, keys, false);
            QVERIFY(!h.run->wasStopped());
        }
        QTest::ignoreMessage(QtDebugMsg, "[Run] stop command detected: vk= 83  mask= 3");
        const auto pressedAt = Clock::now();
        press(h.backend, {vk::RControl, vk::LMenu, 83}, true);
        QVERIFY(h.waitFinished());
        QVERIFY(secondsBetween(pressedAt, h.finishTime()) < 0.4);
        QVERIFY(h.run->wasStopped());
        QCOMPARE(h.beeps, 2);
    }

    void withoutAnExitCommandOnlyTheTrayIconStops() {
        RunHarness h;
        h.setUp(0, 1, keyword::None, {{keyword::None}}, {waitLong},
                QStringLiteral("新規プロジェクト"));
        auto* tray = h.run->findChild<QSystemTrayIcon*>();
        QVERIFY(tray);
        QCOMPARE(tray->toolTip(), QStringLiteral("「新規プロジェクト」を終了"));
        // The shipped picture, not the stock icon that stands in without it.
        const QImage shipped(QCoreApplication::applicationDirPath() +
                             QStringLiteral("/image/SystemTrayIcon.png"));
        QVERIFY(!shipped.isNull());
        QCOMPARE(tray->icon()
                     .pixmap(shipped.size())
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 shipped.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        h.run->start();
        press(h.backend, {vk::Control, vk::Menu, 83}, true);
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        emit tray->activated(QSystemTrayIcon::Context);
        QTest::qWait(150);
        QVERIFY(!h.run->wasStopped());
        emit tray->activated(QSystemTrayIcon::Trigger);
        QVERIFY(h.waitFinished());
        QVERIFY(h.run->wasStopped());
        QTRY_VERIFY(!h.run->findChild<QSystemTrayIcon*>());
    }
};

QTEST_MAIN(RunWaitsTest)
#include "tst_runwaits.moc"
