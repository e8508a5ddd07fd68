#include "qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QtTranslation::~QtTranslation()
{
    if (installed)
        QCoreApplication::removeTranslator(&russian);
}

void QtTranslation::useLanguage(Language language)
{
    const bool wanted = language == Language::russian;
    if (wanted == installed)
        return;
    if (!wanted) {
        QCoreApplication::removeTranslator(&russian);
        installed = false;
        return;
    }
    if (russian.isEmpty()
        && !russian.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    installed = QCoreApplication::installTranslator(&russian);
}
