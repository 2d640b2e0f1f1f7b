#include <QtTest>

#include "model/project.h"

namespace {

const QByteArray newProjectText = "{\n"
                                  "    \"list_command\": [\n"
                                  "        [\n"
                                  "            \"なし\"\n"
                                  "        ]\n"
                                  "    ],\n"
                                  "    \"list_condition\": [\n"
                                  "        [\n"
                                  "            \"終わるまで待つ\",\n"
                                  "            \"0.1\"\n"
                                  "        ]\n"
                                  "    ]\n"
                                  "}\n";

const QString formatError = QStringLiteral("ファイルの形式が正しくありません。");

} // namespace

class ProjectJsonTest : public QObject {
    Q_OBJECT

private slots:
    void newProjectIsTheThirteenLines() {
        QCOMPARE(projectToJson(Project::blank()), newProjectText);
    }

    void roundTripKeepsEveryToken() {
        Project project;
        project.list_command = {{"入力", "行1\n\"引用\" \\ タブ\t", "3"},
                                {"キー", "", "0.01"},
                                {"スムーズムーブ", "-5", "1080", "1.5"}};
        project.list_condition = {{"時刻", "23", "59"}, {"即時"}, {"キー", "83,3"}};
        const QByteArray text = projectToJson(project);
        QVERIFY(text.contains("\"入力\""));
        const ReadResult read = projectFromJson(text);
        QVERIFY(read.ok);
        QCOMPARE(read.project, project);
        QCOMPARE(projectToJson(read.project), text);
    }

    void refusedTexts_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("broken") << QByteArray("{\"list_command\": [") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("two values") << QByteArray("1 2") << QString();
        QTest::newRow("array root") << QByteArray("[[\"なし\"]]") << formatError;
        QTest::newRow("string root") << QByteArray("\"list_command\"") << formatError;
        QTest::newRow("number root") << QByteArray(" 42\n") << formatError;
        QTest::newRow("null root") << QByteArray("null") << formatError;
        QTest::newRow("other object") << QByteArray("{\"stert_time\": 5}") << formatError;
        QTest::newRow("lists not arrays")
            << QByteArray("{\"list_command\": {}, \"list_condition\": \"即時\"}") << formatError;
    }

    void refusedTexts() {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        if (error.isEmpty()) {
            QJsonParseError parseError;
            QJsonDocument::fromJson(text, &parseError);
            QVERIFY(parseError.error != QJsonParseError::NoError);
            error = QStringLiteral("JSON 解析エラー: ") + parseError.errorString();
        }
        const ReadResult read = projectFromJson(text);
        QVERIFY(!read.ok);
        QCOMPARE(read.error.title, QStringLiteral("読み込みエラー"));
        QCOMPARE(read.error.text, error);
    }

    void tokensAreConvertedToText() {
        const ReadResult read = projectFromJson(
            R"({"list_command": [["クリック", "左", 0.1], ["x", 5, 1e20, true, false, null, [], {}]],
                "list_condition": [["時間", 2.5], ["即時"]], "version": 3})");
        QVERIFY(read.ok);
        QCOMPARE(read.project.list_command,
                 (PageList{{"クリック", "左", "0.1"},
                           {"x", "5", "1e+20", "true", "false", "", "", ""}}));
        QCOMPARE(read.project.list_condition, (PageList{{"時間", "2.5"}, {"即時"}}));
        QVERIFY(!projectToJson(read.project).contains("version"));
    }

    void pagesThatAreNoArraysAreSkipped() {
        const ReadResult read = projectFromJson(
            R"({"list_command": ["なし", ["キー", "65,2", "1"], 7, null],
                "list_condition": [{"a": 1}, ["即時"]]})");
        QVERIFY(read.ok);
        QCOMPARE(read.project.list_command, (PageList{{"キー", "65,2", "1"}}));
        QCOMPARE(read.project.list_condition, (PageList{{"即時"}}));
    }

    void acceptedFilesAreCompleted_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<PageList>("commands");
        QTest::addColumn<PageList>("conditions");
        QTest::newRow("conditions missing")
            << QByteArray(R"({"list_command": [["入力", "a", "3"], ["なし"]]})")
            << PageList{{"入力", "a", "3"}, {"なし"}} << PageList{{"即時"}, {"即時"}};
        QTest::newRow("operations not an array")
            << QByteArray(R"({"list_command": 1, "list_condition": [["時間", "1"]]})")
            << PageList{{"なし"}} << PageList{{"時間", "1"}};
        QTest::newRow("shorter conditions")
            << QByteArray(R"({"list_command": [["なし"], ["なし"], ["なし"]],
                              "list_condition": [["時間", "1"]]})")
            << PageList{{"なし"}, {"なし"}, {"なし"}}
            << PageList{{"時間", "1"}, {"即時"}, {"即時"}};
        QTest::newRow("empty pages")
            << QByteArray(R"({"list_command": [[], ["なし"]], "list_condition": [["即時"], []]})")
            << PageList{{"なし"}, {"なし"}} << PageList{{"即時"}, {"即時"}};
        QTest::newRow("no pages") << QByteArray(R"({"list_command": [], "list_condition": []})")
                                  << Project::blank().list_command
                                  << Project::blank().list_condition;
        QTest::newRow("only skipped pages")
            << QByteArray(R"({"list_condition": [1, "a"]})") << Project::blank().list_command
            << Project::blank().list_condition;
    }

    void acceptedFilesAreCompleted() {
        QFETCH(QByteArray, text);
        QFETCH(PageList, commands);
        QFETCH(PageList, conditions);
        const ReadResult read = projectFromJson(text);
        QVERIFY(read.ok);
        QCOMPARE(read.project.list_command, commands);
        QCOMPARE(read.project.list_condition, conditions);
    }

    void unsavedChangesFollowTheTokens() {
        const Project saved = Project::blank();
        Project edited = saved;
        edited.list_condition[0][1] = "0.2";
        QVERIFY(edited != saved);
        edited.list_condition[0][1] = "0.1";
        QVERIFY(edited == saved);
        edited.list_command.append(blankCommand());
        edited.list_condition.append(blankCondition());
        QVERIFY(edited != saved);
    }
};

QTEST_GUILESS_MAIN(ProjectJsonTest)
#include "tst_projectjson.moc"
