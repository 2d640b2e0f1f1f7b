#pragma once

#include <QDialog>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

class QLabel;
class QMessageBox;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTextEdit;

// A report dialog: one text field whose text is posted anonymously to the
// feedback form together with the product name and the kind of report.
// `ReportDialog` and `ReportDialog2` differ only in their texts.
class FeedbackDialog : public QDialog {
    Q_OBJECT

public:
    struct Texts {
        QString title;
        QString caption;
        QString kind;
    };

    // `endpoint` is where the form is posted; the program always passes the
    // built-in address.
    FeedbackDialog(const Texts& texts, const QUrl& endpoint, QWidget* parent);

    // A sending that gets no answer within this time fails, so the dialog
    // cannot stay locked behind its progress box. 30 s unless changed.
    void setReplyTimeout(int milliseconds) { reply_timeout = milliseconds; }

public slots:
    void send();
    void changeSentence();

private:
    void handleReply(QNetworkReply* reply, QNetworkAccessManager* manager,
                     const QPointer<QMessageBox>& progress);

    QLabel* caption;
    QTextEdit* text_edit;
    QPushButton* send_button;
    const QString kind;
    const QUrl endpoint;
    int reply_timeout = QNetworkRequest::DefaultTransferTimeoutConstant;
};
