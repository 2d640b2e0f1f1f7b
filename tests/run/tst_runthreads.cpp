#include <QFile>
#include <QtTest>

#include "runharness.h"
#include "threadstartsfail.h"

using Kind = RecordingBackend::Kind;

namespace {

const PageList clickEveryFewMilliseconds{{keyword::Click, keyword::Left, QStringLiteral("0")}};
const PageList shortTime{{keyword::Time, QStringLiteral("0.002")}};

// Virtual memory of the process in kB; every thread's stack counts until the
// thread is joined.
long virtualMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').first().toLong();
    return -1;
}

std::atomic<int> skippedWarnings{0};
QtMessageHandler previousHandler = nullptr;

void countSkipWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("[Run] operation skipped")))
        ++skippedWarnings;
    else
        previousHandler(type, context, text);
}

} // namespace

// Operation threads over a long run: reaped as they finish, and a thread
// that cannot be started does not end the run.
class RunThreadsTest : public QObject {
    Q_OBJECT

private slots:
    void finishedOperationThreadsAreJoinedOnTheWay() {
        RunHarness h;
        h.setUp(0, Run::repeatUntilStopped, keyword::None, clickEveryFewMilliseconds, shortTime);
        h.run->start();
        QTest::qWait(100);
        const long before = virtualMemoryKb();
        QVERIFY(QTest::qWaitFor(
            [&] { return h.backend.events(Kind::MouseButton).size() >= 2 * 300; }, 10000));
        const long after = virtualMemoryKb();
        h.run->requestStop();
        QVERIFY(h.waitFinished());
        // 300 unjoined threads would hold about 2.4 GB of stacks.
        QVERIFY2(after - before < 256 * 1024,
                 qPrintable(QStringLiteral("grew by %1 kB").arg(after - before)));
    }

    void anOperationWithoutAThreadIsSkipped() {
        RunHarness h;
        h.setUp(0, Run::repeatUntilStopped, keyword::None, clickEveryFewMilliseconds, shortTime);
        h.run->start();
        QVERIFY(
            QTest::qWaitFor([&] { return !h.backend.events(Kind::MouseButton).empty(); }, 2000));

        previousHandler = qInstallMessageHandler(countSkipWarnings);
        size_t clicksWhileRefused = 0;
        {
            ThreadStartsFail refuse;
            QTest::qWait(30);
            const size_t before = h.backend.events(Kind::MouseButton).size();
            QTest::qWait(100);
            clicksWhileRefused = h.backend.events(Kind::MouseButton).size() - before;
        }
        const int warnings = skippedWarnings.load();
        const size_t afterRefusal = h.backend.events(Kind::MouseButton).size();
        QVERIFY(QTest::qWaitFor(
            [&] { return h.backend.events(Kind::MouseButton).size() > afterRefusal + 10; }, 2000));
        h.run->requestStop();
        QVERIFY(h.waitFinished());
        qInstallMessageHandler(previousHandler);

        QCOMPARE(clicksWhileRefused, 0u);
        QVERIFY(warnings > 5);
        QVERIFY(!h.backend.isKeyDown(vk::LButton));
    }

    void aRunWithoutAThreadEndsAsStopped() {
        RunHarness h;
        h.setUp(0, 1, keyword::None, clickEveryFewMilliseconds, shortTime);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^\\[Run\\] the run could not start"));
        {
            ThreadStartsFail refuse;
            h.run->start();
        }
        QVERIFY(h.waitFinished(1000));
        QVERIFY(h.run->wasStopped());
        QVERIFY(h.backend.events().empty());
        QCOMPARE(h.beeps, 1);
    }
};

QTEST_MAIN(RunThreadsTest)
#include "tst_runthreads.moc"
