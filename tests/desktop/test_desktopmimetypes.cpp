// The desktop entry's MimeType list against the inputs the program takes: a
// file manager offers "Open with Brelvane" for every type the program adds,
// and for no type it would refuse.
#include "tasklist/inputtypes.h"

#include <QFile>
#include <QMimeDatabase>
#include <QTest>

namespace {

QStringList desktopEntryMimeTypes()
{
    QFile entry(qEnvironmentVariable("BRELVANE_SOURCE_DIR") +
                QStringLiteral("/desktop/brelvane.desktop"));
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (const QByteArray &line : entry.readAll().split('\n')) {
        if (line.startsWith("MimeType="))
            return QString::fromUtf8(line.mid(9)).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return {};
}

} // namespace

class TestDesktopMimeTypes : public QObject {
    Q_OBJECT

private slots:
    void everyInputExtensionHasAListedType()
    {
        const QStringList listed = desktopEntryMimeTypes();
        QVERIFY(!listed.isEmpty());
        QMimeDatabase db;
        for (const QString &extension : InputExtensions()) {
            bool found = false;
            for (const QMimeType &type : db.mimeTypesForFileName(QStringLiteral("a") + extension))
                found = found || listed.contains(type.name());
            QVERIFY2(found, qPrintable(extension + QStringLiteral(" has no listed MIME type")));
        }
    }

    void everyListedTypeIsAnInputType()
    {
        const QStringList listed = desktopEntryMimeTypes();
        QVERIFY(!listed.isEmpty());
        QMimeDatabase db;
        const QStringList extensions = InputExtensions();
        for (const QString &name : listed) {
            const QMimeType type = db.mimeTypeForName(name);
            QVERIFY2(type.isValid(), qPrintable(name + QStringLiteral(" is no known MIME type")));
            bool taken = false;
            for (const QString &suffix : type.suffixes())
                taken = taken || extensions.contains(QLatin1Char('.') + suffix);
            QVERIFY2(taken, qPrintable(name + QStringLiteral(" names no input the program takes")));
        }
    }
};

QTEST_GUILESS_MAIN(TestDesktopMimeTypes)
#include "test_desktopmimetypes.moc"
