// Is the joined video watchable? Clips of many shapes go through the real
// program (brelvane-cli and its encoder), and the joined file's picture and
// sound are compared with them: every clip starts where the ones before it
// end, the sound changes clip with the picture, nothing freezes and every clip
// keeps its display shape.
//
// BRELVANE_ORACLE_PROGRAM_DIR points the oracle at another program directory
// (an installed one, another build) so the same figures can be taken of
// another encoder. BRELVANE_ORACLE_LEAVE_OUT lists clips (names or name
// endings, comma separated) to leave out of the joins, for a program that
// refuses some of them.
#include "joinanalysis.h"
#include "mediafacts.h"
#include "oracleclips.h"
#include "testclips.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

QString programUnderTest()
{
    const QString other = qEnvironmentVariable("BRELVANE_ORACLE_PROGRAM_DIR");
    return other.isEmpty() ? buildProgramDir() : QDir(other).absolutePath() + QLatin1Char('/');
}

bool leftOut(const QString &name)
{
    const QStringList names =
        qEnvironmentVariable("BRELVANE_ORACLE_LEAVE_OUT").split(',', Qt::SkipEmptyParts);
    return std::any_of(names.begin(), names.end(),
                       [&](const QString &end) { return name.endsWith(end.trimmed()); });
}

// A program directory of its own: a copy of brelvane-cli (it finds its
// directory from its real path), the profiles, and a link to the encoder.
bool copyProgram(const QString &from, const QString &to)
{
    bool copied = copyFileTo(from + "brelvane-cli", to + "brelvane-cli") &&
                  QFile::link(from + "asapi.dll", to + "asapi.dll");
    const QDir profiles(from + "Profiles");
    for (const QString &name : profiles.entryList(QDir::Files))
        copied = copied && copyFileTo(profiles.filePath(name), to + "Profiles/" + name);
    return copied && !profiles.isEmpty();
}

// A profile of the oracle's own beside the shipped one: the same with the
// frame rate whose value is rate chosen ("25", or "first" for the first
// video's). Its name, or empty when the shipped profile offers no such rate.
QString profileAtRate(const QString &programDir, const QString &profile, const QString &rate)
{
    QFile shipped(programDir + "Profiles/" + profile + ".bpf");
    if (!shipped.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(shipped.readAll());
    const qsizetype section = text.indexOf("[Frame Rate]");
    if (section < 0)
        return {};
    const QRegularExpression choice(QStringLiteral("\\nvalue(\\d+)=%1\\n").arg(rate));
    const QRegularExpressionMatch found = choice.match(text, section);
    if (!found.hasMatch())
        return {};
    const QRegularExpressionMatch index =
        QRegularExpression(QStringLiteral("\\nIndex=\\d+")).match(text, section);
    if (!index.hasMatch())
        return {};
    QString chosen = text;
    chosen.replace(index.capturedStart(), index.capturedLength(), "\nIndex=" + found.captured(1));
    const QString name = QStringLiteral("%1 at %2").arg(profile).arg(rate);
    QFile copy(programDir + "Profiles/" + name + ".bpf");
    const QByteArray bytes = chosen.toUtf8();
    return copy.open(QIODevice::WriteOnly) && copy.write(bytes) == bytes.size() ? name : QString();
}

QString ms(double value)
{
    return QString::number(value, 'f', 0);
}

} // namespace

class TestJoinOracle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aviProfileJoinIsWatchable() { joinAndCheck("AVI - MPEG-4 and MP3", "joined-avi"); }
    void mp4ProfileJoinIsWatchable() { joinAndCheck("MP4 - MPEG-4 and MP3", "joined-mp4"); }
    // Codecs that store pictures out of showing order, and VP9 with Opus.
    void h264ProfileJoinIsWatchable() { joinAndCheck("MP4 - H.264 and AAC", "joined-h264.mp4"); }
    void vp9ProfileJoinIsWatchable() { joinAndCheck("WebM - VP9 and Opus", "joined-vp9.webm"); }
    // Other frame rates, through either kind of temporary.
    void h264At25IsWatchable() { joinAndCheck("MP4 - H.264 and AAC", "joined-25.mp4", 25); }
    void h264At60IsWatchable() { joinAndCheck("MP4 - H.264 and AAC", "joined-60.mp4", 60); }
    void aviAt60IsWatchable() { joinAndCheck("AVI - MPEG-4 and MP3", "joined-60.avi", 60); }
    // The first clip's own rate (25), which the join must keep as exactly.
    void h264AtTheFirstVideosRateIsWatchable()
    {
        joinAndCheck("MP4 - H.264 and AAC", "joined-first.mp4", FirstVideosRate);
    }
    void vp9AtTheFirstVideosRateIsWatchable()
    {
        joinAndCheck("WebM - VP9 and Opus", "joined-first.webm", FirstVideosRate);
    }

private:
    static constexpr int FirstVideosRate = 0;
    void joinAndCheck(const QString &profile, const QString &outputName, int rate = 30);
    QString path(const QString &name) const { return m_root.path() + '/' + name; }

    QTemporaryDir m_root;
    QList<OracleClip> m_clips;
    QStringList m_clipPaths;
};

