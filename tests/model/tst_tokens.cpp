#include <QtTest>

#include "model/tokens.h"

class TokensTest : public QObject {
    Q_OBJECT

private slots:
    void blankPage() {
        QCOMPARE(blankCommand(), QStringList{"なし"});
        QCOMPARE(blankCondition(), (QStringList{"終わるまで待つ", "0.1"}));
    }

    void defaultsOfEachType_data() {
        QTest::addColumn<bool>("condition");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << false << "なし" << QStringList{"なし"};
        QTest::newRow("click") << false << "クリック" << QStringList{"クリック", "左", "0.01"};
        QTest::newRow("pointer") << false << "マウスポインター"
                                 << QStringList{"マウスポインター", "0", "0"};
        QTest::newRow("smooth") << false << "スムーズムーブ"
                                << QStringList{"スムーズムーブ", "0", "0", "1"};
        QTest::newRow("key") << false << "キー" << QStringList{"キー", "", "0.01"};
        QTest::newRow("text") << false << "入力" << QStringList{"入力", "", "3"};
        QTest::newRow("window") << false << "ウィンドウ" << QStringList{"ウィンドウ", ""};
        QTest::newRow("unknown operation") << false << "Click" << QStringList{"なし"};
        QTest::newRow("wait") << true << "終わるまで待つ" << QStringList{"終わるまで待つ", "0.1"};
        QTest::newRow("immediately") << true << "即時" << QStringList{"即時"};
        QTest::newRow("time") << true << "時間" << QStringList{"時間", "0.1"};
        QTest::newRow("click condition") << true << "クリック" << QStringList{"クリック", "左"};
        QTest::newRow("key condition") << true << "キー" << QStringList{"キー", ""};
        QTest::newRow("clock") << true << "時刻" << QStringList{"時刻", "7", "5"};
        QTest::newRow("window condition") << true << "ウィンドウ" << QStringList{"ウィンドウ", ""};
        QTest::newRow("unknown condition") << true << "" << QStringList{"終わるまで待つ", "0.1"};
    }

    void defaultsOfEachType() {
        QFETCH(bool, condition);
        QFETCH(QString, type);
        QFETCH(QStringList, expected);
        const QStringList tokens =
            condition ? defaultCondition(type, QTime(7, 5, 59)) : defaultCommand(type);
        QCOMPARE(tokens, expected);
    }

    void secondsHaveSixSignificantDigits() {
        QCOMPARE(formatSeconds(0.01), QStringLiteral("0.01"));
        QCOMPARE(formatSeconds(1.5), QStringLiteral("1.5"));
        QCOMPARE(formatSeconds(1000), QStringLiteral("1000"));
        QCOMPARE(formatSeconds(0.1 + 0.2), QStringLiteral("0.3"));
        QCOMPARE(formatSeconds(1.23456789), QStringLiteral("1.23457"));
        QCOMPARE(formatSeconds(1234567), QStringLiteral("1.23457e+06"));
    }

    void readersUseTheCLocaleAndReadBadTextAsZero() {
        QLocale::setDefault(QLocale(QLocale::German));
        const QStringList tokens{"スムーズムーブ", "-12", "1.5", "1,5", "abc", "0x10", "2.7"};
        QCOMPARE(tokenInt(tokens, 1), -12);
        QCOMPARE(tokenDouble(tokens, 2), 1.5);
        QCOMPARE(tokenDouble(tokens, 3), 0.0);
        QCOMPARE(tokenInt(tokens, 4), 0);
        QCOMPARE(tokenInt(tokens, 5), 0);
        QCOMPARE(tokenInt(tokens, 6), 0);
        QCOMPARE(formatSeconds(2.5), QStringLiteral("2.5"));
        QLocale::setDefault(QLocale::c());
    }

    void missingTokensReadAsEmpty() {
        const QStringList tokens{"キー"};
        QCOMPARE(tokenAt(tokens, 0), QStringLiteral("キー"));
        QVERIFY(tokenAt(tokens, 1).isEmpty());
        QVERIFY(tokenAt(tokens, -1).isEmpty());
        QCOMPARE(tokenInt(tokens, 2), 0);
        QCOMPARE(tokenDouble(QStringList(), 0), 0.0);
    }

    void englishNamesMapToKeywords() {
        const QStringList commandEnglish{"None",        "Click", "Mouse Pointer",
                                         "Smooth Move", "Key",   "Enter Text"};
        const QStringList conditionEnglish{"Wait until over", "Time", "Immediately",
                                           "Click",           "Key",  "Clock Time"};
        const QStringList commandStored{"なし",           "クリック", "マウスポインター",
                                        "スムーズムーブ", "キー",     "入力"};
        const QStringList conditionStored{"終わるまで待つ", "時間", "即時",
                                          "クリック",       "キー", "時刻"};
        for (qsizetype i = 0; i < commandEnglish.size(); ++i) {
            QCOMPARE(commandKeywordForDisplay(commandEnglish.at(i), false), commandStored.at(i));
            QCOMPARE(commandKeywordForDisplay(commandStored.at(i), true), commandStored.at(i));
        }
        for (qsizetype i = 0; i < conditionEnglish.size(); ++i)
            QCOMPARE(conditionKeywordForDisplay(conditionEnglish.at(i), false),
                     conditionStored.at(i));
    }

    void unknownNamesStayAsTheyAre() {
        QCOMPARE(commandKeywordForDisplay("Jump", false), QStringLiteral("Jump"));
        QCOMPARE(conditionKeywordForDisplay("None", false), QStringLiteral("None"));
        // The English words are display texts only; in Japanese mode they are no keywords.
        QCOMPARE(commandKeywordForDisplay("Click", true), QStringLiteral("Click"));
    }

    void buttons() {
        QCOMPARE(buttonKeywordForDisplay("Right"), QStringLiteral("右"));
        QCOMPARE(buttonKeywordForDisplay("右"), QStringLiteral("右"));
        QCOMPARE(buttonKeywordForDisplay("Left"), QStringLiteral("左"));
        QCOMPARE(buttonKeywordForDisplay("right"), QStringLiteral("左"));
        QCOMPARE(buttonKeywordForDisplay(""), QStringLiteral("左"));
        QCOMPARE(buttonDisplayName("右", false), QStringLiteral("Right"));
        QCOMPARE(buttonDisplayName("中", false), QStringLiteral("Left"));
        QCOMPARE(buttonDisplayName("中", true), QStringLiteral("中"));
    }
};

QTEST_GUILESS_MAIN(TokensTest)
#include "tst_tokens.moc"
