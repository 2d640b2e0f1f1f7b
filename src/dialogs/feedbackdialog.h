#pragma once

#include <QDialog>
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
};
