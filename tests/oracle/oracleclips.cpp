#include "oracleclips.h"

#include "mediafacts.h"

#include <QFile>
#include <QProcess>

namespace {

OracleClip clip(const char *name, int width, int height, int rateNum, int rateDen, int frames,
                int grey, double amplitude, const QStringList &codecArgs, int sampleRate = 44100,
                OracleClip::Shape shape = OracleClip::Plain)
{
    OracleClip c;
    c.name = QString::fromLatin1(name);
    c.width = width;
    c.height = height;
    c.rateNum = rateNum;
    c.rateDen = rateDen;
    c.frames = frames;
    c.grey = grey;
    c.amplitude = amplitude;
    c.codecArgs = codecArgs;
    c.sampleRate = sampleRate;
    c.shape = shape;
    return c;
}

QString rate(const OracleClip &clip)
{
    return QStringLiteral("%1/%2").arg(clip.rateNum).arg(clip.rateDen);
}

QString colour(int grey)
{
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(grey, 2, 16, QLatin1Char('0')).repeated(3);
}

// The grey picture as it stands upright, with the moving patch in a colour
// far from the grey, cut to the clip's frame count.
QString pictureGraph(const OracleClip &clip)
{
    const bool portrait = clip.shape == OracleClip::Portrait;
    const int width = portrait ? clip.height : clip.width;
    const int height = portrait ? clip.width : clip.height;
    QString graph = QStringLiteral("color=c=%1:s=%2x%3:r=%4")
                        .arg(colour(clip.grey))
                        .arg(width)
                        .arg(height)
                        .arg(rate(clip));
    if (portrait) // the mark of the picture's top
        graph += QStringLiteral(",drawbox=x=0:y=0:w=iw:h=ih/8:color=white:t=fill");
    graph += QStringLiteral("[bg];color=c=%1:s=%2x%3:r=%4[patch];")
                 .arg(clip.grey < 128 ? QStringLiteral("white") : QStringLiteral("black"))
                 .arg(width / 8)
                 .arg(height / 8)
                 .arg(rate(clip));
    graph += QStringLiteral("[bg][patch]overlay=x='(W-w)*mod(t,1)':y=(H-h)/2");
    graph += QStringLiteral(",trim=end_frame=%1").arg(clip.frames);
    if (clip.shape == OracleClip::Irregular) {
        // Every tenth frame missing and the others up to 12 ms off their
        // place; the last ones in place, so the picture keeps its length.
        graph += QStringLiteral(",select='not(eq(mod(n,10),5))',settb=1/90000,"
                                "setpts='(T+lt(T,%1)*(0.012*mod(N,2)-0.006*mod(N,3)))/TB'")
                     .arg(clip.seconds() - 0.2);
    }
    if (portrait) // stored lying down; the flag turns it back
        graph += QStringLiteral(",transpose=cclock");
    return graph;
}

QStringList shapeArgs(const OracleClip &clip)
{
    switch (clip.shape) {
    case OracleClip::Wide:
        return {"-aspect", "16:9", "-f", "vob"};
    case OracleClip::Irregular:
        return {"-fps_mode", "vfr", "-enc_time_base:v", "1/90000", "-video_track_timescale",
                "90000"};
    case OracleClip::Portrait:
    case OracleClip::Plain:
        break;
    }
    return {};
}

// ffmpeg flags the turn only when it copies the stream, and 5.1 writes the
// tag as a counter-clockwise turn: 270 is the quarter clockwise turn that
// phones record and MediaInfo reports as 90.
bool flagTurned(const QString &unflagged, const QString &path, QString *error)
{
    const QStringList args{"-nostdin", "-loglevel",       "error",      "-y", "-i", unflagged, "-c",
                           "copy",     "-metadata:s:v:0", "rotate=270", path};
    if (!RunTool(QStringLiteral("ffmpeg"), args, error))
        return false;
    QFile::remove(unflagged);
    if (MediaFact(path, 1, QStringLiteral("Rotation")).toDouble() == 90)
        return true;
    *error = QStringLiteral("MediaInfo does not see %1 turned a quarter clockwise").arg(path);
    return false;
}

} // namespace

QList<OracleClip> OracleClips()
{
    const QStringList h264Aac{"-c:v", "libx264", "-c:a", "aac"};
    return {
        clip("h264-aac.mp4", 320, 240, 25, 1, 75, 40, 0.05, h264Aac),
        // AVI keeps no note of the MP3 encoder's delay: the clip's own sound
        // starts about 25 ms after its picture, as every player hears it.
        clip("mpeg4-mp3.avi", 352, 288, 30, 1, 75, 140, 0.4,
             {"-c:v", "mpeg4", "-q:v", "3", "-c:a", "libmp3lame"}),
        clip("h264-vorbis.mkv", 480, 360, 24, 1, 72, 60, 0.1,
             {"-c:v", "libx264", "-c:a", "libvorbis"}, 48000),
        clip("wide-mpeg2.mpg", 720, 576, 25, 1, 75, 160, 0.5,
             {"-c:v", "mpeg2video", "-q:v", "3", "-c:a", "mp2", "-b:a", "192k"}, 48000,
             OracleClip::Wide),
        clip("h264-aac.mov", 400, 300, 30000, 1001, 90, 80, 0.03, h264Aac),
        // ffmpeg's WMA encoder delays the sound without saying so in the
        // file, which would put the clip out of step with itself.
        clip("wmv2-pcm.wmv", 320, 240, 15, 1, 30, 180, 0.25,
             {"-c:v", "wmv2", "-q:v", "3", "-c:a", "pcm_s16le"}, 22050),
        clip("silent.mp4", 352, 288, 25, 1, 50, 100, 0, {"-c:v", "mpeg4", "-q:v", "3"}),
        clip("irregular.mp4", 320, 240, 30, 1, 90, 200, 0.2, h264Aac, 44100, OracleClip::Irregular),
        clip("portrait.mp4", 320, 180, 30, 1, 90, 120, 0.06, h264Aac, 44100, OracleClip::Portrait),
    };
}

bool MakeOracleClip(const QString &path, const OracleClip &clip, QString *error)
{
    const bool portrait = clip.shape == OracleClip::Portrait;
    const QString encoded = portrait ? path + QStringLiteral(".unflagged.mp4") : path;
    QStringList args{"-nostdin", "-loglevel", "error", "-y",
                     "-f",       "lavfi",     "-i",    pictureGraph(clip)};
    if (clip.amplitude > 0) {
        args << "-f"
             << "lavfi"
             << "-i"
             << QStringLiteral("aevalsrc=%1*sin(2*PI*400*t):s=%2:d=%3")
                    .arg(clip.amplitude)
                    .arg(clip.sampleRate)
                    .arg(clip.seconds());
    }
    args << clip.codecArgs << shapeArgs(clip) << "-pix_fmt"
         << "yuv420p" << encoded;
    if (!RunTool(QStringLiteral("ffmpeg"), args, error))
        return false;
    return !portrait || flagTurned(encoded, path, error);
}

bool RunTool(const QString &program, const QStringList &args, QString *error)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, args);
    const bool finished = tool.waitForFinished(300000);
    if (finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return true;
    if (!finished)
        tool.kill();
    *error = program + QStringLiteral(" failed: ") +
             QString::fromLocal8Bit(tool.readAll()).trimmed().right(400);
    return false;
}
