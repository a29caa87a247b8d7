#include "contract/chapterlist.h"
#include "engine/commandline.h"
#include "engine/firstvideo.h"
#include "engine/jobplan.h"
#include "mediafacts.h"
#include "settings/inifile.h"
#include "settings/optionbuilder.h"
#include "settings/outputchoices.h"
#include "settings/profiles.h"
#include "tasklist/mediaprobe.h"
#include "testclips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstddef>
#include <string>

#include <MediaInfoDLL/MediaInfoDLL_Static.h>

// Every shipped profile, run through the real encoder the way a job runs it:
// the command lines of the job's plan, each input converted into a
// temporary that holds the profile's picture, the temporaries joined with
// the profile's sound and container.

namespace {

struct MediaFacts {
    QString format;        // general "Format"
    QString formatProfile; // general "Format_Profile"
    double seconds = -1;
    int videoStreams = 0;
    int audioStreams = 0;
    QString videoFormat, audioFormat; // "AVC", "AAC"...
    bool streamable = false;          // the index stands before the pictures
};

QString ask(void *handle, MediaInfo_stream_C stream, const wchar_t *parameter)
{
    const wchar_t *answer =
        MediaInfo_Get(handle, stream, 0, parameter, MediaInfo_Info_Text, MediaInfo_Info_Name);
    return answer ? QString::fromWCharArray(answer) : QString();
}

MediaFacts probe(const QString &path)
{
    MediaFacts facts;
    void *handle = MediaInfo_New();
    const std::wstring widePath = path.toStdWString();
    if (MediaInfo_Open(handle, widePath.c_str())) {
        facts.format = ask(handle, MediaInfo_Stream_General, L"Format");
        facts.formatProfile = ask(handle, MediaInfo_Stream_General, L"Format_Profile");
        bool ok = false;
        const double ms = ask(handle, MediaInfo_Stream_General, L"Duration").toDouble(&ok);
        facts.seconds = ok ? ms / 1000 : -1;
        facts.videoStreams = ask(handle, MediaInfo_Stream_General, L"VideoCount").toInt();
        facts.audioStreams = ask(handle, MediaInfo_Stream_General, L"AudioCount").toInt();
        facts.videoFormat = ask(handle, MediaInfo_Stream_Video, L"Format");
        facts.audioFormat = ask(handle, MediaInfo_Stream_Audio, L"Format");
        facts.streamable = ask(handle, MediaInfo_Stream_General, L"IsStreamable") == "Yes";
        MediaInfo_Close(handle);
    }
    MediaInfo_Delete(handle);
    return facts;
}

// The container MediaInfo names for an output extension.
bool containerMatches(const QString &extension, const MediaFacts &facts)
{
    const QString ext = extension.toLower();
    if (ext == ".avi")
        return facts.format == "AVI";
    if (ext == ".mpg" || ext == ".mpeg" || ext == ".vob")
        return facts.format == "MPEG-PS";
    if (ext == ".mp4")
        return facts.format == "MPEG-4" && facts.formatProfile != "QuickTime";
    if (ext == ".mov")
        return facts.format == "MPEG-4" && facts.formatProfile == "QuickTime";
    if (ext == ".flv")
        return facts.format == "Flash Video";
    if (ext == ".wmv" || ext == ".asf")
        return facts.format == "Windows Media";
    if (ext == ".mkv")
        return facts.format == "Matroska";
    if (ext == ".webm")
        return facts.format == "WebM";
    return false;
}

// Runs the encoder with arguments as a job builds them; the encoder's
// last words when it fails.
QString runEncoder(const QStringList &arguments)
{
    const QString commandLine = CommandText(arguments);
    QProcess encoder;
    encoder.setProgram(buildProgramDir() + "asapi.dll");
    encoder.setArguments(arguments);
    encoder.setProcessChannelMode(QProcess::MergedChannels);
    encoder.start();
    if (!encoder.waitForFinished(600000)) {
        encoder.kill();
        encoder.waitForFinished();
        return "the encoder did not finish: " + commandLine;
    }
    const QString output = QString::fromLocal8Bit(encoder.readAll());
    if (encoder.exitStatus() != QProcess::NormalExit || encoder.exitCode() != 0)
        return commandLine + "\n" + output.right(1500);
    return QString();
}

// The plan a job makes of these inputs with this selection, its
// temporaries in workFolder.
JobPlan planOf(const QStringList &inputs, const WorkingSelection &s, const QString &profilePath,
               const QString &workFolder, const QString &output)
{
    QList<PlanInput> planned;
    for (const QString &input : inputs)
        planned << PlanInput{input, 0, ProbeMediaFile(input)};
    const EncoderPieces pieces = ReadEncoderPieces(s, profilePath);
    PlanSettings settings = ProfilePlanSettings(pieces);
    // The first video's size and rate where a choice takes them.
    const JobPictureFormat format = PictureFormatOfJob(pieces, planned.first().facts);
    if (format.frame)
        settings.frameSize = *format.frame;
    if (format.rate)
        settings.frameRate = *format.rate;
    settings.workFolder = workFolder;
    settings.joinTarget = output;
    settings.finalTarget = output;
    settings.evenLoudness = LoudnessEvened(s, profilePath);
    if (ChaptersChosen(s, profilePath) && CarriesChapters("." + QFileInfo(output).suffix())) {
        for (const QString &input : inputs)
            settings.chapterTitles << ChapterTitleOf(input);
    }
    return MakeJobPlan(planned, settings);
}

// The chapter list a job writes before its join, when the plan has one.
bool writeChapterList(const JobPlan &plan)
{
    QFile list(plan.chapterListPath);
    return plan.chapterListPath.isEmpty() ||
           (list.open(QIODevice::WriteOnly) && list.write(plan.chapterListText.toUtf8()) >= 0);
}

} // namespace

