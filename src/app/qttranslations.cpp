#include "app/qttranslations.h"

#include <memory>

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

std::unique_ptr<QTranslator>& installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// The texts of qtbase, which holds every part of Qt that Kestrun uses ("qt_ja"
// would also need Qt Multimedia's). Qt's own folder on Linux; a Windows
// installation carries its copy beside the program.
std::unique_ptr<QTranslator> loadJapanese() {
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QCoreApplication::applicationDirPath() + QStringLiteral("/translations")})
        if (translator->load(QStringLiteral("qtbase_ja"), folder))
            return translator;
    qDebug() << "Qt's Japanese translation was not found";
    return nullptr;
}

} // namespace

bool useQtTranslations(bool japanese) {
    std::unique_ptr<QTranslator>& translator = installed();
    if (!japanese) {
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
        translator.reset();
        return true;
    }
    if (!translator) {
        translator = loadJapanese();
        if (!translator)
            return false;
        QCoreApplication::installTranslator(translator.get());
    }
    return true;
}
