#pragma once

#include <QString>

class QWidget;

// The documents of the Other menu, installed in "licenses" beside the program.
enum class LicenseDocument {
    License,
    OssNotice,
    QtInfo,
    Lgpl,
};

// Full path of "licenses/<name>.txt", beside the program or else in the
// working folder.
QString licenseDocumentPath(LicenseDocument document);

// Opens the document in a modal viewer and returns when the user closes it.
void showLicenseDocument(QWidget* parent, LicenseDocument document);