class TestShippedProfilesEncode : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFile::exists(buildProgramDir() + "asapi.dll"),
                 "the program directory has no encoder");
        // Different sizes and frame rates, so the conversion has real work.
        m_clips = {m_dir.filePath("first clip.mp4"), m_dir.filePath("second clip.mpg")};
        QVERIFY(makeClip(m_clips[0], {320, 240, 5.0, 25, true}));
        QVERIFY(makeClip(m_clips[1], {640, 360, 4.0, 30, true}));
        for (const QString &clip : m_clips) {
            const double seconds = probe(clip).seconds;
            QVERIFY(seconds > 0);
            m_totalSeconds += seconds;
        }
    }

    void initialChoicesConvertAndJoin_data() { addProfileRows(); }

    void initialChoicesConvertAndJoin()
    {
        QFETCH(QString, path);
        const std::optional<OutputProfile> profile = ReadProfile(path);
        QVERIFY(profile);
        const WorkingSelection selection = InitialSelection(*profile);
        QVERIFY(AudioBitrateAcceptable(selection));
        QVERIFY(!FindUnusableValue(selection, path));

        const QString output = m_dir.filePath("joined" + profile->outputExtension);
        QFile::remove(output);
        const JobPlan plan = planOf(m_clips, selection, path, m_dir.filePath("initial/"), output);
        QVERIFY(QDir().mkpath(plan.workFolder));
        QVERIFY(writeChapterList(plan));
        for (const PlanStep &step : plan.conversions + QList<PlanStep>{plan.join}) {
            QFile::remove(step.target);
            const QString failure = runEncoder(step.arguments);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }

        QVERIFY(QFile::exists(output));
        const MediaFacts facts = probe(output);
        QVERIFY2(containerMatches(profile->outputExtension, facts),
                 qPrintable(facts.format + " / " + facts.formatProfile));
        QCOMPARE(facts.videoStreams, 1);
        QCOMPARE(facts.audioStreams, 1);
        // The encoders named by the newer profiles are the formats written.
        const QHash<QString, QString> formats{{"libx264", "AVC"},
                                              {"libx265", "HEVC"},
                                              {"libvpx-vp9", "VP9"},
                                              {"aac", "AAC"},
                                              {"libopus", "Opus"}};
        const QString vcodec = ReadProfileValue(path, VideoCodecSection, selection.videoCodec, "");
        const QString acodec = ReadProfileValue(path, AudioCodecSection, selection.audioCodec, "");
        QCOMPARE(facts.videoFormat, formats.value(vcodec, facts.videoFormat));
        QCOMPARE(facts.audioFormat, formats.value(acodec, facts.audioFormat));
        if (IniFile(path).readBool("Main", "Fast Start", false))
            QVERIFY(facts.streamable);
        // The video runs the whole length instead of freezing after a few
        // frames, which would leave the stream almost empty.
        // A constant quality spends little on these plain clips, but far
        // more than a frozen picture would.
        const double kbit = VideoKbitPerSecond(output);
        const bool constantQuality =
            !ReadProfileValue(path, VideoQualitySection, selection.videoQuality, "bitrate")
                 .startsWith("bitrate");
        const double least = constantQuality ? 20 : 0.2 * selection.videoBitrate.toDouble();
        QVERIFY2(kbit > least, qPrintable(QString("%1 kbit/s").arg(kbit)));
        QVERIFY2(
            qAbs(facts.seconds - m_totalSeconds) <= 0.03 * m_totalSeconds,
            qPrintable(QString("%1 s joined, %2 s put in").arg(facts.seconds).arg(m_totalSeconds)));
    }

    // Every choice a profile offers, one at a time with the others at their
    // initial position, must be one the encoder accepts.
    void everyChoiceIsAccepted_data() { addProfileRows(); }

    void everyChoiceIsAccepted()
    {
        QFETCH(QString, path);
        const std::optional<OutputProfile> profile = ReadProfile(path);
        QVERIFY(profile);
        const QString clip = shortClip();
        QVERIFY(!clip.isEmpty());
        const QString output = m_dir.filePath("choice" + profile->outputExtension);
        for (const ProfileOption &option : profile->options) {
            for (int k = 0; k < option.captions.size(); ++k) {
                WorkingSelection s = InitialSelection(*profile);
                choose(s, option, k);
                // Start would refuse the choice otherwise.
                const std::optional<UnusableValue> refused = FindUnusableValue(s, path);
                QVERIFY2(!refused, qPrintable(option.section + ": " +
                                              refused.value_or(UnusableValue()).text));
                QFile::remove(output);
                const JobPlan plan = planOf({clip}, s, path, pictureFolder(s, path), output);
                // Choices of the sound share the temporary of their picture.
                if (!QFile::exists(plan.conversions.first().target)) {
                    QVERIFY(QDir().mkpath(plan.workFolder));
                    const QString failure = runEncoder(plan.conversions.first().arguments);
                    QVERIFY2(failure.isEmpty(), qPrintable(option.section + ": " + failure));
                }
                QVERIFY(writeChapterList(plan));
                const QString failure = runEncoder(plan.join.arguments);
                QVERIFY2(failure.isEmpty(), qPrintable(option.section + ": " + failure));
                QVERIFY2(containerMatches(profile->outputExtension, probe(output)),
                         qPrintable(CommandText(plan.join.arguments)));
            }
        }
    }

