#include <QtTest>

#include "app/writeback.h"

class TestWriteBack : public QObject {
    Q_OBJECT

private slots:
    void realsAreWrittenInTheShortestForm_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("token");
        QTest::newRow("one and a half") << 1.5 << "1.5";
        QTest::newRow("a thousand") << 1000.0 << "1000";
        QTest::newRow("a hundredth") << 0.01 << "0.01";
        QTest::newRow("half read as 0.50") << 0.50 << "0.5";
    }

    void realsAreWrittenInTheShortestForm() {
        QFETCH(double, seconds);
        QFETCH(QString, token);
        CommandFields fields;
        fields.time = seconds;
        fields.button = QStringLiteral("左");
        QCOMPARE(writeBackCommand({"クリック", "左", "0.01"}, fields, true),
                 (QStringList{"クリック", "左", token}));
        ConditionFields condition;
        condition.time = seconds;
        QCOMPARE(writeBackCondition({"時間", "0.1"}, condition, true),
                 (QStringList{"時間", token}));
    }

    void everyBoundFieldOfTheStoredTypeIsWritten() {
        CommandFields fields{2.5,
                             QStringLiteral("Right"),
                             -3,
                             4,
                             10,
                             20,
                             QStringLiteral("<b>hi</b>\nx"),
                             QStringLiteral("Editor")};
        QCOMPARE(writeBackCommand({"入力", "", "3"}, fields, false),
                 (QStringList{"入力", "<b>hi</b>\nx", "2.5"}));
        QCOMPARE(writeBackCommand({"マウスポインター", "0", "0"}, fields, false),
                 (QStringList{"マウスポインター", "-3", "4"}));
        QCOMPARE(writeBackCommand({"スムーズムーブ", "0", "0", "1"}, fields, false),
                 (QStringList{"スムーズムーブ", "10", "20", "2.5"}));
        // The key itself is written only by a capture.
        QCOMPARE(writeBackCommand({"キー", "65,2", "0.01"}, fields, false),
                 (QStringList{"キー", "65,2", "2.5"}));
        QCOMPARE(writeBackCommand({"ウィンドウ", ""}, fields, false),
                 (QStringList{"ウィンドウ", "Editor"}));
        QCOMPARE(writeBackCommand({"なし"}, fields, false), (QStringList{"なし"}));
        QCOMPARE(writeBackCommand({"謎", "x"}, fields, false), (QStringList{"謎", "x"}));

        ConditionFields condition{0.3, QStringLiteral("Right"), 23, 59, QStringLiteral("Save")};
        QCOMPARE(writeBackCondition({"ウィンドウ", "x"}, condition, false),
                 (QStringList{"ウィンドウ", "Save"}));
        QCOMPARE(writeBackCondition({"時刻", "1", "2"}, condition, false),
                 (QStringList{"時刻", "23", "59"}));
        QCOMPARE(writeBackCondition({"終わるまで待つ", "0.1"}, condition, false),
                 (QStringList{"終わるまで待つ", "0.3"}));
        QCOMPARE(writeBackCondition({"即時"}, condition, false), (QStringList{"即時"}));
        QCOMPARE(writeBackCondition({"キー", "83,3"}, condition, false),
                 (QStringList{"キー", "83,3"}));
    }

    void buttonsAreStoredInJapanese() {
        CommandFields fields;
        fields.time = 0.01;
        fields.button = QStringLiteral("Right");
        QCOMPARE(writeBackCommand({"クリック", "左", "0.01"}, fields, false)[1],
                 QStringLiteral("右"));
        fields.button = QStringLiteral("Left");
        QCOMPARE(writeBackCommand({"クリック", "右", "0.01"}, fields, false)[1],
                 QStringLiteral("左"));
        ConditionFields condition;
        condition.button = QStringLiteral("右");
        QCOMPARE(writeBackCondition({"クリック", "左"}, condition, true)[1], QStringLiteral("右"));
    }

    void shortTokenListsAreFilledUp() {
        CommandFields fields;
        fields.time = 1;
        fields.smoothX = 7;
        QCOMPARE(writeBackCommand({"スムーズムーブ"}, fields, true),
                 (QStringList{"スムーズムーブ", "7", "0", "1"}));
    }

    void aPageLacksInputUntilItsTextOrKeyIsThere() {
        const QStringList wait{"終わるまで待つ", "0.1"};
        QVERIFY(lacksInput({"入力", "", "3"}, wait));
        QVERIFY(!lacksInput({"入力", "a", "3"}, wait));
        QVERIFY(lacksInput({"キー", "", "0.01"}, wait));
        QVERIFY(lacksInput({"キー", "なし", "0.01"}, wait));
        QVERIFY(!lacksInput({"キー", "65,2", "0.01"}, wait));
        QVERIFY(lacksInput({"なし"}, {"キー", ""}));
        // The condition's decision stands over the operation's.
        QVERIFY(!lacksInput({"入力", "", "3"}, {"キー", "65,2"}));
        QVERIFY(lacksInput({"入力", "a", "3"}, {"キー", ""}));
        QVERIFY(!lacksInput({"クリック", "左", "0.01"}, wait));
        QVERIFY(lacksInput({"ウィンドウ", ""}, wait));
        QVERIFY(!lacksInput({"ウィンドウ", "a"}, wait));
        QVERIFY(lacksInput({"なし"}, {"ウィンドウ", ""}));
    }
};

QTEST_GUILESS_MAIN(TestWriteBack)
#include "tst_writeback.moc"
