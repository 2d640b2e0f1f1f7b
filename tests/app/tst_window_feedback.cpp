#include <QtTest>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>

#include "browserrecorder.h"
#include "dialogs/feedbackaddresses.h"
#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

// The Report and Other menus open their dialogs, owned by the main window.
class TestWindowFeedback : public QObject {
    Q_OBJECT

    TestPlatform platform;

    // Triggers `action` and closes the modal dialog it opens, returning its
    // window title and the texts of its labels.
    static QStringList openedDialog(QAction* action) {
        QStringList seen;
        ModalAnswerer closer([&seen](QWidget* widget) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (!dialog || qobject_cast<QMessageBox*>(widget))
                return false;
            seen << dialog->windowTitle();
            for (QLabel* label : dialog->findChildren<QLabel*>())
                seen << label->text();
            seen << (dialog->parentWidget() ? dialog->parentWidget()->objectName() : QString());
            dialog->reject();
            return true;
        });
        action->trigger();
        return seen;
    }

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() { fixture::writeSettings(); }

    void reportActionsOpenTheirDialogs() {
        kestrun window;
        window.setObjectName("main");
        fixture::enterEditor(window);
        const QStringList bug = openedDialog(child<QAction>(window, "report_bug_action"));
        QCOMPARE(bug.value(0), QStringLiteral("バグ報告"));
        QVERIFY(bug.contains(QStringLiteral("バグ:")));
        QCOMPARE(bug.last(), QStringLiteral("main"));
        const QStringList idea = openedDialog(child<QAction>(window, "suggest_action"));
        QCOMPARE(idea.value(0), QStringLiteral("改善案報告"));
    }

    void documentActionsOpenTheViewerOnTheirFile() {
        kestrun window;
        fixture::enterEditor(window);
        const std::pair<const char*, const char*> entries[] = {
            {"license_action", "ソフトウェア使用許諾契約書"},
            {"oss_notice_action", "オープンソースソフトウェアに関する告知"},
            {"qt_info_action", "Qtライブラリの差替え又は再インストールに関する情報"},
            {"lgpl_action", "LGPLv3のライセンス文章"},
        };
        for (const auto& [action, name] : entries) {
            const QStringList seen = openedDialog(child<QAction>(window, action));
            QCOMPARE(seen.value(0), QStringLiteral("Kestrun Free"));
            QVERIFY2(seen.contains(QString::fromUtf8(name)), action);
        }
    }

    void browserActionsAskInTheInterfaceLanguageAndOpenTheirPageOnlyOnYes() {
        fixture::writeSettings("\"is_japanese\": false");
        kestrun window;
        fixture::enterEditor(window);
        BrowserRecorder browser;
        const std::pair<const char*, QUrl> actions[] = {{"need_reply_action", feedbackFormPage()},
                                                        {"ask_how_action", questionFormPage()}};
        for (const auto& [action, page] : actions) {
            auto no = ModalAnswerer::messageBox(QMessageBox::No);
            child<QAction>(window, action)->trigger();
            QVERIFY(no->answered());
            QCOMPARE(no->title, QStringLiteral("Question"));
            QVERIFY(browser.opened.isEmpty());
            auto yes = ModalAnswerer::messageBox(QMessageBox::Yes);
            child<QAction>(window, action)->trigger();
            QVERIFY(yes->answered());
            QCOMPARE(browser.opened, QList<QUrl>{page});
            browser.opened.clear();
        }
    }
};

QTEST_MAIN(TestWindowFeedback)
#include "tst_window_feedback.moc"