private:
    void addProfileRows()
    {
        QTest::addColumn<QString>("path");
        const QString programDir = buildProgramDir();
        // The copying profile joins only inputs of one shape, and the
        // automatic one copies or re-encodes with another; the command
        // line's real test covers them.
        for (const QString &entry : ProfileCatalogue(programDir)) {
            const QString path = ProfilePath(programDir, entry);
            if (!ProfileCopiesStreams(path) && !ProfileChoosesForInputs(path))
                QTest::newRow(qPrintable(entry)) << ProfilePath(programDir, entry);
        }
    }

    // One second of video to convert with every choice.
    QString shortClip()
    {
        const QString clip = m_dir.filePath("short.mp4");
        return QFile::exists(clip) || makeClip(clip, {320, 240, 1.0, 25, true}) ? clip : QString();
    }

    // A folder of temporaries for each picture a selection makes.
    QString pictureFolder(const WorkingSelection &s, const QString &profilePath)
    {
        // An evened-out sound is the conversion's, too.
        const QString picture = BuildPictureCodecOptions(s, profilePath) + " " +
                                BuildFrameSize(s, profilePath).value_or(FrameSize()).text() +
                                (LoudnessEvened(s, profilePath) ? " evened" : "");
        if (!m_pictures.contains(picture))
            m_pictures.insert(picture, m_pictures.size());
        return m_dir.filePath(QString("picture%1/").arg(m_pictures.value(picture)));
    }

    static void choose(WorkingSelection &s, const ProfileOption &option, int k)
    {
        const QString &caption = option.captions.at(k);
        if (option.section == VideoCodecSection)
            s.videoCodec = k;
        else if (option.section == VideoSizeSection)
            s.videoSize = k;
        else if (option.section == VideoBitrateSection)
            s.videoBitrate = caption;
        else if (option.section == AspectSection)
            s.aspect = k;
        else if (option.section == AudioCodecSection)
            s.audioCodec = k, s.audioCodecText = caption;
        else if (option.section == Mp3EncodeSection)
            s.mp3Mode = k;
        else if (option.section == VbrQualitySection)
            s.mp3Quality = k;
        else if (option.section == AbrCbrBitrateSection)
            s.mp3Mode = 1, s.mp3Bitrate = k; // the bitrate counts in the other modes only
        else if (option.section == AudioBitrateSection)
            s.audioBitrate = caption;
        else if (option.section == SampleRateSection)
            s.sampleRate = caption;
        else if (option.section == ChannelsSection)
            s.channels = k;
        else if (option.section == VideoQualitySection)
            s.videoQuality = k;
        else if (option.section == SpeedSection)
            s.speed = k;
        else if (option.section == FrameRateSection)
            s.frameRate = k;
        else if (option.section == LoudnessSection)
            s.loudness = k;
        else if (option.section == ChaptersSection)
            s.chapters = k;
    }

    QTemporaryDir m_dir;
    QStringList m_clips;
    double m_totalSeconds = 0;
    QHash<QString, int> m_pictures;
};

QTEST_GUILESS_MAIN(TestShippedProfilesEncode)
#include "test_shippedprofiles_encode.moc"
