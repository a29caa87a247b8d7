#include "settings/optionbuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A profile with the values the worked example names, at position 0 of each
// section, and a second choice where a test needs one.
const QByteArray ExampleProfile = "[Video Codec]\nvalue0=mpeg4\nvalue1=msmpeg4v2\n"
                                  "[Video Size]\nvalue0=640:480\nvalue1=320:240\n"
                                  "[Aspect]\nvalue0=never read\nvalue1=4/3\n"
                                  "[Audio Codec]\nvalue0=mp3\nvalue1=mp2\nvalue2=pcm\n"
                                  "[MP3 Encode]\nvalue0=vbr\nvalue1=abr\nvalue2=VBR\n"
                                  "[VBR Quality]\nvalue0=4\n"
                                  "[ABR CBR Bitrate]\nvalue0=160\n"
                                  "[Channels]\nvalue0=2\nvalue1=1\n";

WorkingSelection exampleSelection()
{
    WorkingSelection s;
    s.videoCodec = 0;
    s.videoBitrate = "1200";
    s.aspect = 0;
    s.audioCodec = 0;
    s.audioCodecText = "MP3";
    s.audioBitrate = "128";
    s.mp3Mode = 0;
    s.mp3Quality = 0;
    s.mp3Bitrate = 0;
    s.channels = 0;
    s.listSize = true;
    s.videoSize = 0;
    s.sampleRate = "44100";
    return s;
}

WorkingSelection mp2Selection(const QString &caption, const QString &bitrate)
{
    WorkingSelection s = exampleSelection();
    s.audioCodec = 1;
    s.audioCodecText = caption;
    s.audioBitrate = bitrate;
    return s;
}

// The text between "-oac " and " -channels".
QString audioPart(const QString &options)
{
    const int from = options.indexOf("-oac ") + 5;
    return options.mid(from, options.indexOf(" -channels") - from);
}

} // namespace

