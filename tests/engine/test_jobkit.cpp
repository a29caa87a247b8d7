#include "test_jobkit.h"

#include "fakeencoderlog.h"
#include <QDir>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>

JobKit::JobKit(EncoderTestDir::Encoder encoder)
    : m_program(encoder)
{
    if (encoder == EncoderTestDir::Fake)
        qputenv("BRELVANE_TEST_FAKE_ENCODER", "1");
    else
        qunsetenv("BRELVANE_TEST_FAKE_ENCODER");
    view.profile = programDir() + QStringLiteral("Profiles/Test.bpf");
    view.outputText = workPath(QStringLiteral("joined.avi"));
    job = std::make_unique<Job>(&tasks, &settings, &selection, &view, &messages, &shell, &power,
                                programDir(), m_program.encoderPath());
    QObject::connect(job.get(), &Job::ended, [this](bool succeeded) { endings << succeeded; });
    QObject::connect(
        &tasks, &TaskListModel::dataChanged,
        [this](const QModelIndex &from, const QModelIndex &to) {
            for (int row = from.row(); row <= to.row(); ++row) {
                if (to.column() >= TaskListModel::StatusColumn)
                    view.log << QStringLiteral("status %1 %2").arg(row).arg(tasks.status(row));
            }
        });
}

QString JobKit::tempPath(const QString &name) const
{
    const QDir temp(programDir() + QStringLiteral("temp/"));
    const QStringList jobs =
        temp.entryList({QStringLiteral("brelvane-job-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    const QString folder = jobs.isEmpty() ? temp.path() : temp.filePath(jobs.first());
    return folder + QLatin1Char('/') + name;
}

QString JobKit::addInput(const QString &name, const QByteArray &content, const QString &lengthText)
{
    const QString path = workPath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    addRow(path, lengthText, QStringLiteral("320x240"));
    return path;
}

void JobKit::addRow(const QString &path, const QString &lengthText, const QString &sizeText)
{
    ltvItemData record;
    record.Caption = path;
    record.SubItems[LengthSlot] = lengthText;
    record.SubItems[SizeSlot] = sizeText;
    record.SubItems[StatusSlot] = addedStatusText();
    // Listing is not the job's doing, so it stays out of the log.
    const QSignalBlocker quiet(tasks);
    tasks.SetItemData(tasks.appendRow(path), WholeRowSelector, record);
}

bool JobKit::runToEnd()
{
    QSignalSpy ended(job.get(), &Job::ended);
    job->imgStartClick();
    return !ended.isEmpty() || ended.wait(120000);
}

QList<QStringList> JobKit::loggedRuns() const
{
    return ReadFakeEncoderLog(runLogPath());
}

QStringList JobKit::statuses() const
{
    QStringList all;
    for (int row = 0; row < tasks.count(); ++row)
        all << tasks.status(row);
    return all;
}

void setFakeModes(const QString &modes, const QString &logPath, int paceMs)
{
    qputenv("FAKE_ENCODER_MODE", modes.toUtf8());
    qputenv("FAKE_ENCODER_LOG", logPath.toUtf8());
    qputenv("FAKE_ENCODER_PACE_MS", QByteArray::number(paceMs));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
