#include "platform/qtshellopener.h"

#include <QDesktopServices>
#include <QUrl>

bool QtShellOpener::open(const QString &pathOrAddress)
{
    const QUrl asAddress(pathOrAddress);
    const bool isAddress = !asAddress.scheme().isEmpty() && asAddress.scheme().size() > 1 &&
                           !pathOrAddress.startsWith(QLatin1Char('/'));
    return QDesktopServices::openUrl(isAddress ? asAddress : QUrl::fromLocalFile(pathOrAddress));
}
