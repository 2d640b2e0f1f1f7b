#include <QtTest>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/singleinstance.h"
#include "modalanswerer.h"
#include "windowfixture.h"

namespace {

constexpr int clickType = 1;

// Starts the window program as a file manager or a terminal would, in
// folders of its own so that, should it open a window, it could touch
// nothing of the user's.
class SecondStart {
public:
    SecondStart(const QString& runtimeFolder, const QString& workingFolder,
                const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.insert(QStringLiteral("HOME"), home.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingFolder);
        process.start(QStringLiteral(KESTRUN_WINDOW), arguments);
    }
    ~SecondStart() {
        process.kill();
        process.waitForFinished();
    }

    // The first instance answers from this process's event loop, so the
    // wait must keep it turning.
    bool endedWithStatusZero() {
        if (!QTest::qWaitFor([this] { return process.state() == QProcess::NotRunning; }, 10000))
            return false;
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

private:
    QTemporaryDir home;
    QProcess process;
};

} // namespace

// A second start of the window program on a real X display: the running
// window takes its file and comes forward, and no second window opens.
class TestSingleInstanceX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        fixture::useTestLocations();
        fixture::writeSettings();
    }

    void aSecondStartHandsItsFileToTheRunningWindow() {
        QTemporaryDir runtime;
        SingleInstance instance(runtime.path());
        QCOMPARE(instance.start(QString()), SingleInstance::Role::First);
        kestrun window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fixture::enterEditor(window);
        fixture::addCommandType(window, clickType);
        instance.setReceiver(
            [&window](const QString& path) { window.receiveFromAnotherStart(path); });
        // The user works in another window meanwhile.
        QWidget elsewhere;
        elsewhere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&elsewhere));
        elsewhere.activateWindow();
        QTRY_VERIFY(elsewhere.isActiveWindow());

        QTemporaryDir projects;
        const QString path =
            fixture::writeFile(projects.path(), QStringLiteral("demo.cmdat"),
                               R"({"list_command": [["マウスポインター", "10", "20"]],
                "list_condition": [["即時"]]})");
        auto question = ModalAnswerer::messageBox(QMessageBox::Yes);
        SecondStart second(runtime.path(), projects.path(), {QStringLiteral("demo.cmdat")});
        QVERIFY(second.endedWithStatusZero());
        QTRY_VERIFY(question->answered());
        QCOMPARE(question->text, QStringLiteral("プロジェクトが保存されていません。\n"
                                                "新しいプロジェクトを読み込みますか？"));
        QTRY_COMPARE(window.projectPath(), path);
        QCOMPARE(window.commands()[0], (QStringList{"マウスポインター", "10", "20"}));
        QTRY_VERIFY(window.isActiveWindow());
    }

    void aStartWithoutAFileOnlyBringsTheWindowForward() {
        QTemporaryDir runtime;
        QStringList handedOver;
        {
            SingleInstance instance(runtime.path());
            QCOMPARE(instance.start(QString()), SingleInstance::Role::First);
            instance.setReceiver([&handedOver](const QString& path) { handedOver << path; });
            SecondStart second(runtime.path(), runtime.path(), {});
            QVERIFY(second.endedWithStatusZero());
            QTRY_COMPARE(handedOver, QStringList{QString()});
        }
        // Once the first has gone, the next start is the first again.
        SingleInstance next(runtime.path());
        QCOMPARE(next.start(QString()), SingleInstance::Role::First);
    }

    // Without a runtime folder, and with Qt's own fallback open to all, the
    // lock and the socket go to a private folder of ours, not to relative
    // paths in the working folder and /tmp; one that is not private is not used.
    void withoutARuntimeFolderAPrivateOneIsMade() {
        QTemporaryDir temporary;
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray temporaryFolder = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        const QString open = temporary.filePath(
            QStringLiteral("runtime-") + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name));
        QVERIFY(QDir().mkpath(open) && ::chmod(QFile::encodeName(open), 0777) == 0);
        const QString folder = SingleInstance::defaultFolder();
        SingleInstance instance(folder);
        const SingleInstance::Role role = instance.start(QString());
        ::chmod(QFile::encodeName(folder), 0755);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Not using .* alone\\.$"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^No private folder"));
        const SingleInstance::Role unguarded =
            SingleInstance(SingleInstance::defaultFolder()).start({});
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", temporaryFolder);
        QCOMPARE(folder, temporary.filePath(QStringLiteral("kestrun-%1").arg(geteuid())));
        QCOMPARE(role, SingleInstance::Role::First);
        QCOMPARE(unguarded, SingleInstance::Role::Unguarded);
        QVERIFY(!QFileInfo::exists(QStringLiteral("kestrun.lock")));
    }

    // Process ids start again after a reboot: a killed window's lock may name
    // this very process, or another program now (under the recorded name).
    void aLockNamingAnotherProcessIsTakenOver_data() {
        QTest::addColumn<bool>("ownId");
        QTest::newRow("this process") << true;
        QTest::newRow("another program") << false;
    }
    void aLockNamingAnotherProcessIsTakenOver() {
        QFETCH(bool, ownId);
        QProcess other;
        other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(other.waitForStarted());
        const QString lock =
            ownId ? QStringLiteral("%1\n%2\n\n")
                        .arg(QCoreApplication::applicationPid())
                        .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
                  : QStringLiteral("%1\nsleep\n\n").arg(other.processId());
        QTemporaryDir runtime;
        fixture::writeFile(runtime.path(), QStringLiteral("kestrun.lock"), lock.toUtf8());
        SingleInstance instance(runtime.path());
        QCOMPARE(instance.start(QString(), 1000), SingleInstance::Role::First);
        other.kill();
        other.waitForFinished();
    }
};

QTEST_MAIN(TestSingleInstanceX11)
#include "tst_singleinstance_x11.moc"
