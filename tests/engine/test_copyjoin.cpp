// Joining by copying the streams: which inputs may be copied, what Start
// says about those that may not, and the plan of such a join.
#include "engine/copycheck.h"
#include "engine/jobplan.h"
#include "engine/progressparser.h"
#include "settings/optionbuilder.h"
#include "settings/profiles.h"
#include "tasklist/mediaprobe.h"
#include "testclips.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString CopyProfileName = QStringLiteral("Same as the inputs (no re-encoding)");

// A phone's chapter file as the media library describes it.
ProbeResult chapterFacts()
{
    ProbeResult facts;
    facts.hasPlayTime = facts.hasVideo = facts.hasAudio = true;
    facts.seconds = 15;
    facts.containerFormat = QStringLiteral("MPEG-4");
    facts.videoFormat = QStringLiteral("AVC");
    facts.width = 1280;
    facts.height = 720;
    facts.displayAspect = 16.0 / 9;
    facts.frameRate = QStringLiteral("30.000");
    facts.audioFormat = QStringLiteral("AAC");
    facts.sampleRate = QStringLiteral("48000");
    facts.channels = QStringLiteral("2");
    return facts;
}

void change(ProbeResult &facts, const QString &fact, const QString &value)
{
    if (fact == QLatin1String("container"))
        facts.containerFormat = value;
    else if (fact == QLatin1String("video codec"))
        facts.videoFormat = value;
    else if (fact == QLatin1String("frame size")) {
        facts.width = value.section(QLatin1Char('x'), 0, 0).toInt();
        facts.height = value.section(QLatin1Char('x'), 1).toInt();
    } else if (fact == QLatin1String("frame rate"))
        facts.frameRate = value;
    else if (fact == QLatin1String("sound codec"))
        facts.audioFormat = value;
    else if (fact == QLatin1String("sample rate"))
        facts.sampleRate = value;
    else if (fact == QLatin1String("channel count"))
        facts.channels = value;
    else if (fact == QLatin1String("length"))
        facts.seconds = value.toDouble();
}

PlanInput input(const QString &path, const ProbeResult &facts)
{
    PlanInput planned;
    planned.path = path;
    planned.seconds = facts.seconds;
    planned.facts = facts;
    return planned;
}

} // namespace

class TestCopyJoin : public QObject {
    Q_OBJECT
private slots:
    void onlyInputsOfOneShapeAreCopied_data();
    void onlyInputsOfOneShapeAreCopied();
    void clipsThatPlayDifferentlyAreRefused_data();
    void clipsThatPlayDifferentlyAreRefused();
    void shippedProfileCopiesAndSuggestsAReencodingOne();
    void copyPlanIsOneJoinOfTheInputsOverTheWholeBar();
};

void TestCopyJoin::onlyInputsOfOneShapeAreCopied_data()
{
    QTest::addColumn<int>("changed"); // which of a.mp4, b.mp4, /other/a.mp4
    QTest::addColumn<QString>("fact");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("refusal"); // empty: accepted

    const QString suggestion =
        QStringLiteral(" Choose a profile that re-encodes, such as \"AVI - MPEG-4 and MP3\".");
    // Names tell the files apart, paths when two names are the same.
    const auto says = [&](const QString &who, const QString &what) {
        const QString first = who.startsWith('/') ? "/in/a.mp4" : "a.mp4";
        return QStringLiteral("\"%1\" differs from \"%2\" in its %3.").arg(who, first, what) +
               suggestion;
    };
    QTest::newRow("all alike") << 1 << QString() << QString() << QString();
    // Play time and display shape are no business of the copy.
    QTest::newRow("another length") << 1 << "length"
                                    << "4.5" << QString();
    QTest::newRow("container") << 2 << "container"
                               << "AVI" << says("/other/a.mp4", "container (AVI, not MPEG-4)");
    QTest::newRow("video codec") << 1 << "video codec"
                                 << "HEVC" << says("b.mp4", "video codec (HEVC, not AVC)");
    QTest::newRow("frame size") << 1 << "frame size"
                                << "640x360" << says("b.mp4", "frame size (640x360, not 1280x720)");
    QTest::newRow("frame rate") << 2 << "frame rate"
                                << "29.970"
                                << says("/other/a.mp4", "frame rate (29.970, not 30.000)");
    QTest::newRow("no sound") << 1 << "sound codec" << QString()
                              << says("b.mp4", "sound codec (none, not AAC)");
    QTest::newRow("sample rate") << 1 << "sample rate"
                                 << "44100" << says("b.mp4", "sample rate (44100, not 48000)");
    QTest::newRow("channels") << 1 << "channel count"
                              << "1" << says("b.mp4", "channel count (1, not 2)");
}

void TestCopyJoin::onlyInputsOfOneShapeAreCopied()
{
    QFETCH(int, changed);
    QFETCH(QString, fact);
    QFETCH(QString, value);
    QFETCH(QString, refusal);
    QList<PlanInput> inputs{input("/in/a.mp4", chapterFacts()), input("/in/b.mp4", chapterFacts()),
                            input("/other/a.mp4", chapterFacts())};
    change(inputs[changed].facts, fact, value);

    const std::optional<StartRefusal> found = CheckCopyJoin(inputs, "AVI - MPEG-4 and MP3");
    QCOMPARE(found.has_value(), !refusal.isEmpty());
    if (!found)
        return;
    QCOMPARE(found->text, refusal);
    QCOMPARE(found->title, QStringLiteral("Videos Differ"));
    QCOMPARE(FirstCopyDifference({chapterFacts(), inputs.at(changed).facts})->fact, fact);
}

