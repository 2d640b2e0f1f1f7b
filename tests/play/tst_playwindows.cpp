#include <QtTest>

#include "platform/x11/x11ewmh.h"
#include "playprocess.h"
#include "xevwindow.h"

// kestrun-play under openbox, on real windows: a Window page activates one
// of two xev windows by part of its title, and what the next page types
// arrives there only.
class TestPlayWindows : public QObject {
    Q_OBJECT

    QProcess openbox;

private slots:
    void initTestCase() {
        openbox.start("openbox", {"--sm-disable"});
        QVERIFY2(openbox.waitForStarted(5000), "openbox is missing (scripts/deps.sh installs it)");
        QTRY_VERIFY_WITH_TIMEOUT(X11Ewmh({}).hasWindowManager(), 10000);
    }

    void cleanupTestCase() {
        openbox.terminate();
        openbox.waitForFinished(5000);
    }

    void activatesByTitleThenTypesThere() {
        XevWindow alpha(QRect(100, 100, 300, 200), "Kestrun alpha");
        XevWindow beta(QRect(600, 100, 300, 200), "Kestrun beta");
        QVERIFY(alpha.isReady() && beta.isReady());
        const QString window = keyword::Window;
        PlayProcess play;
        const QString project =
            play.writeProject({{window, "ALPHA"}, {keyword::EnterText, "hi", "0.05"}},
                              {{window, "alpha"}, {keyword::WaitUntilOver, "0"}});
        QCOMPARE(play.play({"--verbose", project}), 0);
        QVERIFY(play.standardOutput().contains(
            "activate the window whose title contains \"ALPHA\"; go on when the active "
            "window's title contains \"alpha\""));
        QVERIFY(alpha.waitFor("KeyRelease", 2));
        QCOMPARE(alpha.typedText(), "hi");
        QCOMPARE(beta.count("KeyPress"), 0);
    }
};

QTEST_GUILESS_MAIN(TestPlayWindows)
#include "tst_playwindows.moc"
