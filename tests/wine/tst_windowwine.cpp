#include <QtTest>

#include <QAbstractButton>
#include <QAction>

#include "app/kestrun.h"
#include "modalanswerer.h"
#include "platform/win32/windowsapi.h"
#include "windowfixture.h"

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

// kestrun.exe as a Windows user starts it, on a desktop that has a colour
// emoji font (the session installs one): the first-start welcome over where
// the window will be, then the fixed 630 x 585 window, scaled with the
// display, which closes cleanly; and again, as later starts.
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
        for (int start = 1; start <= 10; ++start) {
            QProcess kestrun;
            kestrun.setWorkingDirectory(programFolder);
            kestrun.start(programFolder + QStringLiteral("/kestrun.exe"));
            QVERIFY(kestrun.waitForStarted());

            RECT welcomeFrame{};
            if (start == 1) {
                const TopWindow welcome =
                    waitForWindow(kestrun.processId(), QStringLiteral("はじめまして"));
                QVERIFY(welcome.handle);
                GetWindowRect(welcome.handle, &welcomeFrame);
                PostMessageW(welcome.handle, WM_CLOSE, 0, 0);
            }
            const TopWindow main =
                waitForWindow(kestrun.processId(), QStringLiteral("Kestrun Free"));
            QVERIFY2(main.handle, qPrintable(QStringLiteral("start %1").arg(start)));
            // 630 x 585 device-independent pixels on the session's 150 % display.
            QCOMPARE(GetDpiForSystem(), 144u);
            QCOMPARE(main.clientSize, QSize(945, 878));
            if (start == 1) {
                // The welcome stood over the middle of the window, less the
                // title bar's room Qt keeps above a box it centres.
                RECT mainFrame{};
                GetWindowRect(main.handle, &mainFrame);
                const int dx =
                    (mainFrame.left + mainFrame.right - welcomeFrame.left - welcomeFrame.right) / 2;
                const int dy =
                    (mainFrame.top + mainFrame.bottom - welcomeFrame.top - welcomeFrame.bottom) / 2;
                QVERIFY2(qAbs(dx) <= 30 && qAbs(dy) <= 90,
                         qPrintable(QStringLiteral("%1,%2").arg(dx).arg(dy)));
            }

            PostMessageW(main.handle, WM_CLOSE, 0, 0);
            QVERIFY(kestrun.waitForFinished(10000));
            QCOMPARE(kestrun.exitStatus(), QProcess::NormalExit);
            QCOMPARE(kestrun.exitCode(), 0);
        }
    }

    // Process ids start again in a new Wine session or after a reboot: the
    // lock a killed window left may name the very process starting now.
    void aLockNamingTheStartingProcessIsTakenOver() {
        const QString programFolder = QCoreApplication::applicationDirPath();
        std::wstring command =
            QStringLiteral("\"%1/kestrun.exe\"").arg(programFolder).toStdWString();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        QVERIFY(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, programFolder.toStdWString().c_str(), &startup, &started));
        // As QLockFile writes it: id, program, computer.
        fixture::writeFile(qEnvironmentVariable("LOCALAPPDATA") + QStringLiteral("/kestrun"),
                           QStringLiteral("kestrun.lock"),
                           QStringLiteral("%1\nkestrun\n%2\n")
                               .arg(started.dwProcessId)
                               .arg(qEnvironmentVariable("COMPUTERNAME"))
                               .toUtf8());
        // It ends with the test, whatever it shows.
        const auto cleanup = qScopeGuard([&started] {
            TerminateProcess(started.hProcess, 1);
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
        });
        ResumeThread(started.hThread);
        // The window itself, not the box saying that Kestrun does not answer.
        const TopWindow main = waitForWindow(started.dwProcessId, QStringLiteral("Kestrun Free"));
        QCOMPARE(main.clientSize, QSize(945, 878));
    }

    // Qt's own buttons speak Japanese: its translations ship beside the
    // program, in translations\.
    void japaneseQuestionsHaveJapaneseButtons() {
        fixture::useTestLocations();
        fixture::writeSettings();
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 1);
        QStringList buttons;
        ModalAnswerer answerer([&buttons](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return false;
            buttons = {box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text()};
            box->button(QMessageBox::No)->click();
            return true;
        });
        fixture::child<QAction>(window, "new_action")->trigger();
        QTRY_VERIFY(answerer.answered());
        QCOMPARE(buttons.size(), 2);
        QVERIFY2(buttons[0].startsWith(QStringLiteral("はい")), qPrintable(buttons[0]));
        QVERIFY2(buttons[1].startsWith(QStringLiteral("いいえ")), qPrintable(buttons[1]));
    }
};

QTEST_MAIN(WindowWineTest)
#include "tst_windowwine.moc"
