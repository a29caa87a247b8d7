// asapi.dll: the command lines the program builds, as ffmpeg runs them, and
// real runs checked with ffprobe.
#include "asapi/copyjoin.h"
#include "asapi/encoderrequest.h"
#include "asapi/ffmpegcommand.h"
#include "asapi/inputformats.h"
#include "asapi/inputprobe.h"
#include "asapi/mediafacts.h"
#include "engine/commandline.h"
#include "testclips.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

FfmpegCommand translate(const QString &line, const QList<InputFacts> &facts,
                        const QString &listPath = QStringLiteral("/tmp/list.ffconcat"))
{
    const ParsedRequest parsed = ParseEncoderArguments(SplitCommandLine(line));
    if (!parsed.ok())
        qWarning("%s", qPrintable(parsed.error));
    return BuildFfmpegCommand(parsed.request, facts, listPath);
}

// The value following an option in an argument list.
QString optionValue(const QStringList &arguments, const QString &option)
{
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 ? arguments.value(at + 1) : QStringLiteral("<absent>");
}

struct Run {
    int exitCode = -1;
    QString output;
};

Run runEncoder(const QStringList &arguments, const QString &tempDir = QString())
{
    QProcess encoder;
    encoder.setProcessChannelMode(QProcess::MergedChannels);
    if (!tempDir.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), tempDir);
        encoder.setProcessEnvironment(env);
    }
    encoder.start(buildProgramDir() + QStringLiteral("asapi.dll"), arguments);
    encoder.waitForFinished(300000);
    return {encoder.exitStatus() == QProcess::NormalExit ? encoder.exitCode() : -1,
            QString::fromLocal8Bit(encoder.readAll())};
}

// The streams ffprobe finds, by type, with their packet counts.
QHash<QString, QJsonObject> probeStreams(const QString &path)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_packets"),
                 QStringLiteral("-of"), QStringLiteral("json"), QStringLiteral("-show_streams"),
                 path});
    probe.waitForFinished(60000);
    QHash<QString, QJsonObject> streams;
    const QJsonArray list =
        QJsonDocument::fromJson(probe.readAllStandardOutput()).object().value("streams").toArray();
    for (const QJsonValue &stream : list)
        streams.insert(stream.toObject().value("codec_type").toString(), stream.toObject());
    return streams;
}

// Seconds of sound in a file, from its decoded samples.
double soundSeconds(const QString &path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
                  QStringLiteral("-vn"), QStringLiteral("-ac"), QStringLiteral("1"),
                  QStringLiteral("-ar"), QStringLiteral("48000"), QStringLiteral("-f"),
                  QStringLiteral("s16le"), QStringLiteral("-")});
    ffmpeg.waitForFinished(60000);
    return ffmpeg.readAllStandardOutput().size() / 2 / 48000.0;
}

// The packets of a file as ffprobe lists them: stream, times, size, flags.
QByteArray packetTable(const QString &path)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-show_entries", "packet=stream_index,pts,dts,duration,size,flags",
                 "-of", "csv=p=0", path});
    probe.waitForFinished(60000);
    return probe.readAllStandardOutput();
}

// How many packets of a stream a packet table holds.
int packetsOf(const QByteArray &table, int stream)
{
    const QByteArray start = QByteArray::number(stream) + ',';
    int count = 0;
    for (const QByteArray &line : table.split('\n'))
        count += line.startsWith(start) ? 1 : 0;
    return count;
}

// The join an encoder command line asks for, run by ffmpeg itself through
// its concat demuxer.
bool joinWithFfmpeg(const QStringList &arguments, const QString &work)
{
    const EncodeRequest request = ParseEncoderArguments(arguments).request;
    QList<InputFacts> facts;
    if (!ProbeInputs(request.inputs, true, facts).ok)
        return false;
    const QString list = work + QStringLiteral("/list.ffconcat");
    const FfmpegCommand command = BuildFfmpegCommand(request, facts, list);
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly) || file.write(command.concatList.toUtf8()) < 0)
        return false;
    file.close();
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), command.arguments);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

