#include "browserpages.h"

#include <QDesktopServices>
#include <QMessageBox>

#include "dialogs/feedbackaddresses.h"

namespace {

bool confirmAndOpen(QWidget* parent, bool is_japanese, const QUrl& page) {
    const QString title = is_japanese ? QStringLiteral("確認") : QStringLiteral("Question");
    const QString text = is_japanese
                             ? QStringLiteral("ブラウザを起動します。\n続行しますか？")
                             : QStringLiteral("Launching your browser.\nDo you want to continue?");
    const auto answer = QMessageBox::question(parent, title, text,
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    QDesktopServices::openUrl(page);
    return true;
}

} // namespace

bool openFeedbackFormPage(QWidget* parent, bool is_japanese) {
    return confirmAndOpen(parent, is_japanese, feedbackFormPage());
}

bool openQuestionFormPage(QWidget* parent, bool is_japanese) {
    return confirmAndOpen(parent, is_japanese, questionFormPage());
}
