#include <QtTest>

#include <QClipboard>
#include <QDesktopServices>

#include <optional>

#include "browserrecorder.h"
#include "dialogs/browserpages.h"
#include "dialogs/feedbackaddresses.h"
#include "modalhandler.h"

class TestBrowserPages : public QObject {
    Q_OBJECT

private slots:
    void init() { browser.emplace(); }
    void cleanup() { browser.reset(); }

    void addressesAreHttps() {
        for (const QUrl& url :
             {feedbackResponseEndpoint(), feedbackFormPage(), questionFormPage()}) {
            QVERIFY2(url.isValid() && url.scheme() == QStringLiteral("https") &&
                         !url.host().isEmpty(),
                     qPrintable(url.toString()));
        }
    }

    void confirmation_data() {
        QTest::addColumn<bool>("question");
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString ja = QStringLiteral("ブラウザを起動します。\n続行しますか？");
        const QString en = QStringLiteral("Launching your browser.\nDo you want to continue?");
        QTest::newRow("reply, Japanese") << false << true << "確認" << ja;
        QTest::newRow("reply, English") << false << false << "Question" << en;
        QTest::newRow("question, Japanese") << true << true << "確認" << ja;
        QTest::newRow("question, English") << true << false << "Question" << en;
    }
    void confirmation() {
        QFETCH(bool, question);
        QFETCH(bool, japanese);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const auto open = question ? openQuestionFormPage : openFeedbackFormPage;
        const QUrl page = question ? questionFormPage() : feedbackFormPage();

        {
            MessageBoxAnswerer answerer(QMessageBox::No);
            QVERIFY(!open(nullptr, japanese));
            QCOMPARE(answerer.seen.size(), 1);
            QCOMPARE(answerer.seen[0].title, title);
            QCOMPARE(answerer.seen[0].text, text);
            QCOMPARE(answerer.seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(answerer.seen[0].defaultButton, QMessageBox::No);
            QVERIFY(browser->opened.isEmpty());
        }
        {
            MessageBoxAnswerer answerer(QMessageBox::Yes);
            QVERIFY(open(nullptr, japanese));
            QCOMPARE(browser->opened, QList<QUrl>{page});
        }
        // A desktop without a browser takes the page and opens nothing.
        QObject noBrowser;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &noBrowser, "open");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No such method")));
        QString shown;
        ModalHandler copy([&shown](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                return yes->click();
            if (box->icon() == QMessageBox::Warning &&
                box->textInteractionFlags() & Qt::TextSelectableByMouse)
                shown = box->text();
            box->buttons().constLast()->click();
        });
        QVERIFY(!open(nullptr, japanese));
        QVERIFY(shown.endsWith(QStringLiteral("\n\n") + page.toString()));
        QCOMPARE(QGuiApplication::clipboard()->text(), page.toString());
    }

private:
    std::optional<BrowserRecorder> browser;
};

QTEST_MAIN(TestBrowserPages)
#include "tst_browserpages.moc"
