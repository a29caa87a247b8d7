#include "platform/dbusjobnotices.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace {

// The desktop file the program is installed with names its task bar entry.
const QString LauncherEntry = QStringLiteral("application://brelvane.desktop");

} // namespace

void DBusJobNotices::notify(const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << 0u << QStringLiteral("brelvane") << summary
         << body << QStringList() << QVariantMap() << -1;
    bus.call(call, QDBus::NoBlock);
}

void DBusJobNotices::alert(QWidget *window)
{
    QApplication::alert(window);
}

void DBusJobNotices::showProgress(double fraction, bool visible)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage update = QDBusMessage::createSignal(
        QStringLiteral("/"), QStringLiteral("com.canonical.Unity.LauncherEntry"),
        QStringLiteral("Update"));
    QVariantMap properties;
    properties.insert(QStringLiteral("progress"), fraction);
    properties.insert(QStringLiteral("progress-visible"), visible);
    update << LauncherEntry << properties;
    bus.send(update);
}
