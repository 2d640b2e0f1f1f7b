#include <QAction>

#include "app/kestrun.h"
#include "dialogs/browserpages.h"
#include "dialogs/licensedocuments.h"
#include "dialogs/reportdialog.h"

void kestrun::reportBug() {
    ReportDialog dialog(this);
    dialog.exec();
}

void kestrun::reportImprovementSuggestion() {
    ReportDialog2 dialog(this);
    dialog.exec();
}

void kestrun::connectFeedbackAndDocuments() {
    connect(report_bug_action, &QAction::triggered, this, &kestrun::reportBug);
    connect(suggest_action, &QAction::triggered, this, &kestrun::reportImprovementSuggestion);
    connect(need_reply_action, &QAction::triggered, this,
            [this] { openFeedbackFormPage(this, settings.is_japanese); });
    connect(ask_how_action, &QAction::triggered, this,
            [this] { openQuestionFormPage(this, settings.is_japanese); });

    const std::pair<QAction*, LicenseDocument> documents[] = {
        {license_action, LicenseDocument::License},
        {oss_notice_action, LicenseDocument::OssNotice},
        {qt_info_action, LicenseDocument::QtInfo},
        {lgpl_action, LicenseDocument::Lgpl},
    };
    for (const auto& [action, document] : documents)
        connect(action, &QAction::triggered, this,
                [this, document] { showLicenseDocument(this, document); });
}