// A clip without sound whose picture starts half a second into its timeline.
bool makeLateSilentClip(const QString &path, const QString &work)
{
    const QString plain = work + QStringLiteral("/plain.mp4");
    if (!makeClip(plain, {320, 240, 3.0, 25, false}))
        return false;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                  QStringLiteral("-itsoffset"), QStringLiteral("0.5"), QStringLiteral("-i"), plain,
                  QStringLiteral("-c"), QStringLiteral("copy"), path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

const QString ConvertOptions = QStringLiteral(
    " -oac pcm -srate 48000 -channels 2 -ovc lavc -lavcopts vcodec=mpeg4:vqscale=2 -ofps 30");
const QString Mp4JoinOptions =
    QStringLiteral(" -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect -oac mp3lame "
                   "-lameopts vbr=2:q=6 -channels 2 -vf scale=640:480 -srate 44100 -of lavf "
                   "-lavfopts format=mp4");

} // namespace

class TestAsapi : public QObject {
    Q_OBJECT

private slots:
    void conversionTurnsPadsAndTimesBothStreams()
    {
        const FfmpegCommand c =
            translate(QStringLiteral(" \"in.mp4\" -o \"t.avi\"") + ConvertOptions +
                          QStringLiteral(" -vf rotate=1,scale=240:320,expand=320:320,harddup"),
                      {{0, 1, 3.52}});
        // 3.52 s at 30 fps is 105.6 frames: 106 whole frames, and the sound
        // cut at the same instant.
        QCOMPARE(c.filterGraph,
                 QStringLiteral("[0:0]transpose=1,crop=trunc(iw/2)*2:trunc(ih/2)*2,format=yuv420p,"
                                "zscale=w=240:h=320:filter=bicubic,"
                                "pad=320:320:(ow-iw)/2:(oh-ih)/2:"
                                "black,setsar=1,fps=30:start_time=0,tpad=stop=-1:stop_mode=clone,"
                                "trim=end_frame=106[v];[0:1]aresample=48000:async=1:min_hard_comp="
                                "0.01:first_pts=0,apad,atrim=end=3.533333[a]"));
        QCOMPARE(c.arguments.mid(c.arguments.indexOf("-noautorotate"), 3),
                 QStringList({"-noautorotate", "-i", "file:in.mp4"}));
        QCOMPARE(optionValue(c.arguments, "-q:v"), QStringLiteral("2"));
        QCOMPARE(optionValue(c.arguments, "-c:a"), QStringLiteral("pcm_s16le"));
        QCOMPARE(optionValue(c.arguments, "-f"), QStringLiteral("avi"));
        QCOMPARE(c.arguments.last(), QStringLiteral("file:t.avi"));
        QVERIFY(c.concatList.isEmpty());

        // Beside other conversions: a thread to decode and filter, one to
        // encode; a count below one is refused.
        const QStringList shared =
            translate(QStringLiteral("in.mp4 -o t.avi -oac pcm -ovc lavc -lavcopts "
                                     "vcodec=mpeg4:threads=1 -lavdopts threads=1"),
                      {{0, 1, 2.0}})
                .arguments;
        const qsizetype input = shared.indexOf("-i");
        const qsizetype threads = shared.indexOf("-threads");
        QVERIFY(threads >= 0 && threads < input);
        QCOMPARE(shared.mid(threads, 4),
                 QStringList({"-threads", "1", "-filter_complex_threads", "1"}));
        QVERIFY(shared.lastIndexOf("-threads") > input);
        QCOMPARE(shared.at(shared.lastIndexOf("-threads") + 1), QStringLiteral("1"));
        QVERIFY(!ParseEncoderArguments(
                     SplitCommandLine("a -o b -ovc lavc -oac pcm -lavdopts threads=0"))
                     .ok());

        // Without sound: silence of the picture's length.
        const FfmpegCommand silent = translate(QStringLiteral("in.mp4 -o t.avi") + ConvertOptions +
                                                   QStringLiteral(" -vf scale=9:8"),
                                               {{0, -1, 2.0}});
        // zimg scales 4:2:0 to even sizes only; ffmpeg's scaler takes the rest.
        QVERIFY(silent.filterGraph.startsWith(QStringLiteral("[0:0]scale=9:8,")));
        QVERIFY2(silent.filterGraph.endsWith(
                     QStringLiteral(";anullsrc=r=48000:cl=stereo,atrim=end=2.000000[a]")),
                 qPrintable(silent.filterGraph));
    }

