#include <QtTest>

#include <QAction>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTextEdit>

#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

// Undo and redo of the editor's changes to the project.
class TestWindowHistory : public QObject {
    Q_OBJECT

    TestPlatform platform;
    QTemporaryDir folder;

private slots:
    void initTestCase() { fixture::useTestLocations(); }

    void everyChangeIsOneStepBackAndForth() {
        fixture::writeSettings();
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        auto* undo = child<QAction>(window, "undo_action");
        auto* redo = child<QAction>(window, "redo_action");
        QVERIFY(!undo->isEnabled());

        fixture::addCommandType(window, 1);
        auto* time = child<QDoubleSpinBox>(window, "command_time_spin");
        time->setValue(1.5);
        time->setValue(2);
        // → appends a page; Enter Text typed letter by letter is one step.
        child<QPushButton>(window, "next_button")->click();
        fixture::addCommandType(window, 5);
        auto* text = child<QTextEdit>(window, "text_edit");
        text->insertPlainText(QStringLiteral("a"));
        text->insertPlainText(QStringLiteral("b"));
        // A key capture in progress is no step; the captured key is one.
        fixture::addConditionType(window, 4);
        QVERIFY(!undo->isEnabled());
        platform.hook.procedure(0, 256, 13);
        QTRY_COMPARE(window.conditions()[1], (QStringList{"キー", "13,0"}));

        const QList<PageList> steps{{{"なし"}},
                                    {{"クリック", "左", "0.01"}},
                                    {{"クリック", "左", "2"}},
                                    {{"クリック", "左", "2"}, {"なし"}},
                                    {{"クリック", "左", "2"}, {"入力", "", "3"}},
                                    {{"クリック", "左", "2"}, {"入力", "ab", "3"}}};
        for (qsizetype step = steps.size() - 1; step >= 0; --step) {
            undo->trigger();
            QCOMPARE(window.commands(), steps[step]);
        }
        QVERIFY(!undo->isEnabled());
        QCOMPARE(window.currentPage(), 1);
        for (int step = 0; step < 6; ++step)
            redo->trigger();
        QCOMPARE(window.conditions()[1], (QStringList{"キー", "13,0"}));
        QCOMPARE(window.currentPage(), 2);
        QVERIFY(!redo->isEnabled());

        // Ctrl+Z in a text field undoes the project, not only the field.
        fixture::addCommandType(window, 5);
        text->insertPlainText(QStringLiteral("c"));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.commands()[1], (QStringList{"入力", "", "3"}));
        QTest::keyClick(text, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(window.commands()[1], (QStringList{"入力", "c", "3"}));

        // Undoing past the save marks the project unsaved; New forgets all.
        {
            auto dialog = ModalAnswerer::fileDialog(QDir(folder.path()).filePath("undone"));
            child<QAction>(window, "save_action")->trigger();
        }
        undo->trigger();
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("undone*"));
        redo->trigger();
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("undone"));
        child<QAction>(window, "new_action")->trigger();
        QVERIFY(!undo->isEnabled());
    }
};

QTEST_MAIN(TestWindowHistory)
#include "tst_window_history.moc"
