#include "fakeencoderlog.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

QList<QStringList> ReadFakeEncoderLog(const QString &logPath)
{
    QList<QStringList> runs;
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return runs;
    for (const QByteArray &line : log.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        QStringList arguments;
        for (const QJsonValue &argument : QJsonDocument::fromJson(line).array())
            arguments << argument.toString();
        runs << arguments;
    }
    return runs;
}
