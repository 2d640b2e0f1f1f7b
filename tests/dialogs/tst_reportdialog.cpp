#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTextEdit>
#include <QtTest>

#include "dialogs/reportdialog.h"
#include "loopbackformserver.h"
#include "modalhandler.h"

namespace {

QStringList logLines;

void recordLog(QtMsgType, const QMessageLogContext&, const QString& message) {
    logLines.append(message);
}

QTextEdit* textField(QDialog& dialog) {
    return dialog.findChild<QTextEdit*>();
}

QPushButton* sendButton(QDialog& dialog) {
    return dialog.findChild<QPushButton*>();
}

QMessageBox* progressBox(QDialog& dialog) {
    for (QMessageBox* box : dialog.findChildren<QMessageBox*>())
        if (box->windowTitle() == QStringLiteral("送信中..."))
            return box;
    return nullptr;
}

void typeAndSend(QDialog& dialog, const QString& text) {
    dialog.show();
    textField(dialog)->setPlainText(text);
    QTest::mouseClick(sendButton(dialog), Qt::LeftButton);
}

const QString failurePrefix = QStringLiteral("フォームの送信に失敗しました:\n");

} // namespace

class TestReportDialog : public QObject {
    Q_OBJECT

private slots:
    void init() {
        logLines.clear();
        qInstallMessageHandler(recordLog);
    }
    void cleanup() { qInstallMessageHandler(nullptr); }

    void texts_data() {
        QTest::addColumn<bool>("improvement");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("bug") << false << "バグ報告"
                             << "バグ:";
        QTest::newRow("improvement") << true << "改善案報告"
                                     << "改善案:";
    }
    void texts() {
        QFETCH(bool, improvement);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        std::unique_ptr<QDialog> dialog(improvement ? static_cast<QDialog*>(new ReportDialog2)
                                                    : new ReportDialog);
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(dialog->findChild<QLabel*>()->text(), caption);
        QCOMPARE(sendButton(*dialog)->text(), QStringLiteral("送信"));
    }

    void sendButtonShownOnlyForNonBlankText() {
        ReportDialog dialog;
        QVERIFY(sendButton(dialog)->isHidden());
        textField(dialog)->setPlainText(QStringLiteral("  \n\t \n "));
        QVERIFY(sendButton(dialog)->isHidden());
        textField(dialog)->setPlainText(QStringLiteral(" \nx\n"));
        QVERIFY(!sendButton(dialog)->isHidden());
        textField(dialog)->setPlainText(QStringLiteral("\n \n"));
        QVERIFY(sendButton(dialog)->isHidden());
    }

