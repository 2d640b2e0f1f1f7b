#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "dialogs/licensedocuments.h"
#include "dialogs/termdialog.h"

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(content);
    return path;
}

QString shownName(TermDialog& dialog) {
    return dialog.findChild<QLabel*>()->text();
}

QPlainTextEdit* textView(TermDialog& dialog) {
    return dialog.findChild<QPlainTextEdit*>();
}

} // namespace

class TestTermDialog : public QObject {
    Q_OBJECT

private slots:
    void showsTheDocumentReadOnly() {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("LGPLv3のライセンス文章.txt"),
                                       "第1条\r\n本文です。\r\n\r\nEnd\r\n");
        TermDialog dialog(path);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Kestrun Free"));
        QCOMPARE(shownName(dialog), QStringLiteral("LGPLv3のライセンス文章"));
        QPlainTextEdit* view = textView(dialog);
        QCOMPARE(view->toPlainText(), QStringLiteral("第1条\n本文です。\n\nEnd\n"));
        QVERIFY(view->isReadOnly());
        QCOMPARE(view->cursorWidth(), 0);
    }

    void nameEndsAtTheFirstDot() {
        QTemporaryDir dir;
        TermDialog dialog(writeFile(dir, QStringLiteral("notes.v2.txt"), "x"));
        QCOMPARE(shownName(dialog), QStringLiteral("notes"));
    }

    void missingFileShowsAnEmptyViewer() {
        QTemporaryDir dir;
        TermDialog dialog(dir.filePath(QStringLiteral("licenses/ソフトウェア使用許諾契約書.txt")));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Kestrun Free"));
        QCOMPARE(shownName(dialog), QStringLiteral("ソフトウェア使用許諾契約書"));
        QVERIFY(textView(dialog)->toPlainText().isEmpty());
    }

    void documentPathsLieBesideTheProgram_data() {
        QTest::addColumn<LicenseDocument>("document");
        QTest::addColumn<QString>("file");
        QTest::newRow("license") << LicenseDocument::License << "ソフトウェア使用許諾契約書.txt";
        QTest::newRow("oss") << LicenseDocument::OssNotice
                             << "オープンソースソフトウェアに関する告知.txt";
        QTest::newRow("qt") << LicenseDocument::QtInfo
                            << "Qtライブラリの差替え又は再インストールに関する情報.txt";
        QTest::newRow("lgpl") << LicenseDocument::Lgpl << "LGPLv3のライセンス文章.txt";
    }
    void documentPathsLieBesideTheProgram() {
        QFETCH(LicenseDocument, document);
        QFETCH(QString, file);
        QCOMPARE(licenseDocumentPath(document),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/licenses/") + file);
    }

    void showingADocumentIsModal() {
        QWidget window;
        window.show();
        QString seenName;
        bool seenModal = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* viewer = qobject_cast<TermDialog*>(QApplication::activeModalWidget())) {
                seenName = shownName(*viewer);
                seenModal = viewer->isModal() && viewer->parentWidget() == &window;
                viewer->close();
            }
        });
        closer.start(20);
        // Should the viewer never become the active modal window, its exec()
        // is ended after a while so that the checks below fail instead of
        // waiting for good.
        QTimer rescue;
        rescue.setSingleShot(true);
        connect(&rescue, &QTimer::timeout, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(widget))
                    dialog->reject();
            }
        });
        rescue.start(5000);
        showLicenseDocument(&window, LicenseDocument::Lgpl);
        QCOMPARE(seenName, QStringLiteral("LGPLv3のライセンス文章"));
        QVERIFY(seenModal);
    }
};

QTEST_MAIN(TestTermDialog)
#include "tst_termdialog.moc"
