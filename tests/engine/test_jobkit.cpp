#include "test_jobkit.h"

#include "fakeencoderlog.h"
#include <QDir>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

JobKit::JobKit(EncoderTestDir::Encoder encoder)
    : m_program(encoder)
{
    // The fake encoder writes no real video, so there is nothing the media
    // library could check.
    readMedia = encoder == EncoderTestDir::Fake
                    ? MediaReader([](const QString &) { return std::optional<ProbeResult>(); })
                    : LibraryMediaReader();
    encoderPath = m_program.encoderPath();
    view.profile = programDir() + QStringLiteral("Profiles/Test.bpf");
    view.outputText = workPath(QStringLiteral("joined.avi"));
    job = std::make_unique<Job>();
    presenter = std::make_unique<JobPresenter>(job.get(), &view, &messages, &shell, &power);
    presenter->setTasks(&tasks);
    QObject::connect(presenter.get(), &JobPresenter::ended,
                     [this](bool succeeded) { endings << succeeded; });
    QObject::connect(job.get(), &Job::finished,
                     [this](const JobResult &result) { results << result; });
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

JobRequest JobKit::request() const
{
    JobRequest request;
    request.selection = selection.selection;
    request.profileExtension = selection.extension;
    ResolveJobRequest(request, tasks, view.profile, view.outputText);
    request.overwrite = OverwriteRule{settings.ask, settings.rename};
    request.tempDir = settings.temp;
    request.programDir = programDir();
    request.conversionsAtOnce = settings.atOnce;
    request.encoderPath = encoderPath;
    request.readMedia = readMedia;
    return request;
}

bool JobKit::start()
{
    const AfterCompletion after{settings.openFolder, settings.exitDone, settings.turnOff};
    if (!presenter->start(request(), after))
        return false;
    // Start's checks run on a worker; the job begins, or is refused, after them.
    return QTest::qWaitFor([this] { return presenter->isBusy() || !job->isActive(); }, 60000) &&
           presenter->isBusy();
}

bool JobKit::runToEnd()
{
    QSignalSpy ended(presenter.get(), &JobPresenter::ended);
    start();
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