namespace {

// A phone's clip: H.264 and AAC in MPEG-4, made with the given options.
bool makePhoneClip(const QString &path, const QString &seconds, const QStringList &options)
{
    return runFfmpeg(
        QStringList{"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=" + seconds, "-f",
                    "lavfi", "-i", "sine=duration=" + seconds, "-c:v", "libx264", "-c:a", "aac"} +
        options + QStringList{path});
}

} // namespace

// The media library's facts of real files: a picture that the header of
// the join would describe wrongly is refused; a clip of the same shape is not.
void TestCopyJoin::clipsThatPlayDifferentlyAreRefused_data()
{
    QTest::addColumn<QStringList>("making"); // from the upright clip; empty: a new clip
    QTest::addColumn<QString>("fact");       // empty: joined

    QTest::newRow("another clip alike") << QStringList() << QString();
    QTest::newRow("turned a quarter")
        << QStringList{"-c", "copy", "-metadata:s:v:0", "rotate=90"} << "rotation";
    QTest::newRow("10-bit") << QStringList{"-c:v",        "libx264", "-pix_fmt",
                                           "yuv420p10le", "-c:a",    "copy"}
                            << "bit depth";
    QTest::newRow("4:2:2") << QStringList{"-c:v", "libx264", "-pix_fmt", "yuv422p", "-c:a", "copy"}
                           << "chroma format";
    QTest::newRow("4:3 pixels") << QStringList{"-c:v", "libx264",    "-pix_fmt", "yuv420p",
                                               "-vf",  "setsar=4/3", "-c:a",     "copy"}
                                << "pixel aspect ratio";
}

void TestCopyJoin::clipsThatPlayDifferentlyAreRefused()
{
    QFETCH(QStringList, making);
    QFETCH(QString, fact);
    QTemporaryDir dir;
    const QString upright = dir.filePath("upright.mp4");
    const QString other = dir.filePath("other.mp4");
    QVERIFY(makePhoneClip(upright, "1", {"-pix_fmt", "yuv420p"}));
    QVERIFY(making.isEmpty() ? makePhoneClip(other, "2.5", {"-pix_fmt", "yuv420p", "-crf", "35"})
                             : runFfmpeg(QStringList{"-i", upright} + making + QStringList{other}));

    const ProbeResult first = ProbeMediaFile(upright);
    const ProbeResult second = ProbeMediaFile(other);
    const std::optional<StartRefusal> refusal =
        CheckCopyJoin({input(upright, first), input(other, second)}, QString());
    QCOMPARE(refusal.has_value(), !fact.isEmpty());
    if (!refusal)
        return;
    const std::optional<CopyDifference> difference = FirstCopyDifference({first, second});
    QCOMPARE(difference->fact, fact);
    QVERIFY2(
        refusal->text.startsWith(
            QStringLiteral("\"other.mp4\" differs from \"upright.mp4\" in its %1 (%2, not %3).")
                .arg(fact, difference->found, difference->expected)),
        qPrintable(refusal->text));
}

void TestCopyJoin::shippedProfileCopiesAndSuggestsAReencodingOne()
{
    const QString path = ProfilePath(buildProgramDir(), CopyProfileName);
    const std::optional<OutputProfile> profile = ReadProfile(path);
    QVERIFY(profile);
    QVERIFY(profile->copiesStreams && ProfileCopiesStreams(path));
    QVERIFY(profile->outputExtension.isEmpty());
    QCOMPARE(BuildJoinOptions(InitialSelection(*profile), path), CopyJoinOptions());
    QCOMPARE(ReencodingProfile(buildProgramDir()), QStringLiteral("AVI - MPEG-4 and MP3"));
    QCOMPARE(CopyOutputExtension("/in/Clip.2.MP4"), QStringLiteral(".MP4"));
}

void TestCopyJoin::copyPlanIsOneJoinOfTheInputsOverTheWholeBar()
{
    const QList<PlanInput> inputs{input("/in/a.mp4", chapterFacts()),
                                  input("/in/b.mp4", chapterFacts())};
    PlanSettings settings;
    settings.joinOptions = CopyJoinArguments();
    settings.workFolder = "/temp/job/";
    settings.joinTarget = "/out/.joined.partial.mp4";
    settings.finalTarget = "/out/joined.mp4";
    settings.copyStreams = true;
    const JobPlan copy = MakeJobPlan(inputs, settings);
    QVERIFY(copy.conversions.isEmpty());
    QCOMPARE(copy.describe("/p/asapi.dll"),
             QStringList{"\"/p/asapi.dll\" -ovc copy -oac copy -of lavf \"/in/a.mp4\" "
                         "\"/in/b.mp4\" -o \"/out/.joined.partial.mp4\""});

    // The bar a join fills: all of it alone, the half after the conversions.
    const auto totalAt = [](const PlanStep &join, double position) {
        ProgressParams params;
        params.currentSpan = join.seconds;
        params.totalSpan = join.totalSpan;
        params.totalOffset = join.totalOffset;
        return ComputeBars(position, params, ProgressBars()).total;
    };
    QCOMPARE(totalAt(copy.join, 0), 0);
    QCOMPARE(totalAt(copy.join, 15), 50);
    QCOMPARE(totalAt(copy.join, 30), 100);
    settings.copyStreams = false;
    const JobPlan converting = MakeJobPlan(inputs, settings);
    QCOMPARE(converting.conversions.size(), 2);
    QCOMPARE(totalAt(converting.join, 0), 50);
    QCOMPARE(totalAt(converting.join, 30), 100);
}

QTEST_GUILESS_MAIN(TestCopyJoin)
#include "test_copyjoin.moc"
