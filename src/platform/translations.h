#pragma once

#include <QString>

class QCoreApplication;

// Installs on app the catalogues of the user's language (LANGUAGE, LC_ALL,
// LC_MESSAGES or LANG, as QLocale::system() reads them): the program's own,
// brelvane_<language>.qm from the program directory's translations/ folder,
// and Qt's own for the texts of standard dialogs and buttons. English, the
// language of the texts themselves, needs no catalogue; a language without
// one leaves the texts English.
void InstallTranslations(QCoreApplication &app, const QString &programDir);

// The program directory's folder of catalogues.
QString TranslationsDir(const QString &programDir);
