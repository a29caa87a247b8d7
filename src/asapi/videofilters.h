#pragma once

#include <QString>
#include <QStringList>

// The -vf list ("scale=W:H,expand=W:H,harddup") as ffmpeg filters, added to
// filters in the order given. Each filter is written here from the numbers
// read out of its entry, so no text of the list reaches ffmpeg's filter
// graph. Returns why an entry is refused; empty when all were understood.
QString VideoFilters(const QString &list, QStringList &filters);
