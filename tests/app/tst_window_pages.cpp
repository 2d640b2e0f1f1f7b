#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "modalanswerer.h"
#include "testplatform.h"
#include "windowfixture.h"

using fixture::child;

namespace {

void click(const kestrun& window, const char* name) {
    child<QPushButton>(window, name)->click();
}

// Three pages, shown on page 2: Click, Mouse Pointer, Smooth Move.
void makeThreePages(kestrun& window) {
    fixture::enterEditor(window);
    fixture::addCommandType(window, 1);
    click(window, "next_button");
    fixture::addCommandType(window, 2);
    click(window, "next_button");
    fixture::addCommandType(window, 3);
    click(window, "previous_button");
}

QString pageLabel(const kestrun& window) {
    return child<QLabel>(window, "page_label")->text();
}

} // namespace

// The page bar, page navigation, insertion, deletion, copy and paste.
class TestWindowPages : public QObject {
    Q_OBJECT

    TestPlatform platform;

private slots:
    void initTestCase() { fixture::useTestLocations(); }
    void init() { fixture::writeSettings(); }

    void thePageBarListsPagesAroundTwoPlusRows() {
        kestrun window;
        window.show();
        makeThreePages(window);
        QCOMPARE(window.currentPage(), 2);
        QCOMPARE(pageLabel(window), QStringLiteral("2/3"));
        QCOMPARE(fixture::pageBarTexts(window),
                 (QStringList{"1.クリック", "+", "2.マウスポインター", "+", "3.スムーズムーブ"}));
        QCOMPARE(child<QListWidget>(window, "page_list")->currentRow(), 2);
        QVERIFY(child<QWidget>(window, "previous_button")->isVisible());
        QVERIFY(child<QWidget>(window, "delete_button")->isVisible());

        child<QListWidget>(window, "page_list")->setCurrentRow(0);
        QCOMPARE(window.currentPage(), 1);
        QCOMPARE(fixture::pageBarTexts(window).first(), QStringLiteral("+"));
        QVERIFY(!child<QWidget>(window, "previous_button")->isVisible());
    }

    void aPlusRowInsertsABlankPageAboveOrBelow() {
        kestrun window;
        window.show();
        makeThreePages(window);
        auto* bar = child<QListWidget>(window, "page_list");
        bar->setCurrentRow(1);
        QCOMPARE(window.currentPage(), 2);
        QCOMPARE(pageLabel(window), QStringLiteral("2/4"));
        QCOMPARE(window.commands()[1], QStringList{"なし"});
        QCOMPARE(window.conditions()[1], (QStringList{"終わるまで待つ", "0.1"}));
        QCOMPARE(window.commands()[2][0], QStringLiteral("マウスポインター"));

        bar->setCurrentRow(3);
        QCOMPARE(window.currentPage(), 3);
        QCOMPARE(pageLabel(window), QStringLiteral("3/5"));
        QCOMPARE(window.commands()[2], QStringList{"なし"});
        QCOMPARE(window.commands()[3][0], QStringLiteral("マウスポインター"));
        QCOMPARE(window.conditions().size(), 5);
    }

    void keysPassOverThePlusRowsThatOnlyAChoiceTakes() {
        kestrun window;
        window.show();
        makeThreePages(window);
        auto* bar = child<QListWidget>(window, "page_list");
        const std::pair<Qt::Key, int> moves[] = {
            {Qt::Key_Down, 3}, {Qt::Key_Down, 3}, {Qt::Key_PageDown, 3}, {Qt::Key_Up, 2},
            {Qt::Key_Home, 1}, {Qt::Key_Up, 1},   {Qt::Key_End, 3}};
        for (const auto& [key, page] : moves) {
            QTest::keyClick(bar, key);
            QCOMPARE(window.currentPage(), page);
            QCOMPARE(window.commands().size(), 3);
        }
        // Found by typing, a "+" waits for Enter or Space; a click takes it.
        QTest::keyClick(bar, '+');
        QCOMPARE(window.commands().size(), 3);
        QTest::keyClick(bar, Qt::Key_Space);
        QCOMPARE(pageLabel(window), QStringLiteral("4/4"));
        // A new search only once more than the interval has passed.
        QTest::qWait(QApplication::keyboardInputInterval() + 100);
        QTest::keyClick(bar, '+');
        QTest::keyClick(bar, Qt::Key_Return);
        QCOMPARE(pageLabel(window), QStringLiteral("5/5"));
        QTest::mouseClick(bar->viewport(), Qt::LeftButton, {},
                          bar->visualItemRect(bar->item(4)).center());
        QCOMPARE(pageLabel(window), QStringLiteral("5/6"));
        QCOMPARE(window.commands()[2][0], QStringLiteral("スムーズムーブ"));
    }

