#include <QtTest>

#include "platform/nullplatform.h"
#include "testplatform.h"

class PlatformChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void nullPlatformRefusesEverything() {
        NullPlatform platform;
        QVERIFY(!platform.input().canSynthesize());
        auto hook = platform.createKeyboardHook();
        QVERIFY(!hook->install([](int, int, int) { return HookVerdict::PassOn; }));
        QVERIFY(!hook->isInstalled());
        QTest::ignoreMessage(QtWarningMsg, "RegisterHotKey failed.");
        QVERIFY(!platform.globalHotkey().registerHotkey());
    }

    void sessionWithoutXcbGetsNoDesktopAccess() {
        QCOMPARE(QGuiApplication::platformName(), QString("offscreen"));
        QVERIFY(dynamic_cast<NullPlatform*>(&Platform::instance()));
        QVERIFY(!Platform::instance().input().canSynthesize());
    }

    void testPlatformReplacesTheChosenOneForItsLifetime() {
        Platform* chosen = &Platform::instance();
        {
            TestPlatform test;
            QCOMPARE(&Platform::instance(), static_cast<Platform*>(&test));
            Platform::instance().input().setCursorPosition(3, 4);
            QCOMPARE(test.backend.cursorPosition(), QPoint(3, 4));
        }
        QCOMPARE(&Platform::instance(), chosen);
    }
};

QTEST_MAIN(PlatformChoiceTest)
#include "tst_platformchoice.moc"
