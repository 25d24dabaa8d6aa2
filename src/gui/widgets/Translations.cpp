#include "gui/widgets/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kestrova {

namespace {

// kestrova_de.qm, qtbase_de.qm: the locale's languages in the user's order,
// each also without its country.
void install(QCoreApplication& app, const QLocale& locale, const QString& name,
             const QString& directory) {
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), directory))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void installTranslations(QCoreApplication& app, const QLocale& locale) {
    // The build puts the program's translations among its resources.
    install(app, locale, QStringLiteral("kestrova"), QStringLiteral(":/i18n"));
    install(app, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace kestrova
