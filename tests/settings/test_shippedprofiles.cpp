#include "contract/valueforms.h"
#include "settings/optionbuilder.h"
#include "settings/outputchoices.h"
#include "settings/profiles.h"
#include "testclips.h"

#include <QtTest>

// The profiles laid out in the build's program directory, as a user gets them.
class TestShippedProfiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_programDir = buildProgramDir();
        QVERIFY2(!ProfileCatalogue(m_programDir).isEmpty(), "no profile is shipped");
    }

    void everyProfileFollowsTheConventions_data()
    {
        QTest::addColumn<QString>("path");
        // The copying and the automatic profile have no options;
        // test_copyjoin and the command line's real test cover them.
        for (const QString &entry : ProfileCatalogue(m_programDir)) {
            const QString path = ProfilePath(m_programDir, entry);
            if (!ProfileCopiesStreams(path) && !ProfileChoosesForInputs(path))
                QTest::newRow(qPrintable(entry)) << path;
        }
    }

    void everyProfileFollowsTheConventions()
    {
        QFETCH(QString, path);
        const std::optional<OutputProfile> profile = ReadProfile(path);
        QVERIFY(profile);
        QVERIFY2(ContainerOptions(profile->outputExtension.mid(1)) != QLatin1String(" -of lavf"),
                 "the output type names no known container");
        for (const ProfileOption &option : profile->options) {
            const QByteArray where = option.section.toUtf8();
            if (option.captions.isEmpty() && optional(*profile, option.section))
                continue;
            QVERIFY2(!option.captions.isEmpty(), where);
            QVERIFY2(option.index >= 0 && option.index < option.captions.size(), where);
            QVERIFY2(!ReadProfileDescription(path, option.section).isEmpty(), where);
            for (int k = 0; k < option.captions.size(); ++k)
                checkChoice(path, option.section, k, option.captions.at(k));
        }
        if (offersMp3(*profile))
            QCOMPARE(ReadProfileValue(path, Mp3EncodeSection, 0, QString()), QString("vbr"));
    }

private:
    static bool offersMp3(const OutputProfile &profile)
    {
        for (const ProfileOption &option : profile.options) {
            if (option.section == AudioCodecSection)
                return option.captions.contains("MP3");
        }
        return false;
    }

    // The MP3 sections where no MP3 is offered, and the quality and speed
    // of encoders that have neither: their boxes stay empty and unread.
    static bool optional(const OutputProfile &profile, const QString &section)
    {
        const QStringList mp3{Mp3EncodeSection, VbrQualitySection, AbrCbrBitrateSection};
        const QString codec = ReadProfileValue(profile.path, VideoCodecSection, 0, QString());
        return (mp3.contains(section) && !offersMp3(profile)) ||
               (section == ChaptersSection && !CarriesChapters(profile.outputExtension)) ||
               (section == VideoQualitySection && !ConstantQualityScale(codec)) ||
               (section == SpeedSection && SpeedOptionKey(codec).isEmpty());
    }

    void checkSpeedOrQuality(const QString &path, const QString &section, int k)
    {
        const QByteArray where = (section + ' ' + QString::number(k)).toUtf8();
        const QString codec = ReadProfileValue(path, VideoCodecSection, 0, QString());
        const QString value = ReadProfileValue(path, section, k, QString());
        if (section == SpeedSection) {
            QVERIFY2(IsEncoderPreset(codec, value) || EncoderSpeed(codec, value), where);
            return;
        }
        const auto scale = ConstantQualityScale(codec);
        QVERIFY2(value == "bitrate" || WholeNumberIn(value, scale->best, scale->worst), where);
    }
    void checkChoice(const QString &path, const QString &section, int k, const QString &caption)
    {
        const QByteArray where = (section + ' ' + QString::number(k)).toUtf8();
        QVERIFY2(!caption.isEmpty(), where);
        const bool shownText = section == VideoBitrateSection || section == AudioBitrateSection ||
                               section == SampleRateSection;
        if (shownText) {
            // These captions reach the encoder as they are shown.
            QVERIFY2(ReadWholeNumber(caption), where);
            return;
        }
        if (section == AudioCodecSection) {
            // Only these encoders join reliably here (the join oracle
            // measures them); others fail or cut the sound short.
            const QString value = ReadProfileValue(path, section, k, QString());
            QVERIFY2(caption == "MP3" || caption == "PCM" || (caption == "AAC" && value == "aac") ||
                         (caption == "Opus" && value == "libopus"),
                     where);
            return;
        }
        if (section == FrameRateSection) {
            const QString value = ReadProfileValue(path, section, k, QString());
            QVERIFY2(value == SameAsFirstVideoValue || RateText(value), where);
            return;
        }
        if (section == SpeedSection || section == VideoQualitySection) {
            checkSpeedOrQuality(path, section, k);
            return;
        }
        if (section == ChaptersSection || section == LoudnessSection) {
            WorkingSelection s;
            (section == ChaptersSection ? s.chapters : s.loudness) = k;
            QVERIFY2(!ReadProfileValue(path, section, k, QString()).isEmpty(), where);
            QVERIFY2(!FindUnusableChoice(s, path), where);
            return;
        }
        if (section == AspectSection && k == 0)
            return; // automatic; its value is never read
        QVERIFY2(!ReadProfileValue(path, section, k, QString()).isEmpty(), where);
        if (section == AspectSection) {
            // A colon would end the encoder's sub-option.
            QVERIFY2(!ReadProfileValue(path, section, k, QString()).contains(':'), where);
        }
    }

    QString m_programDir;
};

QTEST_GUILESS_MAIN(TestShippedProfiles)
#include "test_shippedprofiles.moc"
