// Chapters and even loudness, end to end: the job's plan run step by step
// by the real encoder on clips made here, and the output read back with
// ffprobe and ffmpeg's own loudness meter.
#include "contract/chapterlist.h"
#include "engine/commandline.h"
#include "engine/jobplan.h"
#include "settings/encoderpieces.h"
#include "settings/profiles.h"
#include "testclips.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QString output;
};

Run runEncoder(const QStringList &arguments)
{
    QProcess encoder;
    encoder.setProcessChannelMode(QProcess::MergedChannels);
    encoder.start(buildProgramDir() + QStringLiteral("asapi.dll"), arguments);
    encoder.waitForFinished(300000);
    return {encoder.exitStatus() == QProcess::NormalExit ? encoder.exitCode() : -1,
            QString::fromLocal8Bit(encoder.readAll())};
}

// Every step of a plan as the job runs it, the chapter list written first.
bool runPlan(const JobPlan &plan)
{
    for (const PlanStep &step : plan.conversions) {
        const Run run = runEncoder(step.arguments);
        if (run.exitCode != 0) {
            qWarning("%s", qPrintable(run.output));
            return false;
        }
    }
    if (!plan.chapterListPath.isEmpty()) {
        QFile list(plan.chapterListPath);
        if (!list.open(QIODevice::WriteOnly) || list.write(plan.chapterListText.toUtf8()) < 0)
            return false;
    }
    const Run join = runEncoder(plan.join.arguments);
    if (join.exitCode != 0)
        qWarning("%s", qPrintable(join.output));
    return join.exitCode == 0;
}

// A plan for the shipped profile at its first-run choices.
JobPlan shippedPlan(const QString &profileName, const QStringList &inputs, const QString &work,
                    bool evenLoudness, const QStringList &chapterTitles)
{
    const QString profile = buildProgramDir() + QStringLiteral("Profiles/") + profileName;
    const WorkingSelection s = InitialSelection(*ReadProfile(profile));
    PlanSettings settings = ProfilePlanSettings(ReadEncoderPieces(s, profile));
    settings.workFolder = work + QLatin1Char('/');
    settings.joinTarget = settings.finalTarget = work + QStringLiteral("/joined.mp4");
    settings.evenLoudness = evenLoudness;
    settings.chapterTitles = chapterTitles;
    QList<PlanInput> planInputs;
    for (const QString &input : inputs)
        planInputs << PlanInput{input, 1, {}};
    return MakeJobPlan(planInputs, settings);
}

struct Chapter {
    QString title;
    double start = 0;
};

QList<Chapter> chaptersOf(const QString &path)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"), {"-v", "error", "-of", "json", "-show_chapters", path});
    probe.waitForFinished(60000);
    QList<Chapter> chapters;
    const QJsonArray list =
        QJsonDocument::fromJson(probe.readAllStandardOutput()).object().value("chapters").toArray();
    for (const QJsonValue &chapter : list) {
        const QJsonObject c = chapter.toObject();
        chapters << Chapter{c.value("tags").toObject().value("title").toString(),
                            c.value("start_time").toString().toDouble()};
    }
    return chapters;
}

QStringList titlesOf(const QList<Chapter> &chapters)
{
    QStringList titles;
    for (const Chapter &chapter : chapters)
        titles << chapter.title;
    return titles;
}

// The showing times of a file's pictures, in order.
QList<double> pictureTimes(const QString &path)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-select_streams", "v:0", "-show_entries", "packet=pts_time", "-of",
                 "csv=p=0", path});
    probe.waitForFinished(60000);
    QList<double> times;
    for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
        if (!line.trimmed().isEmpty())
            times << line.trimmed().toDouble();
    }
    std::sort(times.begin(), times.end());
    return times;
}

// Whether each chapter has its title and starts within a frame of where
// its video's first picture is shown: videos of the given frame counts.
bool chaptersMatch(const QList<Chapter> &chapters, const QStringList &titles,
                   const QList<int> &frames, const QList<double> &times, double frame)
{
    if (chapters.size() != titles.size() || times.size() < frames.size())
        return false;
    int first = 0;
    for (int i = 0; i < chapters.size(); ++i) {
        const double start = times.value(first, -1);
        if (chapters[i].title != titles[i] || qAbs(chapters[i].start - start) > frame) {
            qWarning("chapter %d: \"%s\" at %f, its video at %f", i, qPrintable(chapters[i].title),
                     chapters[i].start, start);
            return false;
        }
        first += frames[i];
    }
    return true;
}

