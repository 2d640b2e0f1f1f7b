#include <QtTest>

#include <thread>

#include "model/project.h"
#include "model/screenpages.h"

namespace {

QString pngToken(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    return screenpages::imageToken(image);
}

QByteArray projectText(const QStringList& command, const QStringList& condition) {
    return projectToJson({{blankCommand(), command}, {blankCondition(), condition}});
}

} // namespace

class ScreenPagesTest : public QObject {
    Q_OBJECT

private slots:
    void filesKeepEveryByte() {
        const QString png = pngToken(3, 2);
        const QByteArray text =
            projectText({"画像へ移動", png, "0.85", "-1920,0,400,300", "-4", "7"},
                        {"画像", png, "1", "", "消える"});
        const QByteArray withColor = projectText({"なし"}, {"色", "-5", "1079", "#a0B1c2", "12"});
        for (const QByteArray& file : {text, withColor}) {
            const ReadResult read = projectFromJson(file);
            QVERIFY2(read.ok, qPrintable(read.error.english));
            QCOMPARE(projectToJson(read.project), file);
        }
    }

    void tokensAreRead() {
        const QStringList move{"画像へ移動", pngToken(3, 2), "0.85", "-1920,0,400,300", "-4", "7"};
        const std::optional<screenpages::ImageSearch> search =
            screenpages::readImageSearch(move, nullptr);
        QVERIFY(search);
        QCOMPARE(search->image.size(), QSize(3, 2));
        QCOMPARE(search->image.pixel(2, 1), qRgb(10, 200, 30));
        QCOMPARE(search->similarity, 0.85);
        QCOMPARE(search->region, QRect(-1920, 0, 400, 300));
        QCOMPARE(search->offset, QPoint(-4, 7));
        QCOMPARE(screenpages::regionToken(search->region), move[3]);

        const std::optional<screenpages::ImageSearch> defaults =
            screenpages::readImageSearch({"画像", move[1]}, nullptr);
        QVERIFY(defaults);
        QCOMPARE(defaults->similarity, screenpages::defaultSimilarity);
        QVERIFY(defaults->region.isNull() && !defaults->untilGone);
        QVERIFY(
            screenpages::readImageSearch({"画像", move[1], "", "", "消える"}, nullptr)->untilGone);

        const std::optional<screenpages::ColorProbe> probe =
            screenpages::readColorProbe({"色", "-5", "1079", "#a0B1c2", "12"}, nullptr);
        QVERIFY(probe);
        QCOMPARE(probe->point, QPoint(-5, 1079));
        QCOMPARE(probe->color, qRgb(0xa0, 0xb1, 0xc2));
        QVERIFY(probe->matches(qRgb(0xa0 + 12, 0xb1 - 12, 0xc2)));
        QVERIFY(!probe->matches(qRgb(0xa0, 0xb1, 0xc2 + 13)));
    }

    // A run reads its pages on threads that end; under MinGW, per-thread state
    // left by the reading crashed such threads as they ended, now and then.
    void screenPagesAreReadOnThreadsThatEnd() {
        const QStringList colour{"色", "1", "2", "#123456"};
        const QStringList image{"画像", pngToken(5, 4)};
        // First on this thread, as loading the project does.
        QVERIFY(screenpages::readColorProbe(colour, nullptr));
        QVERIFY(screenpages::readImageSearch(image, nullptr));
        for (int i = 0; i < 300; ++i) {
            std::thread reader([&] {
                screenpages::readColorProbe(colour, nullptr);
                screenpages::readImageSearch(image, nullptr);
                QThread::currentThread();
            });
            reader.join();
        }
    }

