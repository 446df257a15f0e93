#include "common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace
{

const char *const QtLanguageCodes[LanguageCount] = {"sk", nullptr, "hu"};

// Owned by the application, so that it goes with it.
QPointer<QTranslator> Installed;

} // namespace

bool ApplyQtTranslations(TLanguage language)
{
    if (Installed) {
        QCoreApplication::removeTranslator(Installed);
        delete Installed.data();
    }
    const char *code = ForLanguage(QtLanguageCodes, language);
    if (!code || !QCoreApplication::instance())
        return code == nullptr;
    auto translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_") + QString::fromLatin1(code),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    Installed = translator;
    return true;
}
