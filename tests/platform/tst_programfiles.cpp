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
        QVERIFY(QDir(working.path()).mkpath(QStringLiteral("image")));
        QFile inWorking(working.filePath(QStringLiteral("image/a.png")));
        QVERIFY(inWorking.open(QIODevice::WriteOnly));
        inWorking.close();
        const QStringList folders{program.path(), working.path()};
        QCOMPARE(findProgramFile(QStringLiteral("image/a.png"), folders), inWorking.fileName());

        QVERIFY(QDir(program.path()).mkpath(QStringLiteral("image")));
        QFile inProgram(program.filePath(QStringLiteral("image/a.png")));
        QVERIFY(inProgram.open(QIODevice::WriteOnly));
        inProgram.close();
        QCOMPARE(findProgramFile(QStringLiteral("image/a.png"), folders), inProgram.fileName());

        QCOMPARE(findProgramFile(QStringLiteral("image/none.png"), folders),
                 program.filePath(QStringLiteral("image/none.png")));
    }
};

QTEST_MAIN(ProgramFilesTest)
#include "tst_programfiles.moc"