    void nextOnTheLastPageAppendsAPage() {
        kestrun window;
        window.show();
        makeThreePages(window);
        click(window, "next_button");
        click(window, "next_button");
        QCOMPARE(pageLabel(window), QStringLiteral("4/4"));
        QCOMPARE(window.commands().size(), 4);
        QCOMPARE(window.conditions()[3], (QStringList{"終わるまで待つ", "0.1"}));
    }

    void deletingAsksFirstAndNoKeepsThePage() {
        kestrun window;
        window.show();
        makeThreePages(window);
        {
            auto box = ModalAnswerer::messageBox(QMessageBox::No);
            click(window, "delete_button");
            QVERIFY(box->answered());
            QCOMPARE(box->title, QStringLiteral("最終確認"));
            QCOMPARE(box->text, QStringLiteral("2ページ目を削除しますか？"));
            QCOMPARE(box->icon, QMessageBox::Warning);
            QCOMPARE(box->defaultButton, QMessageBox::No);
            QCOMPARE(window.commands().size(), 3);
        }
        auto box = ModalAnswerer::messageBox(QMessageBox::Yes);
        click(window, "delete_button");
        QVERIFY(box->answered());
        QCOMPARE(window.commands().size(), 2);
        QCOMPARE(window.currentPage(), 1);
        QCOMPARE(window.commands()[1][0], QStringLiteral("スムーズムーブ"));
    }

    void deletingWithoutTheQuestion() {
        kestrun window;
        window.show();
        makeThreePages(window);
        child<QAction>(window, "ask_delete_action")->trigger();
        QVERIFY(!window.currentSettings().is_message_delete);
        QVERIFY(!fixture::settingsText().contains("is_message_delete"));
        child<QListWidget>(window, "page_list")->setCurrentRow(0);
        auto box = ModalAnswerer::messageBox(QMessageBox::No);
        click(window, "delete_button");
        QVERIFY(!box->answered());
        QCOMPARE(window.currentPage(), 1);
        QCOMPARE(pageLabel(window), QStringLiteral("1/2"));
        QCOMPARE(window.commands()[0][0], QStringLiteral("マウスポインター"));
        click(window, "delete_button");
        QCOMPARE(window.commands().size(), 1);
        QVERIFY(!child<QWidget>(window, "delete_button")->isVisible());
    }

    void copyAndPasteFollowTheBlankPageRule() {
        fixture::writeSettings(QStringLiteral("\"is_message_paste\": true"));
        kestrun window;
        window.show();
        makeThreePages(window);
        QVERIFY(!child<QWidget>(window, "paste_button")->isVisible());
        click(window, "copy_button");
        QVERIFY(child<QWidget>(window, "paste_button")->isVisible());

        // A freshly inserted page is not blank for pasting: the question comes.
        click(window, "next_button");
        click(window, "next_button");
        QVERIFY(child<QWidget>(window, "paste_button")->isVisible());
        {
            auto box = ModalAnswerer::messageBox(QMessageBox::No);
            click(window, "paste_button");
            QVERIFY(box->answered());
            QCOMPARE(box->text, QStringLiteral("4 ページ目を置き換えますか？"));
            QCOMPARE(box->defaultButton, QMessageBox::No);
            QCOMPARE(window.commands()[3], QStringList{"なし"});
        }
        {
            auto box = ModalAnswerer::messageBox(QMessageBox::Yes);
            click(window, "paste_button");
            QVERIFY(box->answered());
            QCOMPARE(window.commands()[3], (QStringList{"マウスポインター", "0", "0"}));
        }
        // A page holding nothing that waits 0.1 seconds is replaced unasked.
        click(window, "next_button");
        fixture::addConditionType(window, 1);
        auto box = ModalAnswerer::messageBox(QMessageBox::No);
        click(window, "paste_button");
        QVERIFY(!box->answered());
        QCOMPARE(window.commands()[4], (QStringList{"マウスポインター", "0", "0"}));
        QCOMPARE(window.conditions()[4], (QStringList{"終わるまで待つ", "0.1"}));
    }

    void theEnglishPageBarNamesTheKeyInLowerCase() {
        fixture::writeSettings(QStringLiteral("\"is_japanese\": false"));
        platform.hook = {};
        kestrun window;
        window.show();
        fixture::enterEditor(window);
        click(window, "next_button");
        fixture::addCommandType(window, 4);
        platform.hook.procedure(0, 256, 65);
        QTRY_COMPARE(fixture::pageBarTexts(window), (QStringList{"1.None", "+", "2.key", "+"}));
    }
};

QTEST_MAIN(TestWindowPages)
#include "tst_window_pages.moc"