// ffmpeg's EBU R128 meter over a stretch of a file's sound: the integrated
// loudness (LUFS) and the true peak (dBTP).
struct Loudness {
    double integrated = 0;
    double truePeak = 0;
};

std::optional<Loudness> loudnessOf(const QString &path, double from = 0, double seconds = 0)
{
    QStringList args{"-nostdin", "-hide_banner", "-nostats", "-ss", QString::number(from), "-i",
                     path};
    if (seconds > 0)
        args << "-t" << QString::number(seconds);
    args << "-map"
         << "0:a"
         << "-af"
         << "ebur128=peak=true"
         << "-f"
         << "null"
         << "-";
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), args);
    ffmpeg.waitForFinished(120000);
    // The summary at the end: "I: -16.0 LUFS" and, under "True peak:", "Peak: -2.1 dBFS".
    const QString text = QString::fromLocal8Bit(ffmpeg.readAllStandardError());
    const qsizetype summary = text.lastIndexOf(QStringLiteral("Summary:"));
    static const QRegularExpression integrated(QStringLiteral("I:\\s+(-?[0-9.]+) LUFS"));
    static const QRegularExpression peak(QStringLiteral("Peak:\\s+(-?[0-9.]+|-inf) dBFS"));
    const QRegularExpressionMatch i = integrated.match(text, summary);
    const QRegularExpressionMatch p = peak.match(text, summary);
    if (summary < 0 || !i.hasMatch() || !p.hasMatch())
        return std::nullopt;
    return Loudness{i.captured(1).toDouble(), p.captured(1).toDouble()};
}

// A clip whose sound is a tone, with short bursts sixteen times as strong
// (which a plain gain would push past full scale) or without, brought to
// the given loudness.
bool makeClipAt(const QString &path, double lufs, bool bursts, const QString &work)
{
    const QString raw = work + QStringLiteral("/raw-") + QFileInfo(path).fileName();
    const QString burst = QStringLiteral("+if(lt(mod(t\\,1)\\,0.002)\\,0.08*sin(2*PI*3000*t)\\,0)");
    const QString sound = QStringLiteral("aevalsrc=0.005*sin(2*PI*440*t)%1:s=48000:c=stereo:d=4")
                              .arg(bursts ? burst : QString());
    if (!runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=4", "-f", "lavfi",
                    "-i", sound, "-c:v", "mpeg4", "-c:a", "pcm_s16le", raw}))
        return false;
    const std::optional<Loudness> measured = loudnessOf(raw);
    if (!measured)
        return false;
    const QString gain = QStringLiteral("volume=%1dB").arg(lufs - measured->integrated);
    return runFfmpeg({"-i", raw, "-c:v", "copy", "-af", gain, "-c:a", "pcm_s16le", path});
}

} // namespace

