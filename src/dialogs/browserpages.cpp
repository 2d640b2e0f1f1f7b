#include "browserpages.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/feedbackaddresses.h"

namespace {

// Where no browser starts, the user can still reach the page by hand.
void showPageAddress(QWidget* parent, bool is_japanese, const QUrl& page) {
    const QString address = page.toString();
    const QString text =
        is_japanese ? QStringLiteral("ブラウザを起動できませんでした。\n"
                                     "次のアドレスをコピーして、ブラウザで開いてください。\n\n%1")
                    : QStringLiteral("No web browser could be started.\n"
                                     "Copy this address and open it in a browser.\n\n%1");
    QMessageBox box(QMessageBox::Warning,
                    is_japanese ? QStringLiteral("ブラウザなし") : QStringLiteral("No Browser"),
                    text.arg(address), QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton* copy = box.addButton(is_japanese ? QStringLiteral("アドレスをコピー")
                                                  : QStringLiteral("Copy Address"),
                                      QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() == copy)
        QGuiApplication::clipboard()->setText(address);
}

bool confirmAndOpen(QWidget* parent, bool is_japanese, const QUrl& page) {
    const QString title = is_japanese ? QStringLiteral("確認") : QStringLiteral("Question");
    const QString text = is_japanese
                             ? QStringLiteral("ブラウザを起動します。\n続行しますか？")
                             : QStringLiteral("Launching your browser.\nDo you want to continue?");
    const auto answer = QMessageBox::question(parent, title, text,
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    if (QDesktopServices::openUrl(page))
        return true;
    showPageAddress(parent, is_japanese, page);
    return false;
}

} // namespace

bool openFeedbackFormPage(QWidget* parent, bool is_japanese) {
    return confirmAndOpen(parent, is_japanese, feedbackFormPage());
}

bool openQuestionFormPage(QWidget* parent, bool is_japanese) {
    return confirmAndOpen(parent, is_japanese, questionFormPage());
}
