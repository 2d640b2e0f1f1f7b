#pragma once

#include <QUrl>

// Addresses of the hosted feedback forms. They are fixed when Kestrun is
// built (CMake settings KESTRUN_FEEDBACK_*); nothing changes them at run time.

// Where the report dialogs post their form.
QUrl feedbackResponseEndpoint();
// The public page of the same form, for reports that need a reply.
QUrl feedbackFormPage();
// The page of the form for questions about use.
QUrl questionFormPage();