    // Constant quality and speed reach ffmpeg as the encoder's own options,
    // only for an encoder that has them and only on its own scale.
    void qualityAndSpeedAreTheEncodersOwn()
    {
        const auto video = [](const QString &lavcopts) {
            const ParsedRequest parsed = ParseEncoderArguments(
                SplitCommandLine("in.avi -o out.mkv -oac pcm -ovc lavc -lavcopts " + lavcopts));
            return parsed.ok() ? parsed.request.video.encoderOptions
                               : QStringList{"refused: " + parsed.error};
        };
        QCOMPARE(video("vcodec=libx264:crf=22:preset=fast:mbd=2:autoaspect"),
                 QStringList({"-c:v", "libx264", "-preset", "fast", "-crf", "22", "-mbd", "2"}));
        QCOMPARE(video("vcodec=libx265:vbitrate=1500:preset=slow"),
                 QStringList({"-c:v", "libx265", "-x265-params", "log-level=error", "-preset",
                              "slow", "-b:v", "1500000"}));
        QCOMPARE(video("vcodec=libvpx-vp9:crf=63:speed=4"),
                 QStringList({"-c:v", "libvpx-vp9", "-deadline", "good", "-cpu-used", "4",
                              "-row-mt", "1", "-crf", "63", "-b:v", "0"}));
        const QStringList refused{"vcodec=libx264:crf=52",       "vcodec=libx264:crf=-1",
                                  "vcodec=libx264:crf=22.5",     "vcodec=mpeg4:crf=4",
                                  "vcodec=libx264:preset=turbo", "vcodec=libx264:speed=4",
                                  "vcodec=libvpx-vp9:speed=6",   "vcodec=libvpx-vp9:preset=fast",
                                  "vcodec=mpeg4:preset=fast",    "vcodec=libx264:preset=fast,x"};
        for (const QString &options : refused)
            QVERIFY2(video(options).first().startsWith("refused"), qPrintable(options));

        const auto fastStart = [](const QString &format) {
            const ParsedRequest parsed = ParseEncoderArguments(SplitCommandLine(
                "a.mkv b.mkv -o out -ovc copy -oac pcm -of lavf -lavfopts format=" + format));
            return parsed.ok() ? parsed.request.fastStart : false;
        };
        QVERIFY(fastStart("mp4:faststart"));
        QVERIFY(!fastStart("mp4"));
        QVERIFY(!ParseEncoderArguments(SplitCommandLine("a -o b -ovc copy -oac pcm -of lavf "
                                                        "-lavfopts format=matroska:faststart"))
                     .ok());
        const FfmpegCommand join = translate(
            "a.mkv b.mkv -o out.mp4 -ovc copy -oac pcm -of lavf -lavfopts format=mp4:faststart",
            {{0, 1, 2.0}, {0, 1, 2.0}});
        QCOMPARE(optionValue(join.arguments, "-movflags"), QStringLiteral("+faststart"));
    }

    void joinReadsAListOfPictureLengths()
    {
        const FfmpegCommand c =
            translate(Mp4JoinOptions + QStringLiteral(" \"/t/a.avi\" \"/t/it's.avi\" -o \"o.mp4\""),
                      {{0, 1, 2.5}, {0, 1, 3.0}});
        QCOMPARE(c.concatList, QStringLiteral("ffconcat version 1.0\n"
                                              "file '/t/a.avi'\nduration 2.500000\n"
                                              "file '/t/it'\\''s.avi'\nduration 3.000000\n"));
        QCOMPARE(c.arguments.mid(c.arguments.indexOf("-f"), 11),
                 QStringList({"-f", "concat", "-safe", "0", "-format_whitelist",
                              AllowedInputFormats(true), "-protocol_whitelist", "file",
                              "-noautorotate", "-i", "file:/tmp/list.ffconcat"}));
        QCOMPARE(c.filterGraph,
                 QStringLiteral("[0:0]crop=trunc(iw/2)*2:trunc(ih/2)*2,format=yuv420p,"
                                "zscale=w=640:h=480:filter=bicubic,setsar=1[v];"
                                "[0:1]aresample=44100:async=1:"
                                "min_hard_comp=0.01:first_pts=0,apad,atrim=end=5.500000[a]"));
        QCOMPARE(optionValue(c.arguments, "-b:v"), QStringLiteral("1200000"));
        QCOMPARE(optionValue(c.arguments, "-mbd"), QStringLiteral("2"));
        QCOMPARE(optionValue(c.arguments, "-c:a"), QStringLiteral("libmp3lame"));
        QCOMPARE(optionValue(c.arguments, "-q:a"), QStringLiteral("6"));
        QCOMPARE(c.arguments.mid(c.arguments.size() - 3), QStringList({"-f", "mp4", "file:o.mp4"}));
    }

