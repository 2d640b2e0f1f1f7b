#include <QImage>
#include <QStringDecoder>
#include <QtTest>

#include "dialogs/licensedocuments.h"

// The documents and images the build places beside the programs.
class TestShippedFiles : public QObject {
    Q_OBJECT

private slots:
    void documentsAreUtf8Text_data() {
        QTest::addColumn<LicenseDocument>("document");
        QTest::addColumn<QString>("mustContain");
        QTest::newRow("license") << LicenseDocument::License << "Kestrun";
        QTest::newRow("oss") << LicenseDocument::OssNotice << "Qt";
        QTest::newRow("oss names OpenCV") << LicenseDocument::OssNotice << "OpenCV";
        QTest::newRow("qt") << LicenseDocument::QtInfo << "libQt6Core.so.6";
        QTest::newRow("lgpl") << LicenseDocument::Lgpl << "GNU LESSER GENERAL PUBLIC LICENSE";
    }
    void documentsAreUtf8Text() {
        QFETCH(LicenseDocument, document);
        QFETCH(QString, mustContain);
        QFile file(licenseDocumentPath(document));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY2(text.contains(mustContain), qPrintable(mustContain));
    }

    void lgplIsTheWholeLicence() {
        QFile file(licenseDocumentPath(LicenseDocument::Lgpl));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("Version 3, 29 June 2007"));
        QVERIFY(text.contains("6. Revised Versions of the GNU Lesser General Public License."));
    }

    void imagesAreSmallIcons_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("danger") << "danger.png";
        QTest::newRow("tray") << "SystemTrayIcon.png";
    }
    void imagesAreSmallIcons() {
        QFETCH(QString, name);
        const QImage image(QCoreApplication::applicationDirPath() + QStringLiteral("/image/") +
                           name);
        QVERIFY2(!image.isNull(), qPrintable(name));
        QCOMPARE(image.width(), image.height());
        QVERIFY(image.width() >= 16 && image.width() <= 64);
        QVERIFY(image.hasAlphaChannel());
    }
};

QTEST_MAIN(TestShippedFiles)
#include "tst_shippedfiles.moc"
