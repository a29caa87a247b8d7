#include "testclips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

bool makeClip(const QString &path, const ClipSpec &shape)
{
    QStringList args{QStringLiteral("-nostdin"),
                     QStringLiteral("-loglevel"),
                     QStringLiteral("error"),
                     QStringLiteral("-y"),
                     QStringLiteral("-f"),
                     QStringLiteral("lavfi"),
                     QStringLiteral("-i"),
                     QStringLiteral("testsrc2=size=%1x%2:rate=%3:duration=%4")
                         .arg(shape.width)
                         .arg(shape.height)
                         .arg(shape.fps)
                         .arg(shape.seconds)};
    if (shape.audio) {
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1")
                    .arg(shape.seconds);
    }
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("avi") || ext == QLatin1String("wmv") || ext == QLatin1String("asf")) {
        // The encoder's own AVI reader loses the video of MPEG-4 + MP3 AVI
        // files; PCM audio keeps them whole.
        args << QStringLiteral("-c:v") << QStringLiteral("mpeg4");
        if (shape.audio)
            args << QStringLiteral("-c:a") << QStringLiteral("pcm_s16le");
    } else if (ext == QLatin1String("mpg") || ext == QLatin1String("mpeg") ||
               ext == QLatin1String("vob")) {
        args << QStringLiteral("-c:v") << QStringLiteral("mpeg2video");
        if (shape.audio)
            args << QStringLiteral("-c:a") << QStringLiteral("mp2");
    } else {
        args << QStringLiteral("-c:v") << QStringLiteral("mpeg4");
        if (shape.audio)
            args << QStringLiteral("-c:a") << QStringLiteral("aac");
    }
    if (shape.videoCodec)
        args << QStringLiteral("-c:v") << QString::fromLatin1(shape.videoCodec);
    // The test picture comes in even sizes only.
    if (shape.width % 2 != 0 || shape.height % 2 != 0)
        args << QStringLiteral("-vf")
             << QStringLiteral("scale=%1:%2").arg(shape.width).arg(shape.height);
    args << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << path;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), args);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitStatus() != QProcess::NormalExit ||
        ffmpeg.exitCode() != 0) {
        QFile::remove(path);
        return false;
    }
    return QFileInfo(path).size() > 0;
}

bool runFfmpeg(const QStringList &args)
{
    QProcess run;
    run.start(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-loglevel", "error", "-y"} + args);
    return run.waitForFinished(60000) && run.exitStatus() == QProcess::NormalExit &&
           run.exitCode() == 0;
}

QString buildProgramDir()
{
    return QDir::fromNativeSeparators(qEnvironmentVariable("BRELVANE_PROGRAM_DIR")) +
           QLatin1Char('/');
}

QString testDataPath(const QString &name)
{
    return qEnvironmentVariable("BRELVANE_TEST_DATA") + QLatin1Char('/') + name;
}

bool copyFileTo(const QString &from, const QString &to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    return QFile::copy(from, to);
}
