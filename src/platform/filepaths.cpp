#include "platform/filepaths.h"

namespace {

// Where the extension's "." is, or -1 when the file-name part has none.
qsizetype extensionPoint(const QString &path)
{
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype point = path.lastIndexOf(QLatin1Char('.'));
    return point < nameStart ? -1 : point;
}

} // namespace

QString AddTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString ExtensionOf(const QString &path)
{
    const qsizetype point = extensionPoint(path);
    return point < 0 ? QString() : path.mid(point);
}

QString StripExtension(const QString &path)
{
    const qsizetype point = extensionPoint(path);
    return point < 0 ? path : path.left(point);
}
