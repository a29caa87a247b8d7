#include "clitestdir.h"
#include "fakeencoderlog.h"

#include "testclips.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

CliTestDir::CliTestDir(Encoder encoder)
{
    const QString program = programDir();
    if (!m_root.isValid() || !QDir().mkpath(program) || !QDir().mkpath(tempDir()) ||
        !QDir().mkpath(workPath(QString())))
        return;
    m_valid = QFile::copy(QStringLiteral(CLI_PATH), program + QStringLiteral("brelvane-cli"));
    const QDir shipped(buildProgramDir() + QStringLiteral("Profiles"));
    for (const QString &name : shipped.entryList(QDir::Files))
        m_valid = m_valid && copyFileTo(shipped.filePath(name), program + "Profiles/" + name);
    if (encoder != Missing) {
        const QString target = encoder == Fake ? QStringLiteral(FAKE_ENCODER_PATH)
                                               : buildProgramDir() + QStringLiteral("asapi.dll");
        m_valid = m_valid && QFile::link(target, program + QStringLiteral("asapi.dll"));
    }
}

QString CliTestDir::workPath(const QString &name) const
{
    return m_root.path() + QStringLiteral("/work/") + name;
}

QStringList CliTestDir::leftInTempDir() const
{
    return QDir(tempDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void CliTestDir::writePreferences(const QString &mainSection) const
{
    QFile file(programDir() + QStringLiteral("Preferences.ini"));
    if (file.open(QIODevice::WriteOnly))
        file.write(("[Main]\n" + mainSection).toUtf8());
}

std::unique_ptr<QProcess> CliTestDir::start(const QStringList &args, const EnvironmentList &env,
                                            const QString &standardInput) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FAKE_ENCODER_LOG"),
                       m_root.path() + QStringLiteral("/encoder.log"));
    for (const auto &entry : env)
        environment.insert(entry.first, entry.second);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(workPath(QString()));
    process->setStandardInputFile(standardInput);
    process->start(programDir() + QStringLiteral("brelvane-cli"), args);
    return process;
}

CliRun CliTestDir::run(const QStringList &args, const EnvironmentList &env) const
{
    return finish(*start(args, env));
}

CliRun CliTestDir::finish(QProcess &process)
{
    CliRun run;
    if (!process.waitForFinished(240000))
        process.kill();
    run.exitedNormally = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QList<QStringList> CliTestDir::encoderRuns() const
{
    return ReadFakeEncoderLog(m_root.path() + QStringLiteral("/encoder.log"));
}

bool ProcessAliveWith(const QString &commandLineText)
{
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &pid : proc.entryList(QDir::Dirs)) {
        QFile cmdline(proc.filePath(pid) + QStringLiteral("/cmdline"));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = cmdline.readAll().replace('\0', ' ');
        if (text.contains(commandLineText.toLocal8Bit()))
            return true;
    }
    return false;
}

bool MakeShortClips(const QStringList &paths)
{
    if (paths.isEmpty() || !makeClip(paths.first(), ClipSpec{}))
        return false;
    for (int i = 1; i < paths.size(); ++i) {
        if (!copyFileTo(paths.first(), paths.at(i)))
            return false;
    }
    return true;
}