    void copyJoinCopiesBothStreams()
    {
        // Copied sound is laid down whole, the encoder's lead-in of 1024
        // samples included, so the next file starts after it: 91136 samples.
        InputFacts first{0, 1, 2.0};
        first.audioTimeBase = 1.0 / 44100;
        first.soundEnd = SoundEndFromPackets({{-1024, 1024}, {88064, 1024}, {89088, 512}}, first);
        const FfmpegCommand c =
            translate(QStringLiteral("-ovc copy -oac copy -of lavf /a.mp4 /b.mp4 -o o.mp4"),
                      {first, {0, 1, 3.0}});
        QCOMPARE(c.concatList, QStringLiteral("ffconcat version 1.0\n"
                                              "file '/a.mp4'\nduration 2.066576\n"
                                              "file '/b.mp4'\nduration 3.000000\n"));
        QVERIFY(c.filterGraph.isEmpty());
        QVERIFY(!c.arguments.contains("-filter_complex"));
        QCOMPARE(optionValue(c.arguments, "-c:v"), QStringLiteral("copy"));
        QCOMPARE(optionValue(c.arguments, "-c:a"), QStringLiteral("copy"));
        // The muxer follows the output's name.
        QCOMPARE(c.arguments.count("-f"), 1);
    }

    void factsSkipCoverPicturesAndFallBackToTheFileLength()
    {
        // A cover picture first; the sound's lead-in starts the file at
        // -0.023 s, and the picture 0.1 s after that.
        const double nan = std::nan("");
        ProbedFile file{-0.023, 2.2, {}};
        file.streams << ProbedStream{0, ProbedStream::Video, true, 0, 0.04, 1.0 / 90000}
                     << ProbedStream{1, ProbedStream::Audio, false, -0.023, 2.1, 1.0 / 44100}
                     << ProbedStream{2, ProbedStream::Video, false, 0.077, 2.0, 1.0 / 15360};
        const InputFacts facts = FactsOf(file);
        QCOMPARE(facts.videoStream, 2);
        QCOMPARE(facts.audioStream, 1);
        QCOMPARE(facts.audioTimeBase, 1.0 / 44100);
        QVERIFY(qAbs(facts.pictureEnd - 2.1) < 1e-9);
        QCOMPARE(facts.start, -0.023);
        // Without a length per stream: the whole file's; unknown stays < 0.
        file.streams[2].duration = nan;
        QCOMPARE(FactsOf(file).pictureEnd, 2.2);
        file.duration = nan;
        QVERIFY(FactsOf(file).pictureEnd < 0 && FactsOf(file).length < 0);
    }

