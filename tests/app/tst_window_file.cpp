#include <QtTest>

#include <QAction>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMimeData>
#include <QPushButton>

#include "modalanswerer.h"
#include "modalhandler.h"
#include "model/project.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

namespace {

void trigger(const kestrun& window, const char* name) {
    child<QAction>(window, name)->trigger();
}

// Makes the project differ from its saved state.
void edit(kestrun& window) {
    fixture::addCommandType(window, 1);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Drags `path` over the window and drops it there; false when the window
// refused the drag.
bool drop(kestrun& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint centre = window.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &dropped);
    return dropped.isAccepted();
}

const QByteArray twoPages = R"({"list_command": [["クリック", "左", 0.1], ["なし"]],
                                "list_condition": [["即時"], ["時間", "2"]], "extra": 1})";

} // namespace

// The File menu, the start-page Load button, the unsaved-change guard and the
// close of the window.
class TestWindowFile : public QObject {
    Q_OBJECT

    TestPlatform platform;
    QTemporaryDir folder;

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() { fixture::writeSettings(); }

    void loadProjectOpensAFileAndEntersTheEditor() {
        const QString path = fixture::writeFile(folder.path(), "demo.old.cmdat", twoPages);
        kestrun window;
        window.show();
        auto dialog = ModalAnswerer::fileDialog(path);
        child<QPushButton>(window, "load_project_button")->click();
        QVERIFY(dialog->answered());
        QCOMPARE(dialog->title, QStringLiteral("コマンドデータを読み込み"));
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("demo"));
        QCOMPARE(window.projectPath(), path);
        QCOMPARE(window.commands(), (PageList{{"クリック", "左", "0.1"}, {"なし"}}));
        QVERIFY(child<QWidget>(window, "run_button")->isVisible());
        QVERIFY(!child<QWidget>(window, "load_project_button")->isVisible());
        // Freshly opened counts as saved: New asks nothing.
        auto box = ModalAnswerer::messageBox(QMessageBox::No);
        trigger(window, "new_action");
        QVERIFY(!box->answered());
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("新規プロジェクト"));
        QCOMPARE(window.commands(), (PageList{{"なし"}}));
    }

    void cancellingLoadProjectStillEntersTheEditor() {
        kestrun window;
        window.show();
        auto dialog = ModalAnswerer::fileDialog(QString());
        child<QPushButton>(window, "load_project_button")->click();
        QVERIFY(dialog->answered());
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("新規プロジェクト"));
        QVERIFY(child<QWidget>(window, "run_button")->isVisible());
    }

    void theGuardAsksBeforeNewAndNoKeepsTheProject() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        edit(window);
        {
            auto box = ModalAnswerer::messageBox(QMessageBox::No);
            trigger(window, "new_action");
            QVERIFY(box->answered());
            QCOMPARE(box->title, QStringLiteral("最終確認"));
            QCOMPARE(box->text,
                     QStringLiteral("プロジェクトが保存されていません。\n新規作成しますか？"));
            QCOMPARE(box->defaultButton, QMessageBox::No);
            QCOMPARE(window.commands()[0][0], QStringLiteral("クリック"));
        }
        // Undoing the edit by hand makes the project saved again.
        fixture::addCommandType(window, 0);
        {
            auto none = ModalAnswerer::messageBox(QMessageBox::No);
            trigger(window, "new_action");
            QVERIFY(!none->answered());
        }

        edit(window);
        auto yes = ModalAnswerer::messageBox(QMessageBox::Yes);
        trigger(window, "new_action");
        QVERIFY(yes->answered());
        QCOMPARE(window.commands(), (PageList{{"なし"}}));
    }

    void theGuardAsksBeforeOpenInEnglish() {
        fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        edit(window);
        auto box = ModalAnswerer::messageBox(QMessageBox::No);
        trigger(window, "open_action");
        QVERIFY(box->answered());
        QCOMPARE(box->title, QStringLiteral("Warning"));
        QCOMPARE(
            box->text,
            QStringLiteral("The project has not been saved.\nDo you want to load a new project?"));
        QCOMPARE(window.commands()[0][0], QStringLiteral("クリック"));
    }

    void withoutTheQuestionAnUnsavedProjectIsDiscarded() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        trigger(window, "ask_save_action");
        QVERIFY(!window.currentSettings().is_message_file);
        edit(window);
        auto box = ModalAnswerer::messageBox(QMessageBox::No);
        trigger(window, "new_action");
        QVERIFY(!box->answered());
        QCOMPARE(window.commands(), (PageList{{"なし"}}));
    }

    void closingAnUnsavedProjectAsksAndNoWritesNothing() {
        fixture::removeSettings();
        auto welcome = ModalAnswerer::messageBox(QMessageBox::Ok);
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        edit(window);
        {
            auto box = ModalAnswerer::messageBox(QMessageBox::No);
            QVERIFY(!window.close());
            QVERIFY(box->answered());
            QCOMPARE(box->text,
                     QStringLiteral("プロジェクトが保存されていません。\n終了しますか？"));
            QVERIFY(window.isVisible());
            QVERIFY(!fixture::settingsExist());
            QCOMPARE(window.commands()[0][0], QStringLiteral("クリック"));
        }
        auto box = ModalAnswerer::messageBox(QMessageBox::Yes);
        QVERIFY(window.close());
        QVERIFY(fixture::settingsExist());
        QVERIFY(fixture::settingsText().contains("\"is_help\": true"));
    }

    void aFailedOpenKeepsPathTitleAndProject() {
        const QString saved = QDir(folder.path()).filePath("kept.cmdat");
        const QString broken = fixture::writeFile(folder.path(), "broken.cmdat", "{ not json");
        const QString array = fixture::writeFile(folder.path(), "array.cmdat", "[1, 2]");
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        edit(window);
        {
            auto dialog = ModalAnswerer::fileDialog(saved);
            trigger(window, "save_as_action");
            QVERIFY(dialog->answered());
        }
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("kept"));
        for (const QString& path : {broken, array}) {
            auto dialog = ModalAnswerer::fileDialog(path);
            auto error = ModalAnswerer::messageBox(QMessageBox::Ok);
            trigger(window, "open_action");
            QVERIFY(dialog->answered());
            QVERIFY(error->answered());
            QCOMPARE(error->title, QStringLiteral("読み込みエラー"));
            QCOMPARE(error->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(window.projectPath(), saved);
            QCOMPARE(fixture::shownTitle(window), QStringLiteral("kept"));
            QCOMPARE(window.commands()[0][0], QStringLiteral("クリック"));
        }
        // A following Save writes to the file that was open, not to the broken one.
        child<QDoubleSpinBox>(window, "command_time_spin")->setValue(2);
        trigger(window, "save_action");
        QCOMPARE(readAll(broken), QByteArray("{ not json"));
        QVERIFY(readAll(saved).contains("\"2\""));
    }

    void aTooLargeFileIsRefusedWithAnEnglishLineInEnglish() {
        fixture::writeSettings("\"is_japanese\": false");
        QFile huge(QDir(folder.path()).filePath("huge.cmdat"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(projectFileSizeLimit + 1));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        auto dialog = ModalAnswerer::fileDialog(huge.fileName());
        auto error = ModalAnswerer::messageBox(QMessageBox::Ok);
        trigger(window, "open_action");
        QVERIFY(error->answered());
        QCOMPARE(error->text, QStringLiteral("ファイルが大きすぎます。\nThe file is too large."));
        QCOMPARE(window.commands(), Project::blank().list_command);
    }

    void anUnevenProjectFileOpensAndCanBeBrowsed() {
        const QString path = fixture::writeFile(
            folder.path(), "uneven.cmdat",
            R"({"list_command": [["キー"], [], ["クリック"]], "list_condition": [["即時"]]})");
        const QString empty = fixture::writeFile(folder.path(), "empty.cmdat",
                                                 R"({"list_command": [], "list_condition": []})");
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        fixture::openProject(window, path);
        QCOMPARE(window.commands().size(), window.conditions().size());
        QVERIFY(window.commands().size() >= 1);
        for (int page = 1; page < window.commands().size(); ++page)
            child<QPushButton>(window, "next_button")->click();
        child<QPushButton>(window, "copy_button")->click();
        fixture::openProject(window, empty);
        QCOMPARE(window.commands().size(), 1);
        QCOMPARE(window.conditions().size(), 1);
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("empty"));
    }

    // A file from a newer Kestrun opens as it is, with one line per unknown page.
    void aPageOfAnUnknownTypeIsWarnedAboutOnce() {
        const QString path = fixture::writeFile(
            folder.path(), "newer.cmdat",
            R"({"list_command": [["なし"], ["未来", "1"]], "list_condition": [["即時"], ["即時"]]})");
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        QTest::ignoreMessage(QtWarningMsg, "Page 2: the operation type \"未来\" is unknown to "
                                           "this version of Kestrun; the file may come from a "
                                           "newer one.");
        QTest::failOnWarning(QRegularExpression(QStringLiteral("unknown to this version")));
        fixture::openProject(window, path);
        QCOMPARE(window.commands().at(1), (QStringList{"未来", "1"}));
    }

    void saveAsAddsTheExtensionAndSaveWritesWithoutADialog() {
        fixture::writeSettings(QStringLiteral("\"file_path\": \"%1\"").arg(folder.filePath("old")));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        edit(window);
        {
            // Save on an untitled project asks for a name; cancelling writes nothing.
            auto dialog = ModalAnswerer::fileDialog(QString());
            trigger(window, "save_action");
            QVERIFY(dialog->answered());
            // Beside the project remembered, under a name still to type.
            QCOMPARE(dialog->startFolder, folder.path());
            QCOMPARE(dialog->startName, QString());
            QCOMPARE(fixture::shownTitle(window), QStringLiteral("新規プロジェクト*"));
        }
        const QString plan = QDir(folder.path()).filePath("plan");
        {
            auto dialog = ModalAnswerer::fileDialog(plan);
            trigger(window, "save_action");
            QVERIFY(dialog->answered());
            QCOMPARE(dialog->title, QStringLiteral("名前を付けて保存"));
        }
        QCOMPARE(window.projectPath(), plan + ".cmdat");
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("plan"));
        QVERIFY(readAll(plan + ".cmdat").contains("クリック"));

        fixture::addCommandType(window, 2);
        auto dialog = ModalAnswerer::fileDialog(QString());
        trigger(window, "save_action");
        QVERIFY(!dialog->answered());
        QVERIFY(readAll(plan + ".cmdat").contains("マウスポインター"));
        // Saved: closing asks nothing and remembers the file.
        auto box = ModalAnswerer::messageBox(QMessageBox::No);
        QVERIFY(window.close());
        QVERIFY(!box->answered());
        QVERIFY(fixture::settingsText().contains(QFileInfo(plan).fileName().toUtf8() + ".cmdat"));
    }

    void saveAsAsksBeforeReplacingAndTakesTheNameOnlyOnceWritten() {
        const QByteArray old = "old";
        const QString asked = fixture::writeFile(folder.path(), "asked.cmdat", old);
        const QString json = fixture::writeFile(folder.path(), "asked.json.cmdat", old);
        // A folder where the file would go: replacing it is allowed, writing fails.
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("blocked.json.cmdat")));
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        edit(window);
        // Typed without the extension, and with another one: both names
        // would write an existing file, and both are asked about.
        for (const QString& written : {asked, json}) {
            auto no = ModalAnswerer::messageBox(QMessageBox::No);
            auto dialog = ModalAnswerer::fileDialog(written.chopped(6));
            trigger(window, "save_as_action");
            // Nothing remembered: a folder that exists, even without a desktop.
            QVERIFY(QFileInfo(dialog->startFolder).isDir() && dialog->startName.isEmpty());
            QVERIFY2(no->answered(), qPrintable(written));
            QVERIFY(no->text.contains(QFileInfo(written).fileName()));
            QCOMPARE(readAll(written), old);
        }
        {
            auto dialog = ModalAnswerer::fileDialog(QDir(folder.path()).filePath("blocked.json"));
            MessageBoxAnswerer replaceThenError(QMessageBox::Yes);
            trigger(window, "save_as_action");
            QCOMPARE(replaceThenError.seen.size(), 2);
            QCOMPARE(replaceThenError.seen[1].title, QStringLiteral("保存エラー"));
        }
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("新規プロジェクト*"));
        // Save still asks for a name instead of writing to the failed path.
        auto yes = ModalAnswerer::messageBox(QMessageBox::Yes);
        auto dialog = ModalAnswerer::fileDialog(asked.chopped(6));
        trigger(window, "save_action");
        QVERIFY(yes->answered());
        QVERIFY(readAll(asked).contains("クリック"));
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("asked"));
    }

    void theFileMenuAnswersItsShortcuts() {
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        edit(window);
        // Keys go to the active window, which a closed dialog leaves none.
        auto press = [&window](QKeyCombination keys) {
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
        };
        for (const QKeyCombination keys :
             {Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::SHIFT | Qt::Key_S}) {
            auto dialog = ModalAnswerer::fileDialog(QString());
            press(keys);
            QVERIFY(dialog->answered());
            QCOMPARE(dialog->title, QStringLiteral("名前を付けて保存"));
        }
        for (const Qt::Key key : {Qt::Key_N, Qt::Key_O, Qt::Key_Q}) {
            auto no = ModalAnswerer::messageBox(QMessageBox::No);
            press(Qt::CTRL | key);
            QVERIFY(no->answered());
            QCOMPARE(no->title, QStringLiteral("最終確認"));
        }
        QVERIFY(window.isVisible());
        auto yes = ModalAnswerer::messageBox(QMessageBox::Yes);
        press(Qt::CTRL | Qt::Key_Q);
        QVERIFY(yes->answered());
        QVERIFY(!window.isVisible());
        QVERIFY(fixture::settingsExist());
    }

    void aProjectNamedOnTheCommandLineOpensInTheEditor() {
        const QString path = fixture::writeFile(folder.path(), "given.cmdat", twoPages);
        kestrun window;
        window.show();
        window.openFile(path);
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("given"));
        QCOMPARE(window.commands().size(), 2);
        QVERIFY(child<QWidget>(window, "run_button")->isVisible());
    }

    void aDroppedProjectFileOpensAfterTheGuard() {
        const QString path = fixture::writeFile(folder.path(), "dropped.cmdat", twoPages);
        const QString other = fixture::writeFile(folder.path(), "dropped.txt", twoPages);
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        QVERIFY(!drop(window, other));
        edit(window);
        {
            auto no = ModalAnswerer::messageBox(QMessageBox::No);
            QVERIFY(drop(window, path));
            QTRY_VERIFY(no->answered());
            QCOMPARE(window.commands()[0][0], QStringLiteral("クリック"));
            QCOMPARE(window.commands().size(), 1);
        }
        auto yes = ModalAnswerer::messageBox(QMessageBox::Yes);
        QVERIFY(drop(window, path));
        QTRY_COMPARE(fixture::shownTitle(window), QStringLiteral("dropped"));
        QCOMPARE(window.commands().size(), 2);
        // A page lacking its text offers no File menu, and takes no drop.
        fixture::addCommandType(window, 5);
        QVERIFY(!drop(window, path));
    }

    // Handed over by another start while a run hides the window: the file
    // waits for the window, and the latest one handed over opens.
    void aFileFromAnotherStartWaitsForTheHiddenWindow() {
        const QString first = fixture::writeFile(folder.path(), "first.cmdat", twoPages);
        const QString latest = fixture::writeFile(folder.path(), "latest.cmdat", twoPages);
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        window.hide();
        window.receiveFromAnotherStart(first);
        window.receiveFromAnotherStart(latest);
        QTest::qWait(600);
        QCOMPARE(fixture::shownTitle(window), QStringLiteral("新規プロジェクト"));
        window.show();
        QTRY_COMPARE(fixture::shownTitle(window), QStringLiteral("latest"));
        QCOMPARE(window.commands().size(), 2);
    }
};

QTEST_MAIN(TestWindowFile)
#include "tst_window_file.moc"
