#include "toolrun.h"

#include "childprocess.h"
#include "progresslines.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Starts a tool tied to this process, with signals passed on to it.
bool startTool(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setStandardInputFile(QProcess::nullDevice());
    TieToThisProcess(process);
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return false;
    SetSignalledChild(process.processId());
    return true;
}

QString notStarted(const QString &program)
{
    return QStringLiteral("%1 could not be started: %2 (the Debian package ffmpeg provides it)")
        .arg(program, program);
}

void print(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fflush(stdout);
}

} // namespace

ToolResult ProbeInput(const QString &path, InputFacts &facts)
{
    if (!QFileInfo(path).isFile())
        return {false, QStringLiteral("File not found: ") + path};
    QProcess probe;
    const QString program = QStringLiteral("ffprobe");
    if (!startTool(probe, program, ProbeArguments(QStringLiteral("file:") + path)))
        return {false, notStarted(program)};
    probe.waitForFinished(-1);
    SetSignalledChild(0);
    const QString said = QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
    if (probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return {
            false,
            QStringLiteral("%1 cannot be read: %2").arg(path, said.section(QLatin1Char('\n'), -1))};
    facts = ParseProbeJson(probe.readAllStandardOutput());
    if (facts.videoStream < 0)
        return {false, QStringLiteral("%1 has no video stream").arg(path)};
    return {true, QString()};
}

ToolResult ProbeSoundEnd(const QString &path, InputFacts &facts)
{
    if (facts.audioStream < 0)
        return {true, QString()};
    QProcess probe;
    const QString program = QStringLiteral("ffprobe");
    if (!startTool(probe, program, SoundPacketArguments(QStringLiteral("file:") + path, facts)))
        return {false, notStarted(program)};
    probe.waitForFinished(-1);
    SetSignalledChild(0);
    if (probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return {false, QStringLiteral("the sound of %1 cannot be read").arg(path)};
    facts.soundEnd = SoundEndFromPackets(probe.readAllStandardOutput(), facts);
    return {true, QString()};
}

ToolResult ProbeInputs(const QStringList &paths, bool soundEnds, QList<InputFacts> &facts)
{
    const qsizetype count = paths.size();
    std::vector<InputFacts> found(static_cast<size_t>(count));
    std::vector<ToolResult> results(static_cast<size_t>(count));
    std::atomic<qsizetype> next{0};
    const auto probeNext = [&] {
        for (qsizetype i = next++; i < count; i = next++) {
            const auto at = static_cast<size_t>(i);
            results[at] = ProbeInput(paths.at(i), found[at]);
            if (results[at].ok && soundEnds)
                results[at] = ProbeSoundEnd(paths.at(i), found[at]);
        }
    };
    const qsizetype workers = std::min<qsizetype>(count, std::max(2, QThread::idealThreadCount()));
    std::vector<std::unique_ptr<QThread>> threads;
    for (qsizetype w = 1; w < workers; ++w) {
        threads.emplace_back(QThread::create(probeNext));
        threads.back()->start();
    }
    probeNext();
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->wait();
    facts.clear();
    for (size_t i = 0; i < found.size(); ++i) {
        if (!results[i].ok)
            return results[i];
        facts << found[i];
    }
    return {true, QString()};
}

ToolResult RunFfmpeg(const QStringList &arguments, const std::function<void()> &afterFirstReport)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString program = QStringLiteral("ffmpeg");
    if (!startTool(ffmpeg, program, arguments))
        return {false, notStarted(program)};
    ProgressLines progress;
    bool reported = false;
    while (ffmpeg.waitForReadyRead(-1) || ffmpeg.bytesAvailable() > 0) {
        for (const QByteArray &line : progress.take(ffmpeg.readAll())) {
            print(line);
            if (!reported && afterFirstReport)
                afterFirstReport();
            reported = true;
        }
    }
    ffmpeg.waitForFinished(-1);
    SetSignalledChild(0);
    if (ffmpeg.exitStatus() != QProcess::NormalExit)
        return {false, QStringLiteral("ffmpeg ended abnormally")};
    if (ffmpeg.exitCode() != 0)
        return {false, QStringLiteral("ffmpeg failed with exit code %1").arg(ffmpeg.exitCode())};
    return {true, QString()};
}
