#include <QtTest>

#include "app/editorpanels.h"
#include "model/pagetypes.h"
#include "model/screenpages.h"
#include "play/pagedescription.h"
#include "run/runpagetypes.h"

namespace {

template <typename Panel, typename RunFace>
void checkFaces(std::span<const PageType> types, std::span<const Panel> panels,
                std::span<const RunFace> runs, QString (*describe)(const QStringList&)) {
    QCOMPARE(panels.size(), types.size());
    QCOMPARE(runs.size(), types.size());
    for (const PageType& type : types) {
        QVERIFY2(findByKeyword(panels, type.keyword), qPrintable(type.keyword));
        QVERIFY2(findByKeyword(runs, type.keyword), qPrintable(type.keyword));
        QVERIFY(!describe({type.keyword}).contains(QStringLiteral("unknown")));
    }
}

} // namespace

class PageDescriptionTest : public QObject {
    Q_OBJECT

private slots:
    // A type the project knows but a layer does not would be shown, run or
    // described as unknown, without a word.
    void everyTypeHasAFaceInEveryLayer() {
        checkFaces(operationTypes(), operationPanels(), runOperations(), describeCommand);
        checkFaces(conditionTypes(), conditionPanels(), runConditions(), describeCondition);
    }

    // One row per page type and one for an unknown keyword.
    void everyTypeIsDescribed_data() {
        QTest::addColumn<bool>("condition");
        QTest::addColumn<QStringList>("tokens");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << false << QStringList{"なし"} << "nothing";
        QTest::newRow("click") << false << QStringList{"クリック", "中", "0.50"}
                               << "click the right button for 0.5 s";
        QTest::newRow("pointer") << false << QStringList{"マウスポインター", "-3", "x"}
                                 << "put the pointer at (-3, 0)";
        QTest::newRow("smooth") << false << QStringList{"スムーズムーブ", "10", "20", "1"}
                                << "move the pointer to (10, 20) over 1 s";
        QTest::newRow("key") << false << QStringList{"キー", "", "0.01"}
                             << "press (no key) for 0.01 s";
        QTest::newRow("text") << false << QStringList{"入力", "a\"\n", "3"}
                              << "type \"a\\\"\\n\" over 3 s";
        QTest::newRow("window") << false << QStringList{"ウィンドウ", "Notes"}
                                << "activate the window whose title contains \"Notes\"";
        const QString image = screenpages::imageToken(QImage(16, 8, QImage::Format_RGB32));
        QTest::newRow("move to image")
            << false << QStringList{"画像へ移動", image, "0.95", "10,20,300,200", "5", "-3"}
            << "put the pointer at (5, -3) from the centre of the 16 x 8 image in (10, 20) "
               "300 x 200 (similarity 0.95) once found";
        QTest::newRow("unknown operation")
            << false << QStringList{"Click"} << "nothing (unknown operation \"Click\")";
        QTest::newRow("wait") << true << QStringList{"終わるまで待つ", "0.1"}
                              << "go on 0.1 s after every operation is over";
        QTest::newRow("immediately") << true << QStringList{"即時"} << "go on at once";
        QTest::newRow("time") << true << QStringList{"時間", "2"}
                              << "go on 2 s after the operation started";
        QTest::newRow("click condition")
            << true << QStringList{"クリック", "右"} << "go on when the right button is pressed";
        QTest::newRow("key condition")
            << true << QStringList{"キー"} << "go on when (no key) is pressed";
        QTest::newRow("clock") << true << QStringList{"時刻", "7", "5"} << "go on at 07:05";
        QTest::newRow("window condition")
            << true << QStringList{"ウィンドウ", "Save"}
            << "go on when the active window's title contains \"Save\"";
        QTest::newRow("image condition")
            << true << QStringList{"画像", image}
            << "go on when the 16 x 8 image on the whole desktop (similarity 0.9) is found";
        QTest::newRow("image gone")
            << true << QStringList{"画像", image, "1", "", "消える"}
            << "go on when the 16 x 8 image on the whole desktop (similarity 1) is gone";
        QTest::newRow("colour")
            << true << QStringList{"色", "-5", "7", "#00FF80", "16"}
            << "go on when the pixel at (-5, 7) is #00FF80 within 16 per channel";
        QTest::newRow("unknown condition")
            << true << QStringList{"謎"} << "go on at once (unknown condition \"謎\")";
    }

    void everyTypeIsDescribed() {
        QFETCH(bool, condition);
        QFETCH(QStringList, tokens);
        QFETCH(QString, expected);
        QCOMPARE(condition ? describeCondition(tokens) : describeCommand(tokens), expected);
    }
};

QTEST_GUILESS_MAIN(PageDescriptionTest)
#include "tst_pagedescription.moc"
