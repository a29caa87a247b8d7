#include "settings/optionbuilder.h"
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
        // The copying profile has no options; test_copyjoin covers it.
        for (const QString &entry : ProfileCatalogue(m_programDir)) {
            if (!ProfileCopiesStreams(ProfilePath(m_programDir, entry)))
                QTest::newRow(qPrintable(entry)) << ProfilePath(m_programDir, entry);
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
            QVERIFY2(!option.captions.isEmpty(), where);
            QVERIFY2(option.index >= 0 && option.index < option.captions.size(), where);
            QVERIFY2(!ReadProfileDescription(path, option.section).isEmpty(), where);
            for (int k = 0; k < option.captions.size(); ++k)
                checkChoice(path, option.section, k, option.captions.at(k));
        }
        QCOMPARE(ReadProfileValue(path, Mp3EncodeSection, 0, QString()), QString("vbr"));
    }

private:
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
            // Only these two encoders join reliably here; the general one
            // fails or cuts the sound short.
            QVERIFY2(caption == "MP3" || caption == "PCM", where);
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