    void unknownOptionsAreRefused()
    {
        for (const char *line :
             {"a.avi -o b.avi -ovc lavc -oac pcm -sws 2",
              "a.avi -o b.avi -ovc lavc -oac pcm -vf crop=10:10",
              "a.avi -o b.avi -ovc lavc -lavcopts vhq -oac pcm", "a.avi -ovc lavc -oac pcm"}) {
            const ParsedRequest parsed = ParseEncoderArguments(SplitCommandLine(line));
            QVERIFY2(!parsed.ok(), line);
        }
        QVERIFY(ParseEncoderArguments(SplitCommandLine("a.avi -o b.avi -ovc lavc -oac pcm -sws 2"))
                    .error.contains("-sws"));

        QTemporaryDir dir;
        const Run run = runEncoder({"a.avi", "-o", dir.filePath("b.avi"), "-frob"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.output.contains("-frob"), qPrintable(run.output));
        QVERIFY(!QFile::exists(dir.filePath("b.avi")));
    }

    // Every value is read in full and the filters are written from the
    // numbers read: text that would make a filter graph, an option or a file
    // of its own is refused (exit 2), and nothing is written.
    void valuesThatWouldRunAsCodeAreRefused()
    {
        QTemporaryDir dir;
        const QString victim = dir.filePath("victim.txt");
        QFile keep(victim);
        QVERIFY(keep.open(QIODevice::WriteOnly) && keep.write("keep") == 4);
        keep.close();
        const QStringList hostile{
            "-vf scale=320:240[a];[a]metadata=mode=print:file=" + victim,
            "-vf scale=320:240[a];movie=" + victim + "[b];[a][b]overlay",
            "-vf expand=640:480:0:0:black[p];[p]metadata=file=" + victim,
            "-vf scale=224",
            "-vf rotate=1[r]",
            "-lavcopts vcodec=mpeg4[x]",
            "-lavcopts vcodec=mpeg4:vqscale=2,metadata",
            "-lavcopts vcodec=mpeg4:aspect=16:9[x]",
            "-ofps 30,metadata=file=" + victim,
            "-of lavf -lavfopts format=tee",
            "-oac lavc -lavcopts acodec=mp2,anull",
            "-oac mp3lame -lameopts q=4[x]",
        };
        for (const QString &options : hostile) {
            const QString line = "a.avi -o b.avi -ovc lavc -oac pcm " + options;
            QVERIFY2(!ParseEncoderArguments(SplitCommandLine(line)).ok(), qPrintable(options));
        }
        // A line break would start an entry of its own in the list of files
        // to join.
        QVERIFY(!ParseEncoderArguments({"a.avi", "b\nfile '/etc/passwd'\n.avi", "-o", "c.avi",
                                        "-ovc", "copy", "-oac", "copy"})
                     .ok());

        const QString clip = dir.filePath("clip.mp4");
        QVERIFY(makeClip(clip, {320, 240, 1.0, 25, true}));
        const QString output = dir.filePath("out.avi");
        const Run run = runEncoder({clip, "-o", output, "-ovc", "lavc", "-oac", "pcm", "-vf",
                                    "scale=320:240[a];[a]metadata=mode=print:file=" + victim});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.output.contains("video filter scale=320:240[a]"), qPrintable(run.output));
        QVERIFY(keep.open(QIODevice::ReadOnly));
        QCOMPARE(keep.readAll(), QByteArray("keep"));
        QVERIFY(!QFile::exists(output));

        // A playlist under a video's name would have ffmpeg read the files it
        // names: it is no video the encoder reads, converted or copied.
        const QString playlist = dir.filePath("playlist.mp4");
        QFile list(playlist);
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\n" + clip.toUtf8() +
                   "\n#EXT-X-ENDLIST\n");
        list.close();
        const QStringList ways[] = {{playlist, "-o", output, "-ovc", "lavc", "-oac", "pcm"},
                                    {clip, playlist, "-o", output, "-ovc", "lavc", "-oac", "pcm"},
                                    {clip, playlist, "-o", dir.filePath("out.mp4"), "-ovc", "copy",
                                     "-oac", "copy", "-of", "lavf", "-lavfopts", "format=mp4"}};
        for (const QStringList &way : ways) {
            const Run read = runEncoder(way);
            QVERIFY2(read.exitCode != 0, qPrintable(way.join(' ') + '\n' + read.output));
        }
    }

    void silentLateClipGetsSoundOfItsLength()
    {
        QTemporaryDir dir;
        const QString clip = dir.filePath("late.mp4");
        QVERIFY(makeLateSilentClip(clip, dir.path()));
        const QString temp = dir.filePath("t.avi");
        const Run run = runEncoder(
            SplitCommandLine(QStringLiteral(" \"%1\" -o \"%2\"").arg(clip, temp) + ConvertOptions +
                             QStringLiteral(" -vf scale=480:360,expand=640:360,harddup")));
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));

        const QHash<QString, QJsonObject> streams = probeStreams(temp);
        QVERIFY(streams.contains("video") && streams.contains("audio"));
        const QJsonObject video = streams.value("video");
        QCOMPARE(video.value("r_frame_rate").toString(), QStringLiteral("30/1"));
        QCOMPARE(video.value("width").toInt(), 640);
        QCOMPARE(video.value("height").toInt(), 360);
        const double picture = video.value("nb_read_packets").toString().toDouble() / 30;
        const double sound = soundSeconds(temp);
        QVERIFY2(qAbs(picture - 3.0) <= 1.0 / 30 && qAbs(sound - picture) <= 1.0 / 30,
                 qPrintable(QString("picture %1 s, sound %2 s").arg(picture).arg(sound)));
    }

    void joinKeepsTheSummedLength()
    {
        QTemporaryDir dir;
        QStringList temps;
        const ClipSpec shapes[] = {
            {320, 240, 2.0, 25, true}, {640, 360, 1.5, 30, true}, {352, 288, 2.5, 24, false}};
        for (const ClipSpec &shape : shapes) {
            const QString clip = dir.filePath(QString("clip%1.mp4").arg(temps.size()));
            QVERIFY(makeClip(clip, shape));
            temps << dir.filePath(QString("t%1.avi").arg(temps.size()));
            const Run run = runEncoder(
                SplitCommandLine(QStringLiteral("\"%1\" -o \"%2\"").arg(clip, temps.last()) +
                                 ConvertOptions + QStringLiteral(" -vf scale=320:240")));
            QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        }
        const QString output = dir.filePath("joined.mp4");
        QTemporaryDir listDir;
        const Run run = runEncoder(SplitCommandLine(JoinCommandLine(temps, output, Mp4JoinOptions)),
                                   listDir.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        QVERIFY2(run.output.contains(QRegularExpression("Pos: \\d+\\.\\ds \\d+f\\n")),
                 qPrintable(run.output));
        QVERIFY2(QDir(listDir.path()).isEmpty(), "the list of files was left behind");

        const QHash<QString, QJsonObject> streams = probeStreams(output);
        const double picture = streams.value("video").value("duration").toString().toDouble();
        const double sound = soundSeconds(output);
        QVERIFY2(qAbs(picture - 6.0) <= 0.06 && qAbs(sound - 6.0) <= 0.06,
                 qPrintable(QString("picture %1 s, sound %2 s").arg(picture).arg(sound)));
    }

    // AAC sound carries an encoder lead-in in every file; copied as it is,
    // it must not push the sound of later files behind their pictures. The
    // copy is done in process, packet for packet as ffmpeg's concat demuxer
    // and its stream copy lay them down.
    void copyJoinKeepsSoundWithPictureAsFfmpegWould()
    {
        QTemporaryDir dir;
        QStringList clips;
        for (double seconds : {2.0, 1.5, 2.5}) {
            clips << dir.filePath(QString("c%1.mp4").arg(clips.size()));
            QVERIFY(makeClip(clips.last(), {320, 240, seconds, 25, true, "libx264"}));
        }
        const QStringList options{"-ovc", "copy", "-oac", "copy", "-of", "lavf"};
        const QString output = dir.filePath("copied.mp4");
        const Run run = runEncoder(options + clips + QStringList{"-o", output});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        const QHash<QString, QJsonObject> streams = probeStreams(output);
        const double picture = streams.value("video").value("duration").toString().toDouble();
        const double sound = soundSeconds(output);
        // Each boundary may hold the last picture for up to one sound packet.
        QVERIFY2(qAbs(sound - picture) <= 0.03 && picture >= 6.0 && picture <= 6.1,
                 qPrintable(QString("picture %1 s, sound %2 s").arg(picture).arg(sound)));

        const QString byFfmpeg = dir.filePath("ffmpeg.mp4");
        QVERIFY(joinWithFfmpeg(options + clips + QStringList{"-o", byFfmpeg}, dir.path()));
        const QByteArray packets = packetTable(output);
        QCOMPARE(packets, packetTable(byFfmpeg));
        // A progress line for every picture.
        const int pictures = packetsOf(packets, 0);
        QVERIFY(pictures >= 150);
        QCOMPARE(run.output.count(QRegularExpression("Pos: \\d+\\.\\ds \\d+f\\n")), pictures);
    }

    // Inputs number their streams in their own ways (here the sound first,
    // and a cover picture): each input's own picture and sound are copied.
    void copyJoinTakesEachInputsOwnStreams()
    {
        QTemporaryDir dir;
        const QString plain = dir.filePath("plain.mp4");
        const QString cover = dir.filePath("cover.png");
        const QString covered = dir.filePath("covered.mp4");
        QVERIFY(makeClip(plain, {320, 240, 1.0, 25, true, "libx264"}));
        const QString soundFirst = QStringLiteral("-map 0:a -map 0:v -map 1 -c copy -c:v:1 png "
                                                  "-disposition:v:1 attached_pic");
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "color=s=64x64",
                                "-frames:v", "1", cover});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y", "-i", plain, "-i", cover} +
                                   soundFirst.split(' ') + QStringList{covered});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);

        const QString output = dir.filePath("joined.mp4");
        const Run run = runEncoder(
            {"-ovc", "copy", "-oac", "copy", "-of", "lavf", covered, plain, "-o", output});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        const QByteArray packets = packetTable(output);
        const QByteArray one = packetTable(plain);
        QVERIFY(packetsOf(one, 0) >= 25 && packetsOf(one, 1) >= 40);
        QCOMPARE(packetsOf(packets, 0), 2 * packetsOf(one, 0));
        QCOMPARE(packetsOf(packets, 1), 2 * packetsOf(one, 1));
    }

    void copyJoinFailsOnAnUnreadableInputOrAFullDisk()
    {
        QTemporaryDir dir;
        const QString clip = dir.filePath("clip.mp4");
        const QString bad = dir.filePath("bad.mp4");
        QVERIFY(makeClip(clip, {320, 240, 2.0, 25, true, "libx264"}));
        QFile text(bad);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a video\n") > 0);
        text.close();
        const QStringList copy{"-ovc", "copy", "-oac",      "copy",
                               "-of",  "lavf", "-lavfopts", "format=mp4"};
        const Run unreadable =
            runEncoder(copy + QStringList{clip, bad, "-o", dir.filePath("out.mp4")});
        QCOMPARE(unreadable.exitCode, 1);
        QVERIFY2(unreadable.output.contains(bad + " cannot be read"),
                 qPrintable(unreadable.output));

        const Run full = runEncoder(copy + QStringList{clip, clip, "-o", "/dev/full"});
        QCOMPARE(full.exitCode, 1);
        QVERIFY2(full.output.contains("No space left on device"), qPrintable(full.output));
    }
    // A copied stream is decoded as its first input's codec from end to end,
    // so inputs whose codecs differ are refused, and an input that is no
    // longer what was checked when the join reopens it stops the join.
    void copyRefusesDifferentCodecsAndChangedInputs()
    {
        QTemporaryDir dir;
        const QString h264 = dir.filePath("h264.mp4");
        const QString mpeg4 = dir.filePath("mpeg4.mp4");
        QVERIFY(makeClip(h264, {320, 240, 1.0, 25, true, "libx264"}));
        QVERIFY(makeClip(mpeg4, {320, 240, 1.0, 25, true}));
        const QString output = dir.filePath("out.mp4");
        for (const char *sound : {"copy", "mp3lame"}) {
            const Run run = runEncoder(
                {"-ovc", "copy", "-oac", sound, "-of", "lavf", h264, mpeg4, "-o", output});
            QVERIFY2(run.exitCode != 0 && run.output.contains(mpeg4) &&
                         run.output.contains("mpeg4") && run.output.contains("h264"),
                     qPrintable(run.output));
            QVERIFY(!QFile::exists(output));
        }

        // The second input is replaced, after it was checked, by a file
        // whose sound comes first.
        const QString second = dir.filePath("second.mp4");
        QVERIFY(QFile::copy(h264, second));
        const ParsedRequest parsed = ParseEncoderArguments(
            {"-ovc", "copy", "-oac", "copy", "-of", "lavf", h264, second, "-o", output});
        QList<InputFacts> facts;
        QVERIFY(ProbeInputs(parsed.request.inputs, true, facts).ok);
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-i", h264, "-map", "0:a", "-map", "0:v", "-c",
                                "copy", dir.filePath("swapped.mp4")});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        QVERIFY(QFile::remove(second) && QFile::rename(dir.filePath("swapped.mp4"), second));
        const ToolResult joined = CopyJoin(parsed.request, facts);
        QVERIFY2(!joined.ok && joined.error.contains(second) && joined.error.contains("changed"),
                 qPrintable(joined.error));
    }
};

QTEST_GUILESS_MAIN(TestAsapi)
#include "test_asapi.moc"
