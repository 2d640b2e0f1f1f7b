#include "reportdialog.h"

ReportDialog::ReportDialog(QWidget* parent, const QUrl& endpoint)
    : FeedbackDialog({QStringLiteral("バグ報告"), QStringLiteral("バグ:"),
                      QStringLiteral("ソフトからのバグ報告")},
                     endpoint, parent) {}

ReportDialog2::ReportDialog2(QWidget* parent, const QUrl& endpoint)
    : FeedbackDialog({QStringLiteral("改善案報告"), QStringLiteral("改善案:"),
                      QStringLiteral("ソフトからの改善案報告")},
                     endpoint, parent) {}
