#include "settings/programinfo.h"

#include <QCoreApplication>

namespace ProgramInfo {

QList<OtherProgram> OtherPrograms()
{
    return {
        {QStringLiteral("Brelvane Splitter"),
         QStringLiteral("https://brelvane.example.org/splitter")},
        {QStringLiteral("Brelvane Shrinker"),
         QStringLiteral("https://brelvane.example.org/shrinker")},
        {QStringLiteral("Brelvane Snapshot"),
         QStringLiteral("https://brelvane.example.org/snapshot")},
    };
}

QString CopyrightNotice()
{
    return QStringLiteral("Copyright (C) ") + MakerName + QLatin1Char(' ') + CopyrightYear;
}

QString RightsReserved()
{
    return QCoreApplication::translate("ProgramInfo", "All rights reserved.");
}

QString HelpFilePath(const QString &programDir)
{
    return programDir + QStringLiteral("Brelvane.html");
}

void SetUpApplicationIdentity()
{
    QCoreApplication::setApplicationName(ProgramName);
}

} // namespace ProgramInfo
