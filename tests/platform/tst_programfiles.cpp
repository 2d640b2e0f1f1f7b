#include <QCheckBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "dialogs/licensedocuments.h"
#include "dialogs/termdialog.h"
#include "keys/rundialog.h"
#include "platform/programfiles.h"

// Started by through-symlink.sh: through a symbolic link to this program,
// from an empty working folder, as /usr/bin/kestrun starts the installed one.
class ProgramFilesTest : public QObject {
    Q_OBJECT

private slots:
    void startedThroughALinkFromElsewhere() {
        QVERIFY2(QFileInfo(QCoreApplication::arguments().constFirst()).isSymLink(),
                 "run this test through tests/support/through-symlink.sh");
        QVERIFY(!QFileInfo::exists(QStringLiteral("image")));
    }

    void imagesAndDocumentsAreFoundBesideTheProgram() {
        const QString programFolder = QCoreApplication::applicationDirPath();
        QCOMPARE(programFile(QStringLiteral("image/danger.png")),
                 programFolder + QStringLiteral("/image/danger.png"));

        RunDialog dialog(5, 1, QStringLiteral("83,3"), true, true);
        QVERIFY(
            !dialog.findChild<QCheckBox*>(QStringLiteral("noStopCommandCheck"))->icon().isNull());

        const QString path = licenseDocumentPath(LicenseDocument::Lgpl);
        QVERIFY2(path.startsWith(programFolder + QStringLiteral("/licenses/")), qPrintable(path));
        TermDialog viewer(path);
        QVERIFY(viewer.findChild<QPlainTextEdit*>()->toPlainText().contains(
            QStringLiteral("GNU LESSER GENERAL PUBLIC LICENSE")));
    }

    void theWorkingFolderIsTheFallback() {
        QTemporaryDir program, working;
        const QString name = QStringLiteral("licenses/a.txt");
        const QStringList folders{program.path(), working.path()};
        QCOMPARE(findProgramFile(name, folders), program.filePath(name));
        for (const QTemporaryDir* folder : {&working, &program}) {
            QVERIFY(QDir(folder->path()).mkpath(QStringLiteral("licenses")));
            QFile file(folder->filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(findProgramFile(name, folders), file.fileName());
        }
    }
};

QTEST_MAIN(ProgramFilesTest)
#include "tst_programfiles.moc"
