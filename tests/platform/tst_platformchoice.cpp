#include <QtTest>

#include "platform/nullplatform.h"
#include "platform/sessionchoice.h"
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

    // Environment: QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY, XDG_SESSION_TYPE.
    void theSessionDecidesWhereQtRuns_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<bool>("player");
        QTest::addColumn<SessionKind>("kind");
        QTest::addColumn<QString>("qpaPlatform");
        const bool window = false;
        const bool player = true;
        QTest::newRow("X11") << QStringList{"", "", ":0", "x11"} << window << SessionKind::X11
                             << "xcb;offscreen";
        QTest::newRow("Wayland with XWayland")
            << QStringList{"", "wayland-0", ":0", "wayland"} << window << SessionKind::XWayland
            << "xcb;offscreen";
        QTest::newRow("Wayland named by the session type")
            << QStringList{"", "", ":1", "wayland"} << window << SessionKind::XWayland
            << "xcb;offscreen";
        QTest::newRow("Wayland without XWayland")
            << QStringList{"", "wayland-0", "", "wayland"} << window << SessionKind::WaylandOnly
            << "wayland;offscreen";
        QTest::newRow("the user's choice stays")
            << QStringList{"wayland", "wayland-0", ":0", "wayland"} << window
            << SessionKind::XWayland << "";
        QTest::newRow("player with XWayland") << QStringList{"", "wayland-0", ":0", ""} << player
                                              << SessionKind::XWayland << "xcb;offscreen";
        QTest::newRow("player without XWayland") << QStringList{"", "wayland-0", "", ""} << player
                                                 << SessionKind::WaylandOnly << "offscreen";
        QTest::newRow("player without a display")
            << QStringList{"", "", "", ""} << player << SessionKind::NoDisplay << "offscreen";
    }
    void theSessionDecidesWhereQtRuns() {
        QFETCH(QStringList, environment);
        QFETCH(bool, player);
        QFETCH(SessionKind, kind);
        QFETCH(QString, qpaPlatform);
        const SessionEnvironment session{environment[0].toLatin1(), environment[1].toLatin1(),
                                         environment[2].toLatin1(), environment[3].toLatin1()};
        const SessionChoice choice =
            chooseSession(session, player ? SessionProgram::Player : SessionProgram::Window);
        QCOMPARE(choice.kind, kind);
        QCOMPARE(QString::fromLatin1(choice.qpaPlatform), qpaPlatform);
    }
};

QTEST_MAIN(PlatformChoiceTest)
#include "tst_platformchoice.moc"
