#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "app/recorddialog.h"
#include "app/runindicator.h"
#include "app/systemtray.h"
#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

namespace {

using Kind = RecordedInput::Kind;

RecordedInput key(Kind kind, int virtualKey, qint64 ms) {
    return {kind, ms, virtualKey, {}, {}};
}

// Presses Start with no delay, or closes the dialog.
std::unique_ptr<ModalAnswerer> recordDialog(bool start) {
    return std::make_unique<ModalAnswerer>([=](QWidget* modal) {
        auto* dialog = qobject_cast<RecordDialog*>(modal);
        if (!dialog)
            return false;
        if (!start) {
            dialog->close();
            return true;
        }
        dialog->findChild<QSpinBox*>("delaySpin")->setValue(0);
        dialog->findChild<QPushButton*>("startButton")->click();
        return true;
    });
}

RunIndicator* indicator() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<RunIndicator*>(widget); found && found->isVisible())
            return found;
    return nullptr;
}

} // namespace

// Edit > Record: the window hides while the user's input is recorded, and
// the pages come in after the current one as one step of the history.
class TestWindowRecord : public QObject {
    Q_OBJECT

    TestPlatform platform;

private slots:
    void initTestCase() {
        fixture::useTestLocations();
        setSystemTrayAvailableForTesting(false);
        platform.windows.setWindows({{5, QStringLiteral("Mail")}});
        platform.windows.setActive(5);
    }
    void cleanupTestCase() { setSystemTrayAvailableForTesting(std::nullopt); }

    // Ended by the stop command or by the indicator's button; a dialog
    // closed instead records nothing.
    void recordedPagesComeAfterTheCurrentPageAsOneStep_data() {
        QTest::addColumn<QString>("ending");
        for (const char* ending : {"stop command", "indicator", "dialog closed"})
            QTest::addRow("%s", ending) << ending;
    }
    void recordedPagesComeAfterTheCurrentPageAsOneStep() {
        QFETCH(QString, ending);
        fixture::writeSettings();
        platform.recordingScript = {key(Kind::KeyDown, 116, 100), key(Kind::KeyUp, 116, 250)};
        if (ending == "stop command")
            platform.recordingScript.insert(platform.recordingScript.end(),
                                            {key(Kind::KeyDown, vk::LControl, 900),
                                             key(Kind::KeyDown, vk::LMenu, 910),
                                             key(Kind::KeyDown, 'S', 950)});
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::addCommandType(window, 1);
        child<QPushButton>(window, "next_button")->click();
        child<QPushButton>(window, "previous_button")->click();
        const PageList before = window.commands();

        auto dialog = recordDialog(ending != "dialog closed");
        child<QAction>(window, "record_action")->trigger();
        QVERIFY(dialog->answered());
        if (ending == "dialog closed") {
            QVERIFY(window.isVisible());
            QVERIFY(!indicator());
            QCOMPARE(window.commands(), before);
            return;
        }
        QVERIFY(!window.isVisible());
        QVERIFY(indicator());
        QVERIFY(indicator()
                    ->findChild<QLabel*>("statusLabel")
                    ->text()
                    .contains(QStringLiteral("記録中")));
        if (ending == "indicator") {
            QTest::qWait(200);
            indicator()->findChild<QPushButton*>("stopButton")->click();
        }
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!indicator());

        const PageList recorded{{keyword::Window, QStringLiteral("Mail")},
                                {keyword::Key, QStringLiteral("116,0"), QStringLiteral("0.15")}};
        QCOMPARE(window.commands(), PageList{before[0]} + recorded + PageList{before[1]});
        QCOMPARE(window.conditions().mid(1, 2),
                 (PageList{{keyword::Immediately}, {keyword::WaitUntilOver, QStringLiteral("0")}}));
        QCOMPARE(window.currentPage(), 2);
        child<QAction>(window, "undo_action")->trigger();
        QCOMPARE(window.commands(), before);
        child<QAction>(window, "redo_action")->trigger();
        QCOMPARE(window.commands().mid(1, 2), recorded);
    }
};

QTEST_MAIN(TestWindowRecord)
#include "tst_window_record.moc"