    void badTokensAreRefusedNamingThePage_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("condition");
        QTest::addColumn<QString>("error");
        const QString png = pngToken(4, 4);
        const QStringList none{"なし"};
        const QStringList instantly{"即時"};
        QTest::newRow("not base64") << QStringList{"画像へ移動", "ab$d"} << instantly
                                    << "Page 2, operation \"画像へ移動\": The image (token 1) "
                                       "is not base64 text.";
        QTest::newRow("not a PNG") << none << QStringList{"画像", "R0lGODlh"}
                                   << "Page 2, condition \"画像\": The image (token 1) is not "
                                      "a PNG image.";
        QTest::newRow("damaged PNG")
            << none
            << QStringList{"画像", QString::fromLatin1(
                                       QByteArray::fromBase64(png.toLatin1()).left(40).toBase64())}
            << "Page 2, condition \"画像\": The image (token 1) is a damaged PNG image.";
        QTest::newRow("too large") << none << QStringList{"画像", pngToken(1025, 1)}
                                   << "Page 2, condition \"画像\": The image (token 1) is 1025 x "
                                      "1 pixels, larger than 1024 x 1024.";
        QTest::newRow("similarity low")
            << QStringList{"画像へ移動", png, "0.49"} << instantly
            << "Page 2, operation \"画像へ移動\": The similarity (token 2) \"0.49\" is not a "
               "number from 0.5 to 1.";
        QTest::newRow("similarity nan")
            << QStringList{"画像へ移動", "", "nan"} << instantly
            << "Page 2, operation \"画像へ移動\": The similarity (token 2) \"nan\" is not a "
               "number from 0.5 to 1.";
        QTest::newRow("region short")
            << none << QStringList{"画像", png, "0.9", "1,2,3"}
            << "Page 2, condition \"画像\": The region (token 3) \"1,2,3\" is neither empty nor "
               "x,y,w,h with a positive width and height.";
        QTest::newRow("region empty")
            << none << QStringList{"画像", png, "0.9", "1,2,0,3"}
            << "Page 2, condition \"画像\": The region (token 3) \"1,2,0,3\" is neither empty "
               "nor x,y,w,h with a positive width and height.";
        QTest::newRow("mode") << none << QStringList{"画像", png, "0.9", "", "出る"}
                              << "Page 2, condition \"画像\": The mode (token 4) \"出る\" is "
                                 "neither \"現れる\" nor \"消える\".";
        QTest::newRow("offset") << QStringList{"画像へ移動", png, "0.9", "", "0", "1.5"}
                                << instantly
                                << "Page 2, operation \"画像へ移動\": The DY (token 5) \"1.5\" "
                                   "is not a whole number.";
        QTest::newRow("colour") << none << QStringList{"色", "0", "0", "#12345g"}
                                << "Page 2, condition \"色\": The colour (token 3) \"#12345g\" "
                                   "is not #RRGGBB.";
        QTest::newRow("tolerance")
            << none << QStringList{"色", "0", "0", "#123456", "256"}
            << "Page 2, condition \"色\": The tolerance (token 4) \"256\" is not a whole number "
               "from 0 to 255.";
    }

    void badTokensAreRefusedNamingThePage() {
        QFETCH(QStringList, command);
        QFETCH(QStringList, condition);
        QFETCH(QString, error);
        const ReadResult read = projectFromJson(projectText(command, condition));
        QVERIFY(!read.ok);
        QCOMPARE(read.error.title, QStringLiteral("読み込みエラー"));
        QCOMPARE(read.error.english, error);
        QVERIFY(read.error.text.startsWith(QStringLiteral("2 ページ目の")));
    }

    void anImagePageWaitingForItsImageLoads() {
        const QStringList page = defaultCondition("画像", QTime());
        QCOMPARE(page, (QStringList{"画像", "", "0.9", "", "現れる"}));
        QVERIFY(projectFromJson(projectText({"なし"}, page)).ok);
        QString error;
        QString japanese;
        QVERIFY(!screenpages::readImageSearch(page, &error, &japanese));
        QCOMPARE(error, QStringLiteral("The image (token 1) is missing."));
        QCOMPARE(japanese, QStringLiteral("画像（トークン 1）がありません。"));
    }
};

QTEST_GUILESS_MAIN(ScreenPagesTest)
#include "tst_screenpages.moc"
