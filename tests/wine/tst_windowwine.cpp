#include <QtTest>

#include "platform/win32/windowsapi.h"

namespace {

struct TopWindow {
    HWND handle = nullptr;
    QString title;
    QSize clientSize;
};

// The visible top-level windows of a process, as Windows lists them.
QList<TopWindow> windowsOf(qint64 processId) {
    struct Search {
        DWORD process;
        QList<TopWindow> found;
    } search{static_cast<DWORD>(processId), {}};
    EnumWindows(
        [](HWND handle, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(handle, &process);
            if (process != search->process || !IsWindowVisible(handle))
                return TRUE;
            wchar_t title[256] = L"";
            GetWindowTextW(handle, title, 256);
            RECT client{};
            GetClientRect(handle, &client);
            search->found.append({handle, QString::fromWCharArray(title),
                                  QSize(client.right - client.left, client.bottom - client.top)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The window with that title, or a null handle when none came in time.
TopWindow waitForWindow(qint64 processId, const QString& title) {
    TopWindow match;
    (void)QTest::qWaitFor(
        [&] {
            for (const TopWindow& window : windowsOf(processId))
                if (window.title == title)
                    match = window;
            return match.handle != nullptr;
        },
        20000);
    return match;
}

} // namespace

// kestrun.exe as a Windows user starts it: the first-start welcome over
// where the window will be, then the fixed 630 x 585 window, scaled with the
// display, which closes cleanly.
class WindowWineTest : public QObject {
    Q_OBJECT

private slots:
    void startsShowsItsWindowAndCloses() {
        // A first start: no settings in the configuration folder or beside
        // the program.
        const QString programFolder = QCoreApplication::applicationDirPath();
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QStringLiteral("/kestrun/kestrun_free.json"));
        QFile::remove(programFolder + QStringLiteral("/kestrun_free.json"));
        QProcess kestrun;
        kestrun.setWorkingDirectory(programFolder);
        kestrun.start(programFolder + QStringLiteral("/kestrun.exe"));
        QVERIFY(kestrun.waitForStarted());

        const TopWindow welcome =
            waitForWindow(kestrun.processId(), QStringLiteral("はじめまして"));
        QVERIFY(welcome.handle);
        RECT welcomeFrame{};
        GetWindowRect(welcome.handle, &welcomeFrame);
        PostMessageW(welcome.handle, WM_CLOSE, 0, 0);

        const TopWindow main = waitForWindow(kestrun.processId(), QStringLiteral("Kestrun Free"));
        QVERIFY(main.handle);
        // 630 x 585 device-independent pixels on the session's 150 % display.
        QCOMPARE(GetDpiForSystem(), 144u);
        QCOMPARE(main.clientSize, QSize(945, 878));
        // The welcome stood over the middle of the window, less the title
        // bar's room Qt keeps above a box it centres.
        RECT mainFrame{};
        GetWindowRect(main.handle, &mainFrame);
        const int dx =
            (mainFrame.left + mainFrame.right - welcomeFrame.left - welcomeFrame.right) / 2;
        const int dy =
            (mainFrame.top + mainFrame.bottom - welcomeFrame.top - welcomeFrame.bottom) / 2;
        QVERIFY2(qAbs(dx) <= 30 && qAbs(dy) <= 90,
                 qPrintable(QStringLiteral("%1,%2").arg(dx).arg(dy)));

        PostMessageW(main.handle, WM_CLOSE, 0, 0);
        QVERIFY(kestrun.waitForFinished(10000));
        QCOMPARE(kestrun.exitStatus(), QProcess::NormalExit);
        QCOMPARE(kestrun.exitCode(), 0);
    }
};

QTEST_MAIN(WindowWineTest)
#include "tst_windowwine.moc"