class TestOptionBuilder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_profile = writeProfile("example.bpf", ExampleProfile);
    }

    void workedExample()
    {
        QCOMPARE(BuildEncoderOptions(exampleSelection(), m_profile),
                 QString(" -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect -oac "
                         "mp3lame -lameopts vbr=2:q=4 -channels 2 -vf scale=640:480 -srate 44100"));
        QCOMPARE(audioPart(BuildEncoderOptions(mp2Selection("MP2", "192"), m_profile)),
                 QString("lavc -lavcopts acodec=mp2:abitrate=128"));
        QCOMPARE(BuildVideoSize(exampleSelection(), m_profile), QString("640:480"));
        // The conversions encode the picture, the join copies it and encodes
        // the sound.
        QCOMPARE(BuildPictureCodecOptions(exampleSelection(), m_profile),
                 QString("vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect"));
        QCOMPARE(BuildJoinOptions(exampleSelection(), m_profile),
                 QString(" -ovc copy -oac mp3lame -lameopts vbr=2:q=4 -channels 2 -srate 44100"));
    }

    // The conversions' picture and the join's sound are the profile's one
    // option string taken apart: whatever a selection makes of one, it
    // makes of the others.
    void theJobsOptionsAreTheProfilesOptionString()
    {
        const QString modern = writeProfile(
            "x264.bpf", "[Video Codec]\nvalue0=libx264\n[Video Quality]\nvalue0=20\n"
                        "[Speed]\nvalue0=slow\n[Main]\nType=mkv\n" +
                            ExampleProfile.mid(ExampleProfile.indexOf("[Video Size]")));
        WorkingSelection pcm = exampleSelection(), mp2 = mp2Selection("MP2", "224"),
                         manual = mp2Selection("AC3", "96"), abr = exampleSelection(),
                         crf = exampleSelection();
        pcm.audioCodecText = "PCM";
        manual.listSize = false, manual.width = "720", manual.height = "576", manual.aspect = 1;
        abr.mp3Mode = 1, abr.channels = 1;
        crf.videoQuality = 0, crf.speed = 0;
        const QList<std::pair<WorkingSelection, QString>> cases{{exampleSelection(), m_profile},
                                                                {pcm, m_profile},
                                                                {mp2, m_profile},
                                                                {manual, m_profile},
                                                                {abr, m_profile},
                                                                {crf, modern}};
        for (const auto &[s, path] : cases) {
            const QString options = BuildEncoderOptions(s, path);
            const QString join = BuildJoinOptions(s, path);
            QVERIFY2(join.startsWith(" -ovc copy -oac "), qPrintable(join));
            const QString sound = join.mid(11, join.indexOf(" -srate ") - 11);
            QCOMPARE(options, " -ovc lavc -lavcopts " + BuildPictureCodecOptions(s, path) + ' ' +
                                  sound + " -vf scale=" + frame(s, path) + " -srate " +
                                  s.sampleRate);
        }
    }

    void mp2BitrateIsLimitedTo128_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("bitrate");
        QTest::addColumn<QString>("audio");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("192") << "MP2"
                             << "192"
                             << "lavc -lavcopts acodec=mp2:abitrate=128" << true;
        QTest::newRow("129") << "MP2"
                             << "129"
                             << "lavc -lavcopts acodec=mp2:abitrate=128" << true;
        QTest::newRow("128") << "MP2"
                             << "128"
                             << "lavc -lavcopts acodec=mp2:abitrate=128" << true;
        QTest::newRow("lower-case caption") << "mp2"
                                            << "192"
                                            << "lavc -lavcopts acodec=mp2:abitrate=192" << true;
        QTest::newRow("no number") << "MP2"
                                   << "abc"
                                   << "lavc -lavcopts acodec=mp2:abitrate=abc" << false;
        QTest::newRow("other codec, no number") << "AC3"
                                                << "abc"
                                                << "lavc -lavcopts acodec=mp2:abitrate=abc" << true;
    }

    void mp2BitrateIsLimitedTo128()
    {
        QFETCH(QString, caption);
        QFETCH(QString, bitrate);
        QFETCH(QString, audio);
        QFETCH(bool, acceptable);
        const WorkingSelection s = mp2Selection(caption, bitrate);
        QCOMPARE(audioPart(BuildJoinOptions(s, m_profile)), audio);
        QCOMPARE(AudioBitrateAcceptable(s), acceptable);
    }

    void mp3ModeIsComparedWithCase()
    {
        WorkingSelection s = exampleSelection();
        s.mp3Mode = 2; // value "VBR"
        QCOMPARE(audioPart(BuildJoinOptions(s, m_profile)),
                 QString("mp3lame -lameopts VBR:br=160"));
        s.mp3Mode = 1;
        s.mp3Bitrate = -1; // a typed bitrate selects no choice
        QCOMPARE(audioPart(BuildJoinOptions(s, m_profile)),
                 QString("mp3lame -lameopts abr:br=224"));
        s.mp3Mode = 0;
        s.mp3Quality = 3; // no value there
        QCOMPARE(audioPart(BuildJoinOptions(s, m_profile)), QString("mp3lame -lameopts vbr=2:q=6"));
    }

    void pcmLeavesTwoEmptyPiecesWithTheirBlanks()
    {
        WorkingSelection s = exampleSelection();
        s.audioCodec = 2;
        s.audioCodecText = "PCM";
        QVERIFY(BuildJoinOptions(s, m_profile).contains(" -oac pcm   -channels 2 "));
        QVERIFY(BuildEncoderOptions(s, m_profile).contains(" -oac pcm   -channels 2 -vf "));
    }

    void aspectPositions()
    {
        WorkingSelection s = exampleSelection();
        const auto video = [&] { return BuildPictureCodecOptions(s, m_profile); };
        QCOMPARE(video(), QString("vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect"));
        s.aspect = 1;
        QCOMPARE(video(), QString("vcodec=mpeg4:vbitrate=1200:mbd=2:aspect=4/3"));
        s.aspect = -1;
        QCOMPARE(video(), QString("vcodec=mpeg4:vbitrate=1200:mbd=2:aspect=16:9"));
        const QString withMinusOne = writeProfile("minusone.bpf", "[Aspect]\nvalue-1=2.35\n");
        QCOMPARE(BuildPictureCodecOptions(s, withMinusOne),
                 QString("vcodec=mpeg4:vbitrate=1200:mbd=2:aspect=2.35"));
    }

    void manualSizeUsesTheFieldsAsTheyStand()
    {
        WorkingSelection s = exampleSelection();
        s.listSize = false;
        QCOMPARE(BuildVideoSize(s, m_profile), QString(":"));
        QVERIFY(!BuildFrameSize(s, m_profile));
        s.width = "720";
        s.height = "576";
        QCOMPARE(BuildVideoSize(s, m_profile), QString("720:576"));
        QCOMPARE(frame(s, m_profile), QString("720:576"));
    }

    void listSizeWithoutAValueHasTwoDefaults()
    {
        WorkingSelection s = exampleSelection();
        s.videoSize = 7;
        QCOMPARE(BuildVideoSize(s, m_profile), QString("224"));
        // The conversions make the join's pictures, so they take its size.
        QCOMPARE(frame(s, m_profile), QString("640:480"));
    }

    void noProfileLoaded()
    {
        const WorkingSelection nothing;
        const QString absent = m_dir.filePath("absent.bpf");
        QCOMPARE(BuildPictureCodecOptions(nothing, absent),
                 QString("vcodec=mpeg4:vbitrate=:mbd=2:aspect=16:9"));
        QCOMPARE(
            BuildJoinOptions(nothing, absent),
            QString(" -ovc copy -oac lavc -lavcopts acodec=ac3:abitrate= -channels 2 -srate "));
        QCOMPARE(BuildEncoderOptions(nothing, absent),
                 QString(" -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=:mbd=2:aspect=16:9 -oac lavc "
                         "-lavcopts acodec=ac3:abitrate= -channels 2 -vf scale=640:480 -srate "));
        QCOMPARE(BuildVideoSize(nothing, absent), QString("224"));
        QCOMPARE(frame(nothing, absent), QString("640:480"));
        QCOMPARE(BuildJoinOptions(nothing, QString()), BuildJoinOptions(nothing, absent));
    }

    // Each value a job hands on must be entirely of its form; the first that
    // is not is named with its section. Profiles are shared files, and these
    // are values that would have become filters or options of their own.
    void valuesOutsideTheirFormAreNamed_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("value");
        const auto with = [](const char *from, const char *to) {
            return QByteArray(ExampleProfile).replace(from, to);
        };
        const char *graph = "640:480[s];[s]metadata=mode=print:file=/tmp/x";
        QTest::newRow("size with a filter graph")
            << with("=640:480", QByteArray("=") + graph) << "Video Size" << graph;
        QTest::newRow("size out of range") << with("=640:480", "=8:8") << "Video Size"
                                           << "8:8";
        QTest::newRow("unknown codec") << with("=mpeg4", "=mpeg4 -vf x") << "Video Codec"
                                       << "mpeg4 -vf x";
        QTest::newRow("channels with an option")
            << with("value0=2\n", "value0=2 -vf movie=/etc/passwd\n") << "Channels"
            << "2 -vf movie=/etc/passwd";
        QTest::newRow("frame rate with a filter")
            << QByteArray(ExampleProfile + "[Frame Rate]\nvalue-1=30,metadata\n") << "Frame Rate"
            << "30,metadata";
        QTest::newRow("MP3 mode not of the three")
            << with("value0=vbr", "value0=VBR") << "MP3 Encode"
            << "VBR";
    }

    void valuesOutsideTheirFormAreNamed()
    {
        QFETCH(QByteArray, profile);
        QFETCH(QString, section);
        QFETCH(QString, value);
        QVERIFY(!FindUnusableValue(exampleSelection(), m_profile));
        const QString path = writeProfile("hostile.bpf", profile);
        const std::optional<UnusableValue> found = FindUnusableValue(exampleSelection(), path);
        QVERIFY(found);
        QCOMPARE(found->section, section);
        QCOMPARE(found->text, value);
    }

    void containerOptionsFollowTheProfileType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("avi") << "avi"
                             << "";
        QTest::newRow("AVI") << "AVI"
                             << "";
        QTest::newRow("mpg") << "mpg"
                             << " -of lavf -lavfopts format=mpeg";
        QTest::newRow("MP4") << "MP4"
                             << " -of lavf -lavfopts format=mp4";
        QTest::newRow("wmv") << "wmv"
                             << " -of lavf -lavfopts format=asf";
        QTest::newRow("unknown") << "ogv"
                                 << " -of lavf";
    }

    void containerOptionsFollowTheProfileType()
    {
        QFETCH(QString, type);
        QFETCH(QString, suffix);
        const QString path =
            writeProfile("typed.bpf", "[Main]\nType=" + type.toUtf8() + "\n" + ExampleProfile);
        const QString plain = BuildJoinOptions(exampleSelection(), m_profile);
        QCOMPARE(BuildJoinOptions(exampleSelection(), path), plain + suffix);
        QCOMPARE(ContainerOptions(type), suffix);
    }

    // A quality choice replaces the bitrate unless it says "bitrate"; the
    // speed takes the encoder's own key. Each is checked against the codec
    // it is given to.
    void qualityAndSpeedFollowTheCodec()
    {
        const QString path = writeProfile(
            "modern.bpf", "[Main]\nType=mp4\nFast Start=1\n"
                          "[Video Codec]\nvalue0=libx264\nvalue1=libvpx-vp9\n"
                          "[Video Quality]\nvalue0=22\nvalue1=bitrate\nvalue2=52\n"
                          "[Speed]\nvalue0=fast\nvalue1=4\nvalue2=turbo\n" +
                              ExampleProfile.mid(ExampleProfile.indexOf("[Video Size]")));
        WorkingSelection s = exampleSelection();
        s.videoQuality = 0;
        s.speed = 0;
        QCOMPARE(BuildPictureCodecOptions(s, path),
                 QString("vcodec=libx264:crf=22:preset=fast:mbd=2:autoaspect"));
        QVERIFY(NeedsTimedTemporaries(ReadEncoderPieces(s, path)));
        QVERIFY(!NeedsTimedTemporaries(ReadEncoderPieces(s, m_profile)));
        QVERIFY(BuildJoinOptions(s, path).endsWith(" -of lavf -lavfopts format=mp4:faststart"));
        QVERIFY(!FindUnusableValue(s, path));
        s.videoQuality = 1;
        QCOMPARE(BuildPictureCodecOptions(s, path),
                 QString("vcodec=libx264:vbitrate=1200:preset=fast:mbd=2:autoaspect"));

        const auto refused = [&](int codec, int quality, int speed) {
            WorkingSelection t = s;
            t.videoCodec = codec, t.videoQuality = quality, t.speed = speed;
            const std::optional<UnusableValue> found = FindUnusableValue(t, path);
            return found ? found->section + '=' + found->text : QString();
        };
        QCOMPARE(refused(0, 2, 0), QString("Video Quality=52"));
        QCOMPARE(refused(1, 2, 1), QString()); // VP9's scale reaches 63
        QCOMPARE(refused(0, 0, 2), QString("Speed=turbo"));
        QCOMPARE(refused(0, 0, 1), QString("Speed=4"));
        QCOMPARE(refused(1, 0, 0), QString("Speed=fast"));
        s.videoCodec = 1, s.speed = 1, s.videoQuality = 2;
        QCOMPARE(BuildPictureCodecOptions(s, path),
                 QString("vcodec=libvpx-vp9:crf=52:speed=4:mbd=2:autoaspect"));
        QCOMPARE(ReadEncoderPieces(s, m_profile).frameRate, QString("30"));
        // Without the two sections the options are as they always were.
        QCOMPARE(BuildPictureCodecOptions(exampleSelection(), m_profile),
                 QString("vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect"));
    }

    void wholeNumbers()
    {
        QCOMPARE(ReadWholeNumber("-12"), std::optional<int>(-12));
        QCOMPARE(ReadWholeNumber("+7"), std::optional<int>(7));
        QCOMPARE(ReadWholeNumber("2147483647"), std::optional<int>(2147483647));
        for (const char *text : {"", "-", " 1", "1 ", "0x10", "1.5", "2147483648", "12k"})
            QVERIFY2(!ReadWholeNumber(text), text);
    }

private:
    // The job's frame as text; empty when there is none.
    static QString frame(const WorkingSelection &s, const QString &profilePath)
    {
        const std::optional<FrameSize> size = BuildFrameSize(s, profilePath);
        return size ? size->text() : QString();
    }

    QString writeProfile(const QString &name, const QByteArray &text)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(text);
        return path;
    }

    QTemporaryDir m_dir;
    QString m_profile;
};

QTEST_GUILESS_MAIN(TestOptionBuilder)
#include "test_optionbuilder.moc"
