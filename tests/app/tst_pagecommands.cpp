#include <QtTest>

#include "app/pagecommands.h"

namespace {

PageList threePages() {
    return {{QStringLiteral("クリック"), QStringLiteral("左"), QStringLiteral("0.01")},
            {QStringLiteral("キー"), QStringLiteral("65,2"), QStringLiteral("0.01")},
            {QStringLiteral("入力"), QStringLiteral("abc"), QStringLiteral("3")}};
}

PageList threeConditions() {
    return {{QStringLiteral("即時")},
            {QStringLiteral("時間"), QStringLiteral("2")},
            {QStringLiteral("即時")}};
}

} // namespace

class TestPageCommands : public QObject {
    Q_OBJECT

private slots:
    void pageBarPutsPlusRowsAroundTheCurrentPage() {
        const PageList pages = threePages();
        QCOMPARE(pageBarItems(pages, 2, true),
                 (QStringList{"1.クリック", "+", "2.キー", "+", "3.入力"}));
        QCOMPARE(pageBarItems(pages, 1, true).first(), QStringLiteral("+"));
        QCOMPARE(pageBarItems(pages, 3, true).last(), QStringLiteral("+"));
        QCOMPARE(pageBarItems(pages, 2, false),
                 (QStringList{"1.Click", "+", "2.key", "+", "3.Enter Text"}));
        QCOMPARE(pageBarItems({{QStringLiteral("謎")}}, 1, false), (QStringList{"+", "1.謎", "+"}));
    }

    void choosingAPlusRowInsertsAboveOrBelow() {
        // Page 2 of 3: rows are 1.…, +, 2.…, +, 3.…
        PageBarChoice above = choosePageBarRow(1, QStringLiteral("+"), 2);
        QVERIFY(above.insert);
        QCOMPARE(above.page, 2);
        PageBarChoice below = choosePageBarRow(3, QStringLiteral("+"), 2);
        QVERIFY(below.insert);
        QCOMPARE(below.page, 3);
        PageBarChoice jump = choosePageBarRow(4, QStringLiteral("3.入力"), 2);
        QVERIFY(!jump.insert);
        QCOMPARE(jump.page, 3);

        PageList commands = threePages();
        PageList conditions = threeConditions();
        insertBlankPage(commands, conditions, above.page);
        QCOMPARE(commands.size(), 4);
        QCOMPARE(conditions.size(), 4);
        QCOMPARE(commands[1], blankCommand());
        QCOMPARE(conditions[1], blankCondition());
        QCOMPARE(commands[2], threePages()[1]);
    }

    void nextOnTheLastPageAppendsABlankPage() {
        PageList commands = threePages();
        PageList conditions = threeConditions();
        QCOMPARE(nextPage(commands, conditions, 2), 3);
        QCOMPARE(commands.size(), 3);
        QCOMPARE(nextPage(commands, conditions, 3), 4);
        QCOMPARE(commands.size(), 4);
        QCOMPARE(conditions.size(), 4);
        QCOMPARE(commands[3], blankCommand());
        QCOMPARE(conditions[3], blankCondition());
    }

    void deletingShowsThePageBeforeOrTheNewFirst() {
        PageList commands = threePages();
        PageList conditions = threeConditions();
        QCOMPARE(deletePage(commands, conditions, 3), 2);
        QCOMPARE(commands.size(), 2);
        QCOMPARE(conditions.size(), 2);

        commands = threePages();
        conditions = threeConditions();
        QCOMPARE(deletePage(commands, conditions, 1), 1);
        QCOMPARE(commands[0], threePages()[1]);
        QCOMPARE(conditions[0], threeConditions()[1]);
    }

    void onlyTheTimedBlankPageSkipsThePasteQuestion() {
        const QStringList none{QStringLiteral("なし")};
        QVERIFY(countsAsBlankForPaste(none, {QStringLiteral("時間"), QStringLiteral("0.1")}));
        QVERIFY(!countsAsBlankForPaste(blankCommand(), blankCondition()));
        QVERIFY(!countsAsBlankForPaste({QStringLiteral("入力"), QString(), QStringLiteral("3")},
                                       {QStringLiteral("時間"), QStringLiteral("0.1")}));
        QVERIFY(!countsAsBlankForPaste(none, {QStringLiteral("時間"), QStringLiteral("0.10")}));
    }
};

QTEST_GUILESS_MAIN(TestPageCommands)
#include "tst_pagecommands.moc"
