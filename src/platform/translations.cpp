#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

void installCatalogue(QCoreApplication &app, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale::system(), name, QStringLiteral("_"), folder))
        app.installTranslator(translator);
    else
        delete translator;
}

} // namespace

QString TranslationsDir(const QString &programDir)
{
    return programDir + QStringLiteral("translations");
}

void InstallTranslations(QCoreApplication &app, const QString &programDir)
{
    installCatalogue(app, QStringLiteral("qtbase"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installCatalogue(app, QStringLiteral("brelvane"), TranslationsDir(programDir));
}
