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

// Full path of the document: the program's folder, then "/licenses/<name>.txt".
QString licenseDocumentPath(LicenseDocument document);

// Opens the document in a modal viewer and returns when the user closes it.
void showLicenseDocument(QWidget* parent, LicenseDocument document);