class TestChapters : public QObject {
    Q_OBJECT

private slots:
    // A chapter per video, titled with its file's name without the
    // extension, where that video starts: re-encoded to MP4 through the
    // job's plan, and copied into Matroska with titles no command line
    // could carry.
    void aChapterStartsWhereEachVideoStarts()
    {
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString hostile = QStringLiteral("take=1;b#2\\c");
        const QStringList clips{work.filePath("first.clip.mkv"), work.filePath(hostile + ".mkv"),
                                work.filePath("third.mkv")};
        const double seconds[] = {1.2, 2.0, 1.4};
        for (int i = 0; i < clips.size(); ++i)
            QVERIFY(makeClip(clips[i], {320, 240, seconds[i], 25, true}));

        QStringList titles;
        for (const QString &clip : clips)
            titles << ChapterTitleOf(clip);
        QCOMPARE(titles, QStringList({"first.clip", hostile, "third"}));
        const JobPlan plan = shippedPlan(QStringLiteral("MP4 - H.264 and AAC.bpf"), clips,
                                         work.path(), false, titles);
        QVERIFY(CommandText(plan.join.arguments).contains(QStringLiteral(" -chapters ")));
        QVERIFY(!CommandText(plan.join.arguments).contains(hostile));
        QVERIFY(runPlan(plan));
        // Each conversion pads its video to the input's whole length, so
        // the temporaries tell how many pictures each video brings.
        QList<int> frames;
        for (const PlanStep &step : plan.conversions)
            frames << pictureTimes(step.target).size();
        QVERIFY(chaptersMatch(chaptersOf(plan.join.target), titles, frames,
                              pictureTimes(plan.join.target), 1.0 / 30));

        // Titles no file name here can have: a line break beside every
        // character the metadata format escapes, and a line of its own.
        const QStringList copied{"one", "a=b;c#d\\e\nf", "[CHAPTER]"};
        const QString list = work.filePath("copied.txt");
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ChapterListText(copied).toUtf8());
        file.close();
        QVERIFY(QFile::remove(plan.chapterListPath) && QFile::copy(list, plan.chapterListPath));
        QCOMPARE(runEncoder(plan.join.arguments).exitCode, 0);
        QCOMPARE(titlesOf(chaptersOf(plan.join.target)), copied);

        // Copied into Matroska.
        const QString output = work.filePath("copied.mkv");
        const Run copy = runEncoder(SplitCommandLine(
            QStringLiteral("-ovc copy -oac copy -of lavf -lavfopts format=matroska "
                           "-chapters \"%1\" \"%2\" \"%3\" \"%4\" -o \"%5\"")
                .arg(list, clips[0], clips[1], clips[2], output)));
        QVERIFY2(copy.exitCode == 0, qPrintable(copy.output));
        QVERIFY(chaptersMatch(chaptersOf(output), copied, {30, 50, 35}, pictureTimes(output),
                              1.0 / 25));

        // A list that does not name one title per input is refused.
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ChapterListText({"one", "two"}).toUtf8());
        file.close();
        const Run refused =
            runEncoder(SplitCommandLine(QStringLiteral("-ovc copy -oac copy -of lavf -chapters "
                                                       "\"%1\" \"%2\" \"%3\" \"%4\" -o \"%5\"")
                                            .arg(list, clips[0], clips[1], clips[2], output)));
        QCOMPARE(refused.exitCode, 2);
    }

    // A quiet clip and a loud one, each evened out in its conversion, come
    // out as loud as each other, and nothing clips.
    void evenLoudnessBringsEveryVideoToOneLevel()
    {
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QStringList clips{work.filePath("quiet.mkv"), work.filePath("loud.mkv")};
        QVERIFY(makeClipAt(clips[0], -35, true, work.path()));
        QVERIFY(makeClipAt(clips[1], -12, false, work.path()));
        QVERIFY(qAbs(loudnessOf(clips[0])->integrated + 35) < 1);
        QVERIFY(qAbs(loudnessOf(clips[1])->integrated + 12) < 1);

        const JobPlan plan =
            shippedPlan(QStringLiteral("MP4 - H.264 and AAC.bpf"), clips, work.path(), true, {});
        QVERIFY(runPlan(plan));
        const std::optional<Loudness> first = loudnessOf(plan.join.target, 0, 4);
        const std::optional<Loudness> second = loudnessOf(plan.join.target, 4, 4);
        const std::optional<Loudness> whole = loudnessOf(plan.join.target);
        QVERIFY(first && second && whole);
        const QString figures = QStringLiteral("%1 and %2 LUFS, peak %3 dBTP")
                                    .arg(first->integrated)
                                    .arg(second->integrated)
                                    .arg(whole->truePeak);
        QVERIFY2(qAbs(first->integrated - second->integrated) <= 2, qPrintable(figures));
        QVERIFY2(qAbs(first->integrated + 16) <= 1.5, qPrintable(figures));
        QVERIFY2(whole->truePeak <= -1, qPrintable(figures));
        qInfo("%s", qPrintable(figures));
    }
};

QTEST_GUILESS_MAIN(TestChapters)
#include "test_chapters.moc"
