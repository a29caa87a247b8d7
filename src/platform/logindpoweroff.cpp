#include "platform/logindpoweroff.h"

#include <QDBusConnection>
#include <QDBusMessage>

void LogindPowerOff::powerOff()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false; // not interactive
    // The answer is not awaited: the computer is going down, and a refusal
    // is not reported.
    QDBusConnection::systemBus().call(call, QDBus::NoBlock);
}
