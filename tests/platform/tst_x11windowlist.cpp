#include <QProcess>
#include <QtTest>

#include <chrono>

#include "backgroundwindowwait.h"
#include "platform/x11/x11ewmh.h"
#include "platform/x11/x11inputbackend.h"
#include "platform/x11/x11windowlist.h"
#include "run/windowpages.h"
#include "x11testing.h"
#include "xevwindow.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The window list against real windows: xev clients on Xvfb, first without
// a window manager, then under openbox.
class TestX11WindowList : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void activatesByPartOfTitle_data();
    void activatesByPartOfTitle();
    void restoresMinimisedWindow();
    void conditionFollowsDesktop_data();
    void conditionFollowsDesktop();
    void ownActivationSatisfiesCondition();
    void stopEndsWaitForever();
    void namesWindowUnderPointer();

private:
    void startWindowManager();
    bool isActive(const XevWindow& window) {
        return windows.activeWindow().handle == window.id().toULong(nullptr, 16);
    }

    X11WindowList windows;
    X11InputBackend input;
    QProcess openbox;
};

void TestX11WindowList::initTestCase() {
    QVERIFY(windows.isAvailable());
    QVERIFY(input.canSynthesize());
}

void TestX11WindowList::cleanupTestCase() {
    openbox.terminate();
    openbox.waitForFinished(5000);
}

void TestX11WindowList::startWindowManager() {
    if (openbox.state() != QProcess::NotRunning)
        return;
    openbox.start("openbox", {"--sm-disable"});
    QVERIFY2(openbox.waitForStarted(5000), "openbox is missing (scripts/deps.sh installs it)");
    X11Ewmh ewmh({});
    QTRY_VERIFY_WITH_TIMEOUT(ewmh.hasWindowManager(), 10000);
}

void TestX11WindowList::activatesByPartOfTitle_data() {
    QTest::addColumn<bool>("managed");
    QTest::newRow("no window manager") << false;
    QTest::newRow("openbox") << true;
}

// The text typed after the activation arrives in the named window only.
void TestX11WindowList::activatesByPartOfTitle() {
    QFETCH(bool, managed);
    if (managed)
        startWindowManager();
    QCOMPARE(X11Ewmh({}).hasWindowManager(), managed);
    XevWindow alpha(QRect(100, 100, 300, 200), "Kestrun alpha");
    XevWindow beta(QRect(600, 100, 300, 200), "Kestrun beta");
    QVERIFY(alpha.isReady() && beta.isReady());
    QTRY_VERIFY(isActive(beta));

    StopSignal stop;
    QVERIFY(windowpages::activate(windows, stop, "ALPHA"));
    QVERIFY(isActive(alpha));
    typeText(input, "ok", 0us);
    QVERIFY(alpha.waitFor("KeyRelease", 2));
    QCOMPARE(alpha.typedText(), QString("ok"));
    QCOMPARE(beta.count("KeyPress"), 0);
}

void TestX11WindowList::restoresMinimisedWindow() {
    startWindowManager();
    XevWindow alpha(QRect(100, 100, 300, 200), "Kestrun alpha");
    XevWindow beta(QRect(600, 100, 300, 200), "Kestrun beta");
    runTool("xdotool", {"windowminimize", "--sync", alpha.id()});
    X11Ewmh ewmh({});
    const xcb_window_t handle = alpha.id().toULong(nullptr, 16);
    QTRY_VERIFY(ewmh.isMinimised(handle));

    StopSignal stop;
    QVERIFY(windowpages::activate(windows, stop, "alpha"));
    QVERIFY(isActive(alpha));
    QVERIFY(!ewmh.isMinimised(handle));
}

void TestX11WindowList::conditionFollowsDesktop_data() {
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QStringList>("command");
    QTest::newRow("activation") << "ALPHA" << QStringList{"windowactivate", "--sync", "%alpha"};
    QTest::newRow("title change") << "renamed"
                                  << QStringList{"set_window", "--name", "beta renamed", "%beta"};
}

// Event-driven: the wait ends within 50 ms of the change the tool made.
void TestX11WindowList::conditionFollowsDesktop() {
    QFETCH(QString, wanted);
    QFETCH(QStringList, command);
    startWindowManager();
    XevWindow alpha(QRect(100, 100, 300, 200), "Kestrun alpha");
    XevWindow beta(QRect(600, 100, 300, 200), "Kestrun beta");
    runTool("xdotool", {"windowactivate", "--sync", beta.id()});
    command.replaceInStrings("%alpha", alpha.id()).replaceInStrings("%beta", beta.id());

    BackgroundWindowWait wait(windows, wanted);
    QTest::qWait(300);
    QVERIFY(!wait.ended());
    runTool("xdotool", command);
    const Clock::time_point changed = Clock::now();
    QTRY_VERIFY_WITH_TIMEOUT(wait.ended(), 2000);
    QVERIFY2(wait.endedAfter(changed) < 50ms,
             qPrintable(QString::number((wait.endedAfter(changed) / 1us) / 1000.0) + " ms"));
}

void TestX11WindowList::ownActivationSatisfiesCondition() {
    startWindowManager();
    XevWindow alpha(QRect(100, 100, 300, 200), "Kestrun alpha");
    XevWindow beta(QRect(600, 100, 300, 200), "Kestrun beta");
    StopSignal stop;
    QVERIFY(windowpages::activate(windows, stop, "alpha"));
    const Clock::time_point before = Clock::now();
    QVERIFY(windowpages::waitUntilActive(windows, stop, "alpha"));
    QVERIFY(Clock::now() - before < 50ms);
}

void TestX11WindowList::stopEndsWaitForever() {
    startWindowManager();
    BackgroundWindowWait wait(windows, "no window has this title");
    QVERIFY(wait.timeToStop() < 200ms);
}

// Inside openbox's frame: the client's title, not the frame's.
void TestX11WindowList::namesWindowUnderPointer() {
    startWindowManager();
    XevWindow alpha(QRect(100, 100, 300, 200), "Kestrun alpha");
    XevWindow beta(QRect(600, 100, 300, 200), "Kestrun beta");
    input.setCursorPosition(750, 200);
    QTRY_COMPARE(windows.windowUnderPointer().title, QString("Kestrun beta"));
    input.setCursorPosition(250, 200);
    QTRY_COMPARE(windows.windowUnderPointer().title, QString("Kestrun alpha"));
}

QTEST_GUILESS_MAIN(TestX11WindowList)
#include "tst_x11windowlist.moc"
