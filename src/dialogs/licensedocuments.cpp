#include "licensedocuments.h"

#include "dialogs/termdialog.h"
#include "platform/programfiles.h"

namespace {

QString documentFile(LicenseDocument document) {
    switch (document) {
    case LicenseDocument::License:
        return QStringLiteral("licenses/ソフトウェア使用許諾契約書.txt");
    case LicenseDocument::OssNotice:
        return QStringLiteral("licenses/オープンソースソフトウェアに関する告知.txt");
    case LicenseDocument::QtInfo:
        return QStringLiteral("licenses/Qtライブラリの差替え又は再インストールに関する情報.txt");
    case LicenseDocument::Lgpl:
        return QStringLiteral("licenses/LGPLv3のライセンス文章.txt");
    }
    return {};
}

} // namespace

QString licenseDocumentPath(LicenseDocument document) {
    return programFile(documentFile(document));
}

void showLicenseDocument(QWidget* parent, LicenseDocument document) {
    TermDialog dialog(licenseDocumentPath(document), parent);
    dialog.exec();
}
