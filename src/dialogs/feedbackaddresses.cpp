#include "feedbackaddresses.h"

QUrl feedbackResponseEndpoint() {
    return QUrl(QStringLiteral(KESTRUN_FEEDBACK_ENDPOINT));
}

QUrl feedbackFormPage() {
    return QUrl(QStringLiteral(KESTRUN_FEEDBACK_FORM_PAGE));
}

QUrl questionFormPage() {
    return QUrl(QStringLiteral(KESTRUN_QUESTION_FORM_PAGE));
}
