#pragma once

#include "dialogs/feedbackaddresses.h"
#include "dialogs/feedbackdialog.h"

// The bug report dialog.
class ReportDialog : public FeedbackDialog {
    Q_OBJECT

public:
    explicit ReportDialog(QWidget* parent = nullptr,
                          const QUrl& endpoint = feedbackResponseEndpoint());
};

// The improvement suggestion dialog.
class ReportDialog2 : public FeedbackDialog {
    Q_OBJECT

public:
    explicit ReportDialog2(QWidget* parent = nullptr,
                           const QUrl& endpoint = feedbackResponseEndpoint());
};