void TestJoinOracle::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY(QDir().mkpath(path("temp")));
    QVERIFY2(copyProgram(programUnderTest(), path("program/")),
             qPrintable("no brelvane-cli, asapi.dll and profiles in " + programUnderTest()));
    for (const OracleClip &clip : OracleClips()) {
        if (leftOut(clip.name)) {
            qInfo("left out: %s", qPrintable(clip.name));
            continue;
        }
        QString error;
        QVERIFY2(MakeOracleClip(path(clip.name), clip, &error), qPrintable(error));
        m_clips << clip;
        m_clipPaths << path(clip.name);
    }
}

void TestJoinOracle::joinAndCheck(const QString &shippedProfile, const QString &outputName,
                                  int rate)
{
    const QString choice = rate == FirstVideosRate ? "first" : QString::number(rate);
    const QString profile =
        rate == 30 ? shippedProfile : profileAtRate(path("program/"), shippedProfile, choice);
    QVERIFY2(
        !profile.isEmpty(),
        qPrintable(QStringLiteral("%1 offers no frame rate of %2").arg(shippedProfile, choice)));
    if (rate == FirstVideosRate) {
        QVERIFY(m_clips.first().rateDen == 1);
        rate = m_clips.first().rateNum;
    }
    QProcess cli;
    cli.setWorkingDirectory(m_root.path());
    cli.start(path("program/brelvane-cli"),
              QStringList{"join", "--profile", profile, "--output", path(outputName), "--overwrite",
                          "--temp-dir", path("temp/")} +
                  m_clipPaths);
    QVERIFY2(cli.waitForFinished(600000), "brelvane-cli did not finish in 10 minutes");
    QVERIFY2(cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0,
             qPrintable(QStringLiteral("brelvane-cli ended with %1: ...%2")
                            .arg(cli.exitCode())
                            .arg(QString::fromLocal8Bit(cli.readAllStandardError()).right(800))));
    const QString output = QString::fromLocal8Bit(cli.readAllStandardOutput()).trimmed();

    const double stated = MediaFact(output, 1, "FrameRate").toDouble();
    QVERIFY2(
        stated == 0 || std::abs(stated - rate) < 0.01,
        qPrintable(
            QStringLiteral("the join has %1 pictures a second, not %2").arg(stated).arg(rate)));
    const DecodedJoin join = DecodeJoin(output, m_root.path(), rate);
    QVERIFY2(join.error.isEmpty(), qPrintable(output + ": " + join.error));
    const JoinFigures figures = MeasureJoin(join, m_clips);
    qInfo("%s: %s", qPrintable(profile), qPrintable(figures.summary()));
    qInfo("boundaries: %s", qPrintable(figures.boundaries()));

    const int offset = figures.worstOffsetAt();
    QVERIFY2(offset < 0 || std::abs(figures.pictureOffsets[offset]) <= 100,
             qPrintable(QStringLiteral("the picture changes from %1 to %2 %3 ms from where the "
                                       "clips before it end (limit 100 ms)")
                            .arg(figures.clipNames[offset], figures.clipNames[offset + 1],
                                 ms(figures.pictureOffsets[offset]))));
    const int sync = figures.worstSyncAt();
    QVERIFY2(sync < 0 || std::abs(figures.syncGaps[sync]) <= 45,
             qPrintable(QStringLiteral("the sound changes from %1 to %2 %3 ms from where the "
                                       "picture does (limit 45 ms)")
                            .arg(figures.clipNames[sync], figures.clipNames[sync + 1],
                                 ms(figures.syncGaps[sync]))));
    const double lengthLimit = std::max(100.0, 10 * figures.expectedLength);
    QVERIFY2(std::abs(figures.lengthDrift) <= lengthLimit,
             qPrintable(QStringLiteral("the picture lasts %1 ms more than the clips' %2 s "
                                       "(limit %3 ms)")
                            .arg(ms(figures.lengthDrift))
                            .arg(figures.expectedLength)
                            .arg(ms(lengthLimit))));
    QVERIFY2(std::abs(figures.soundOverPicture) <= 100,
             qPrintable(QStringLiteral("the sound lasts %1 ms more than the picture (limit 100 ms)")
                            .arg(ms(figures.soundOverPicture))));
    QVERIFY2(figures.movingPercent >= 90,
             qPrintable(QStringLiteral("only %1 % of the frames that should move differ from the "
                                       "one before (limit 90 %)")
                            .arg(figures.movingPercent, 0, 'f', 1)));
    QVERIFY2(!figures.wide.checked || figures.wide.kept,
             qPrintable("the 16:9 clip has no black bars above and below in the 4:3 frame: " +
                        figures.wide.seen));
    QVERIFY2(!figures.portrait.checked || figures.portrait.kept,
             qPrintable("the portrait clip does not stand upright between black sides: " +
                        figures.portrait.seen));
}

QTEST_GUILESS_MAIN(TestJoinOracle)
#include "test_joinoracle.moc"
