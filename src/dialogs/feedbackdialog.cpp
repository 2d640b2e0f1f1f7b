#include "feedbackdialog.h"

#include <QDebug>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QTextEdit>

#include "dialogs/reportform.h"

FeedbackDialog::FeedbackDialog(const Texts& texts, const QUrl& endpoint, QWidget* parent)
    : QDialog(parent), kind(texts.kind), endpoint(endpoint) {
    setWindowTitle(texts.title);
    resize(300, 320);

    caption = new QLabel(texts.caption, this);
    caption->setFixedSize(280, 24);
    caption->move(10, 0);
    caption->setStyleSheet(QStringLiteral("font-size: 24px;"));

    text_edit = new QTextEdit(this);
    text_edit->setFixedSize(280, 200);
    text_edit->move(10, 40);
    text_edit->setStyleSheet(QStringLiteral("font-size: 24px;"));
    connect(text_edit, &QTextEdit::textChanged, this, &FeedbackDialog::changeSentence);

    send_button = new QPushButton(QStringLiteral("送信"), this);
    send_button->setFixedSize(280, 60);
    send_button->move(10, 250);
    send_button->setStyleSheet(QStringLiteral("font-size:30px;"));
    send_button->hide();
    connect(send_button, &QPushButton::clicked, this, &FeedbackDialog::send);
}

void FeedbackDialog::changeSentence() {
    send_button->setVisible(!text_edit->toPlainText().trimmed().isEmpty());
}

void FeedbackDialog::send() {
    const QString text = text_edit->toPlainText().trimmed();
    if (text.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("確認"),
                             QStringLiteral("内容を入力してください。"), QMessageBox::Ok);
        return;
    }

    send_button->setEnabled(false);
    text_edit->setEnabled(false);

    // The box may be closed, and so deleted, before the reply arrives.
    QPointer<QMessageBox> progress = new QMessageBox(this);
    progress->setWindowTitle(QStringLiteral("送信中..."));
    progress->setText(QStringLiteral("しばらくお待ちください..."));
    progress->setStandardButtons(QMessageBox::NoButton);
    progress->setIcon(QMessageBox::Information);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setModal(true);
    progress->show();

    const QByteArray body = reportFormBody(text, kind);
    qDebug().noquote() << "Sending POST request to:" << endpoint.toString();
    qDebug().noquote() << "POST body:" << body;

    auto* manager = new QNetworkAccessManager(this);
    QNetworkRequest request(endpoint);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    // A redirect answer already means the form took the post; following it
    // could only turn a delivered report into a reported failure.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(reply_timeout);
    QNetworkReply* reply = manager->post(request, body);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, manager, progress] { handleReply(reply, manager, progress); });
}

void FeedbackDialog::handleReply(QNetworkReply* reply, QNetworkAccessManager* manager,
                                 const QPointer<QMessageBox>& progress) {
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorString = reply->errorString();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray response = reply->readAll();

    qDebug() << "HTTP status:" << status;
    qDebug().noquote() << "Network error:" << error << errorString;
    qDebug().noquote() << "Response body(head):" << response.left(500);

    reply->deleteLater();
    manager->deleteLater();

    send_button->setEnabled(true);
    text_edit->setEnabled(true);

    if (progress) {
        progress->hide();
        progress->deleteLater();
    }

    if (isReportDelivered(error, status)) {
        QMessageBox::information(
            this, QStringLiteral("送信完了"),
            QStringLiteral("レポートを送信しました。\nありがとうございました。"), QMessageBox::Ok);
        accept();
    } else {
        QMessageBox::critical(this, QStringLiteral("送信エラー"),
                              QStringLiteral("フォームの送信に失敗しました:\n%1").arg(errorString),
                              QMessageBox::Ok);
    }
}
