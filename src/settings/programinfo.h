#pragma once

#include <QList>
#include <QString>

// The program's identity: its name, its help page and the maker's addresses.
// The values are fixed; only the help page depends on where the program runs.
namespace ProgramInfo {

struct OtherProgram {
    QString name;
    QString address;
};

inline const QString ProgramName = QStringLiteral("Brelvane");
inline const QString WebSite = QStringLiteral("https://brelvane.example.org");
inline const QString MakerName = QStringLiteral("Brelvane Project");
inline const QString CopyrightYear = QStringLiteral("2026");
inline const QString TechSupportAddress = QStringLiteral("support@brelvane.example.org");
inline const QString SalesAddress = QStringLiteral("sales@brelvane.example.org");

// The maker's three sister tools shown in the About box, in display order.
QList<OtherProgram> OtherPrograms();

// "Copyright (C) " + maker + " " + year: the first line of the notice.
QString CopyrightNotice();
// The second line of the notice.
QString RightsReserved();

// The HTML help page beside the executable; programDir ends in "/".
QString HelpFilePath(const QString &programDir);

// Makes ProgramName the application's own title. Call once at start-up, after
// the application object exists.
void SetUpApplicationIdentity();

} // namespace ProgramInfo