    void blankTextIsNotSent() {
        LoopbackFormServer server;
        ReportDialog dialog(nullptr, server.url());
        MessageBoxAnswerer answerer;
        textField(dialog)->setPlainText(QStringLiteral(" \n "));
        dialog.send();
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("確認"));
        QCOMPARE(answerer.seen[0].text, QStringLiteral("内容を入力してください。"));
        QCOMPARE(answerer.seen[0].icon, QMessageBox::Warning);
        QVERIFY(textField(dialog)->isEnabled());
        QTest::qWait(100);
        QVERIFY(server.requests.isEmpty());
    }

    void postsTheThreeFieldsEncoded_data() {
        QTest::addColumn<bool>("improvement");
        QTest::addColumn<QByteArray>("kind");
        QTest::newRow("bug") << false
                             << QByteArray("%E3%82%BD%E3%83%95%E3%83%88%E3%81%8B%E3%82%89%E3%81%AE"
                                           "%E3%83%90%E3%82%B0%E5%A0%B1%E5%91%8A");
        QTest::newRow("improvement") << true
                                     << QByteArray("%E3%82%BD%E3%83%95%E3%83%88%E3%81%8B%E3%82%89"
                                                   "%E3%81%AE%E6%94%B9%E5%96%84%E6%A1%88%E5%A0%B1"
                                                   "%E5%91%8A");
    }
    void postsTheThreeFieldsEncoded() {
        QFETCH(bool, improvement);
        QFETCH(QByteArray, kind);
        LoopbackFormServer server;
        std::unique_ptr<QDialog> dialog(
            improvement ? static_cast<QDialog*>(new ReportDialog2(nullptr, server.url()))
                        : new ReportDialog(nullptr, server.url()));
        MessageBoxAnswerer answerer;
        typeAndSend(*dialog, QStringLiteral("\n\n  不具合です\n1+1 & a=b 100%\n \n"));

        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 1, 10000);
        QCOMPARE(server.requests.size(), 1);
        const LoopbackFormServer::Request& request = server.requests[0];
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/form/response"));
        QCOMPARE(request.contentType, QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(request.body,
                 "entry.793209462=Kestrun&entry.1751682220=%E4%B8%8D%E5%85%B7%E5%90%88%E3%81%A7"
                 "%E3%81%99%0A1%2B1%20%26%20a%3Db%20100%25&entry.1326656262=" +
                     kind);

        QVERIFY(logLines.contains(
            QStringLiteral("Sending POST request to: %1").arg(server.url().toString())));
        QVERIFY(
            logLines.contains(QStringLiteral("POST body: ") + QString::fromLatin1(request.body)));
        QVERIFY(logLines.contains(QStringLiteral("HTTP status: 200")));
    }

    void deliveredStatusesCloseTheDialog_data() {
        QTest::addColumn<QByteArray>("statusLine");
        QTest::addColumn<QByteArray>("headers");
        QTest::newRow("200") << QByteArray("200 OK") << QByteArray();
        // Not followed: the target does not even listen.
        QTest::newRow("302") << QByteArray("302 Found")
                             << QByteArray("Location: http://127.0.0.1:9/elsewhere\r\n");
        QTest::newRow("399") << QByteArray("399 Whatever") << QByteArray();
    }
    void deliveredStatusesCloseTheDialog() {
        QFETCH(QByteArray, statusLine);
        QFETCH(QByteArray, headers);
        LoopbackFormServer server;
        server.setAnswer(statusLine, headers);
        ReportDialog dialog(nullptr, server.url());
        MessageBoxAnswerer answerer;
        typeAndSend(dialog, QStringLiteral("works"));

        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 1, 10000);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("送信完了"));
        QCOMPARE(answerer.seen[0].text,
                 QStringLiteral("レポートを送信しました。\nありがとうございました。"));
        QCOMPARE(answerer.seen[0].icon, QMessageBox::Information);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(server.requests.size(), 1);
    }

    void failuresKeepTheDialogOpen_data() {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QByteArray>("statusLine");
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("404") << false << QByteArray("404 Not Found") << "Not Found";
        QTest::newRow("500") << false << QByteArray("500 Internal Server Error")
                             << "Internal Server Error";
        QTest::newRow("refused") << true << QByteArray() << "refused";
    }
    void failuresKeepTheDialogOpen() {
        QFETCH(bool, refused);
        QFETCH(QByteArray, statusLine);
        QFETCH(QString, errorPart);
        LoopbackFormServer server;
        server.setAnswer(statusLine);
        QUrl endpoint = server.url();
        if (refused) {
            QTcpServer closed;
            closed.listen(QHostAddress::LocalHost);
            endpoint.setPort(closed.serverPort());
        }
        ReportDialog dialog(nullptr, endpoint);
        MessageBoxAnswerer answerer;
        typeAndSend(dialog, QStringLiteral("keep me"));

        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 1, 10000);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("送信エラー"));
        QCOMPARE(answerer.seen[0].icon, QMessageBox::Critical);
        QVERIFY2(answerer.seen[0].text.startsWith(failurePrefix),
                 qPrintable(answerer.seen[0].text));
        const QString error = answerer.seen[0].text.mid(failurePrefix.size());
        QVERIFY2(error.contains(errorPart, Qt::CaseInsensitive), qPrintable(error));

        QVERIFY(dialog.isVisible());
        QCOMPARE(textField(dialog)->toPlainText(), QStringLiteral("keep me"));
        QVERIFY(textField(dialog)->isEnabled());
        QVERIFY(sendButton(dialog)->isEnabled());
        QVERIFY(progressBox(dialog) == nullptr || !progressBox(dialog)->isVisible());
    }

    void unansweredSendingFails() {
        LoopbackFormServer server;
        server.setHolding(true);
        ReportDialog dialog(nullptr, server.url());
        dialog.setReplyTimeout(300);
        MessageBoxAnswerer answerer;
        typeAndSend(dialog, QStringLiteral("stalled"));

        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 1, 10000);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("送信エラー"));
        QVERIFY(answerer.seen[0].text.size() > failurePrefix.size());
        QVERIFY(textField(dialog)->isEnabled());
        QVERIFY(dialog.isVisible());
    }

    void progressBoxGoneWhileSending() {
        LoopbackFormServer server;
        server.setHolding(true);
        ReportDialog dialog(nullptr, server.url());
        MessageBoxAnswerer answerer;
        typeAndSend(dialog, QStringLiteral("slow"));

        QPointer<QMessageBox> progress = progressBox(dialog);
        QVERIFY(progress);
        QVERIFY(progress->isVisible());
        QVERIFY(progress->isModal());
        QCOMPARE(progress->text(), QStringLiteral("しばらくお待ちください..."));
        QVERIFY(progress->buttons().isEmpty());
        QVERIFY(!textField(dialog)->isEnabled());
        QVERIFY(!sendButton(dialog)->isEnabled());

        QTRY_COMPARE_WITH_TIMEOUT(server.requests.size(), 1, 10000);
        // A box without buttons ignores close requests, but it can still go
        // away under the dialog, e.g. when torn down with its window.
        progress->deleteLater();
        QTRY_VERIFY(progress.isNull());
        server.release();

        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 1, 10000);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("送信完了"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void dialogClosedWhileSending() {
        LoopbackFormServer server;
        server.setHolding(true);
        MessageBoxAnswerer answerer;
        {
            ReportDialog dialog(nullptr, server.url());
            typeAndSend(dialog, QStringLiteral("gone"));
            QTRY_COMPARE_WITH_TIMEOUT(server.requests.size(), 1, 10000);
            dialog.reject();
        }
        server.release();
        QTest::qWait(200);
        QVERIFY(answerer.seen.isEmpty());
        for (const QString& line : logLines)
            QVERIFY2(!line.startsWith(QStringLiteral("HTTP status:")), qPrintable(line));
    }

    void sendingAgainAfterAFailure() {
        LoopbackFormServer server;
        server.setAnswer("503 Service Unavailable");
        ReportDialog dialog(nullptr, server.url());
        MessageBoxAnswerer answerer;
        typeAndSend(dialog, QStringLiteral("twice"));
        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 1, 10000);

        server.setAnswer("200 OK");
        QTest::mouseClick(sendButton(dialog), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 2, 10000);
        QCOMPARE(answerer.seen[1].title, QStringLiteral("送信完了"));
        QCOMPARE(server.requests.size(), 2);
        QCOMPARE(server.requests[0].body, server.requests[1].body);
        // Each sending has its own manager, deleted with its reply.
        QTRY_COMPARE(dialog.findChildren<QNetworkAccessManager*>().size(), 0);
    }
};

QTEST_MAIN(TestReportDialog)
#include "tst_reportdialog.moc"
