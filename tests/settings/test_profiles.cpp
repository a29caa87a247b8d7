#include "settings/profiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void catalogueListsOrdinaryBpfFilesByName()
    {
        const QString programDir = m_dir.filePath("prog") + '/';
        const QString folder = programDir + "Profiles/";
        for (const char *name : {"x.bpf.txt", "x.BPF", "my.fast.bpf", "b.bpf", "A.bpf",
                                 ".hidden.bpf", "bpf", "notes.txt"})
            writeText(folder + name, "[Main]\n");
        QVERIFY(QDir(folder).mkdir("folder.bpf"));
        QCOMPARE(FindProfiles(folder, ".BPF"),
                 (QStringList{"A.bpf", "b.bpf", "my.fast.bpf", "x.BPF"}));
        QCOMPARE(ProfileCatalogue(programDir), (QStringList{"A", "b", "my.fast", "x"}));
        QCOMPARE(ProfilePath(programDir, "my.fast"), folder + "my.fast.bpf");
    }

    // The catalogue lists a profile by name whatever the case of its
    // extension; the entry must lead back to that very file.
    void upperCaseExtensionLoads()
    {
        const QString programDir = m_dir.filePath("upper") + '/';
        const QString path = programDir + "Profiles/Custom.BPF";
        writeText(path, "[Main]\nType=mp4\n[Video Codec]\nItems=1\nIndex=0\nCaption0=MPEG-4\n");
        QCOMPARE(ProfileCatalogue(programDir), QStringList{"Custom"});
        QCOMPARE(ProfilePath(programDir, "Custom"), path);
        const std::optional<OutputProfile> profile = ReadProfile(ProfilePath(programDir, "Custom"));
        QVERIFY(profile.has_value());
        QCOMPARE(profile->outputExtension, QString(".mp4"));
        QCOMPARE(profile->options.first().captions, QStringList{"MPEG-4"});
        QCOMPARE(ProfilePath(programDir, "Absent"), programDir + "Profiles/Absent.bpf");
    }

    void emptyOrMissingFolderGivesNoEntries()
    {
        const QString programDir = m_dir.filePath("empty") + '/';
        QCOMPARE(ProfileCatalogue(programDir), QStringList());
        QVERIFY(QDir().mkpath(programDir + "Profiles"));
        QCOMPARE(ProfileCatalogue(programDir), QStringList());
    }

    void noFileNoProfile()
    {
        QVERIFY(!ReadProfile(m_dir.filePath("absent.bpf")).has_value());
        QVERIFY(QDir(m_dir.path()).mkdir("dir.bpf"));
        QVERIFY(!ReadProfile(m_dir.filePath("dir.bpf")).has_value());
        QCOMPARE(ReadProfileValue(m_dir.filePath("absent.bpf"), "Video Codec", 0, "mpeg4"),
                 QString("mpeg4"));
        QCOMPARE(ReadProfileDescription(m_dir.filePath("absent.bpf"), "Video Codec"), QString());
    }

    void profileWithoutTypeIsAvi()
    {
        const QString path = m_dir.filePath("plain.bpf");
        writeText(path, "[Video Codec]\nItems=1\nCaption0=MPEG-4\nIndex=0\n");
        const std::optional<OutputProfile> profile = ReadProfile(path);
        QVERIFY(profile);
        QCOMPARE(profile->path, path);
        QCOMPARE(profile->outputExtension, QString(".avi"));
        QStringList sections;
        for (const ProfileOption &option : profile->options)
            sections << option.section;
        QCOMPARE(sections, ProfileOptionSections());
        QCOMPARE(sections.size(), 16);
        QCOMPARE(profile->options.at(0).captions, QStringList{"MPEG-4"});
        QCOMPARE(profile->options.at(1).captions, QStringList());
        QCOMPARE(profile->options.at(1).index, -1);
    }

    void captionsFollowItemsAndIndexIsKeptAsWritten()
    {
        const QString path = m_dir.filePath("odd.bpf");
        writeText(
            path,
            "[main]\ntype=mpg\n"
            "[Audio Codec]\nItems=3\nCaption0=MP3\nIndex=5\n"
            "[Video Size]\nItems=99999999\n"
            "[Channels]\nItems=0x2\nCaption0=Stereo\nCaption1=Mono\nCaption2=never\nIndex=1\n");
        const std::optional<OutputProfile> profile = ReadProfile(path);
        QVERIFY(profile);
        QCOMPARE(profile->outputExtension, QString(".mpg"));
        const ProfileOption audio =
            profile->options.at(ProfileOptionSections().indexOf(AudioCodecSection));
        QCOMPARE(audio.captions, (QStringList{"MP3", "", ""}));
        QCOMPARE(audio.index, 5);
        const ProfileOption channels =
            profile->options.at(ProfileOptionSections().indexOf(ChannelsSection));
        QCOMPARE(channels.captions, (QStringList{"Stereo", "Mono"}));
        QCOMPARE(channels.index, 1);
        // A mistyped count gives a long list, not an exhausted memory.
        const ProfileOption sizes =
            profile->options.at(ProfileOptionSections().indexOf(VideoSizeSection));
        QCOMPARE(sizes.captions.size(), 10000);
    }

    void initialSelectionSelectsNothingOutOfRange()
    {
        const QString path = m_dir.filePath("initial.bpf");
        writeText(path, "[Video Bitrate]\nItems=2\nCaption0=800\nCaption1=1200\nIndex=1\n"
                        "[Sample Rate]\nItems=1\nCaption0=44100\nIndex=3\n"
                        "[Audio Codec]\nItems=2\nCaption0=MP3\nCaption1=PCM\nIndex=1\n"
                        "[Aspect]\nItems=2\nCaption0=Automatic\nIndex=-1\n");
        const WorkingSelection s = InitialSelection(*ReadProfile(path));
        QCOMPARE(s.videoBitrate, QString("1200"));
        QCOMPARE(s.sampleRate, QString());
        QCOMPARE(s.audioCodec, 1);
        QCOMPARE(s.audioCodecText, QString("PCM"));
        QCOMPARE(s.aspect, -1);
        QCOMPARE(s.videoCodec, -1);
        QVERIFY(s.listSize);
    }

    void valuesAndDescriptionsAreReadByPosition()
    {
        const QString path = m_dir.filePath("values.bpf");
        writeText(path, "[Aspect]\nvalue1=4/3\nvalue-1=1\nDescription=Shape of the picture\n");
        QCOMPARE(ReadProfileValue(path, "aspect", 1, "16:9"), QString("4/3"));
        QCOMPARE(ReadProfileValue(path, "Aspect", -1, "16:9"), QString("1"));
        QCOMPARE(ReadProfileValue(path, "Aspect", 2, "16:9"), QString("16:9"));
        QCOMPARE(ReadProfileDescription(path, "ASPECT"), QString("Shape of the picture"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestProfiles)
#include "test_profiles.moc"
