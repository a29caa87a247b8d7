#include "joinanalysis.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Width = 64;
constexpr int Height = 48;
constexpr int SoundRate = 8000;
constexpr int WindowSamples = 80; // 10 ms: four whole periods of the 400 Hz tone
constexpr double WindowSeconds = double(WindowSamples) / SoundRate;
// Above the coding noise of a repeated picture, far below the moving patch's
// edge in any clip.
constexpr int ChangeThreshold = 24;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// A change from one level to the next: where the old level's last value
// ends and where the new level's first value starts; the two differ only
// when values of neither level (a gap of silence, a black frame) part them.
struct Change {
    double oldEnds = 0;
    double newStarts = 0;
};

// A measure taken at even steps through the join.
struct Series {
    QList<double> values;
    double step = 1;

    int indexAt(double seconds) const
    {
        return std::clamp(int(std::lround(seconds / step)), 0, int(values.size()));
    }
    double levelIn(double from, double to) const
    {
        return median(values.mid(indexAt(from), indexAt(to) - indexAt(from)));
    }
    // Where, between the two times, the measure goes from level a to level
    // b: the steps that leave the fewest values on the wrong side. A value
    // further than the tolerance from both levels takes no side.
    Change changeBetween(double from, double to, double a, double b, double tolerance) const;
};

Change Series::changeBetween(double from, double to, double a, double b, double tolerance) const
{
    // +1 for a value at level a, -1 at level b, 0 far from both
    const auto side = [&](double v) {
        const double toA = std::abs(v - a);
        const double toB = std::abs(v - b);
        return std::min(toA, toB) > tolerance ? 0 : toA < toB ? 1 : -1;
    };
    const int first = indexAt(from);
    const int last = indexAt(to);
    int misplaced = 0; // with the step at `first`, every value at level a is misplaced
    for (int i = first; i < last; ++i)
        misplaced += side(values[i]) > 0;
    int fewest = misplaced;
    int bestFirst = first;
    int bestLast = first;
    for (int i = first; i < last; ++i) {
        misplaced -= side(values[i]);
        if (misplaced < fewest) {
            fewest = misplaced;
            bestFirst = bestLast = i + 1;
        } else if (misplaced == fewest && bestLast == i) {
            bestLast = i + 1;
        }
    }
    return {bestFirst * step, bestLast * step};
}

// The clip's grey, read where the moving patch covers few pixels.
Series pictureLevels(const QList<QByteArray> &frames, double frameSeconds)
{
    Series series{{}, frameSeconds};
    for (const QByteArray &frame : frames) {
        QList<double> centre;
        for (int y = 16; y < 32; ++y) {
            for (int x = 24; x < 40; ++x)
                centre << quint8(frame[y * Width + x]);
        }
        series.values << median(centre);
    }
    return series;
}

// The loudness in dB of every 10 ms; silence sits at -100. A lossy codec
// lets sound die away over a few hundred milliseconds far below hearing
// (Opus: -70 dB and less after a tone stops); under -60 dB counts as
// silence, still more than 20 dB below the quietest clip.
constexpr double InaudibleDb = -60;
Series soundLevels(const QByteArray &sound)
{
    Series series{{}, WindowSeconds};
    const auto *samples = reinterpret_cast<const qint16 *>(sound.constData());
    const qsizetype count = sound.size() / 2;
    for (qsizetype start = 0; start + WindowSamples <= count; start += WindowSamples) {
        double sum = 0;
        for (int i = 0; i < WindowSamples; ++i)
            sum += double(samples[start + i]) * samples[start + i];
        const double level = 20 * std::log10(std::sqrt(sum / WindowSamples) / 32768 + 1e-5);
        series.values << (level < InaudibleDb ? -100 : level);
    }
    return series;
}

// The changes from each clip's level to the next, sought between the
// middles of the spans where the clips are expected (given by their starts
// and the end); each level is read in the middle of its span.
QList<Change> changes(const Series &series, const QList<double> &starts, double end,
                      double tolerance)
{
    QList<Change> found;
    for (int k = 0; k + 1 < starts.size(); ++k) {
        const double from = starts[k];
        const double middle = starts[k + 1];
        const double to = k + 2 < starts.size() ? starts[k + 2] : end;
        const double a =
            series.levelIn(from + 0.3 * (middle - from), middle - 0.3 * (middle - from));
        const double b = series.levelIn(middle + 0.3 * (to - middle), to - 0.3 * (to - middle));
        found << series.changeBetween((from + middle) / 2, (middle + to) / 2, a, b, tolerance);
    }
    return found;
}

int movingFrames(const QList<QByteArray> &frames)
{
    int moving = 0;
    for (int i = 1; i < frames.size(); ++i) {
        int largest = 0;
        for (int p = 0; p < Width * Height; ++p)
            largest = std::max(largest, std::abs(quint8(frames[i][p]) - quint8(frames[i - 1][p])));
        moving += largest > ChangeThreshold;
    }
    return moving;
}

// The clip's picture without its moving patch: every pixel's median over the
// middle half of the clip; empty when the join holds no picture there.
QByteArray still(const QList<QByteArray> &frames, double frameSeconds, double from, double to)
{
    const double quarter = (to - from) / 4;
    const int first = int((from + quarter) / frameSeconds);
    const int last = std::min(int((to - quarter) / frameSeconds), int(frames.size()));
    if (first >= last)
        return {};
    QByteArray picture(Width * Height, 0);
    for (int p = 0; p < Width * Height; ++p) {
        QList<double> values;
        for (int f = first; f < last; ++f)
            values << quint8(frames[f][p]);
        picture[p] = char(median(values));
    }
    return picture;
}

double mean(const QByteArray &picture, int x0, int y0, int x1, int y1)
{
    double sum = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            sum += quint8(picture[y * Width + x]);
    }
    return sum / ((x1 - x0) * (y1 - y0));
}

// 16:9 in a 4:3 frame: a black eighth of the height above and below.
ShapeVerdict wideVerdict(const QByteArray &picture)
{
    const double top = mean(picture, 0, 0, Width, 4);
    const double bottom = mean(picture, 0, 44, Width, Height);
    const double centre = mean(picture, 16, 18, 48, 30);
    return {true, top < centre / 3 && bottom < centre / 3,
            QStringLiteral("top %1, centre %2, bottom %3")
                .arg(top, 0, 'f', 0)
                .arg(centre, 0, 'f', 0)
                .arg(bottom, 0, 'f', 0)};
}

// 9:16 in a 4:3 frame: black on both sides, the white band at the top.
ShapeVerdict portraitVerdict(const QByteArray &picture)
{
    const double left = mean(picture, 0, 0, 12, Height);
    const double right = mean(picture, 52, 0, Width, Height);
    const double centre = mean(picture, 26, 18, 38, 30);
    const double top = mean(picture, 24, 0, 40, 3);
    const double bottom = mean(picture, 24, 45, 40, Height);
    const bool kept =
        left < centre / 3 && right < centre / 3 && top > centre + 40 && bottom < centre + 20;
    return {true, kept,
            QStringLiteral("left %1, right %2, centre %3, top %4, bottom %5")
                .arg(left, 0, 'f', 0)
                .arg(right, 0, 'f', 0)
                .arg(centre, 0, 'f', 0)
                .arg(top, 0, 'f', 0)
                .arg(bottom, 0, 'f', 0)};
}

ShapeVerdict shapeVerdict(OracleClip::Shape shape, const QByteArray &picture)
{
    if (picture.isEmpty())
        return {true, false, QStringLiteral("no picture of the clip in the join")};
    return shape == OracleClip::Wide ? wideVerdict(picture) : portraitVerdict(picture);
}

int worstAt(const QList<double> &values)
{
    int worst = -1;
    for (int i = 0; i < values.size(); ++i) {
        if (worst < 0 || std::abs(values[i]) > std::abs(values[worst]))
            worst = i;
    }
    return worst;
}

} // namespace

DecodedJoin DecodeJoin(const QString &path, const QString &workDir, int frameRate)
{
    DecodedJoin join;
    join.frameSeconds = 1.0 / frameRate;
    const QString picturePath = workDir + QStringLiteral("/picture.raw");
    const QString soundPath = workDir + QStringLiteral("/sound.raw");
    const QStringList common{"-nostdin", "-loglevel", "error", "-y", "-i", path};
    if (!RunTool("ffmpeg",
                 common + QStringList{"-map", "0:v:0", "-vf",
                                      QStringLiteral("fps=%1:start_time=0,scale=64:48:flags="
                                                     "area,format=gray")
                                          .arg(frameRate),
                                      "-f", "rawvideo", picturePath},
                 &join.error) ||
        !RunTool("ffmpeg",
                 common + QStringList{"-map", "0:a:0", "-af", "aresample=8000:async=1:first_pts=0",
                                      "-ac", "1", "-f", "s16le", soundPath},
                 &join.error))
        return join;
    const QByteArray picture = readAll(picturePath);
    for (qsizetype at = 0; at + Width * Height <= picture.size(); at += Width * Height)
        join.frames << picture.mid(at, Width * Height);
    join.sound = readAll(soundPath);
    return join;
}

JoinFigures MeasureJoin(const DecodedJoin &join, const QList<OracleClip> &clips)
{
    JoinFigures figures;
    QList<double> starts;
    int shouldMove = -1; // the first frame has none before it
    for (const OracleClip &clip : clips) {
        figures.clipNames << clip.name;
        starts << figures.expectedLength;
        figures.expectedLength += clip.seconds();
        shouldMove +=
            std::min(clip.distinctFrames(), int(std::lround(clip.seconds() / join.frameSeconds)));
    }
    const double pictureLength = join.frames.size() * join.frameSeconds;
    const double soundLength = join.sound.size() / 2.0 / SoundRate;

    // Neighbouring greys lie 80 apart; a frame 30 from both belongs to neither.
    QList<double> picture{0};
    for (const Change &change :
         changes(pictureLevels(join.frames, join.frameSeconds), starts, figures.expectedLength, 30))
        picture << (change.oldEnds + change.newStarts) / 2;
    // The sound is sought where the picture was found, so a picture that is
    // off does not count twice. Where silence parts two clips' sounds, the
    // edge further from the picture's change counts.
    const QList<Change> sound = changes(soundLevels(join.sound), picture, pictureLength, 6);
    for (int i = 1; i < picture.size(); ++i) {
        figures.pictureOffsets << (picture[i] - starts[i]) * 1000;
        const double oldEnds = sound[i - 1].oldEnds - picture[i];
        const double newStarts = sound[i - 1].newStarts - picture[i];
        figures.syncGaps << 1000 * (std::abs(oldEnds) > std::abs(newStarts) ? oldEnds : newStarts);
    }
    figures.lengthDrift = (pictureLength - figures.expectedLength) * 1000;
    figures.soundOverPicture = (soundLength - pictureLength) * 1000;
    figures.movingPercent = 100.0 * movingFrames(join.frames) / std::max(shouldMove, 1);

    for (int k = 0; k < clips.size(); ++k) {
        const OracleClip::Shape shape = clips[k].shape;
        if (shape != OracleClip::Wide && shape != OracleClip::Portrait)
            continue;
        const double end = k + 1 < picture.size() ? picture[k + 1] : pictureLength;
        (shape == OracleClip::Wide ? figures.wide : figures.portrait) =
            shapeVerdict(shape, still(join.frames, join.frameSeconds, picture[k], end));
    }
    return figures;
}

int JoinFigures::worstOffsetAt() const
{
    return worstAt(pictureOffsets);
}

int JoinFigures::worstSyncAt() const
{
    return worstAt(syncGaps);
}

QString JoinFigures::summary() const
{
    const auto verdict = [](const ShapeVerdict &shape) {
        return !shape.checked ? QStringLiteral("not joined")
               : shape.kept   ? QStringLiteral("kept")
                              : QStringLiteral("lost");
    };
    const int sync = worstSyncAt();
    const int offset = worstOffsetAt();
    return QStringLiteral("worst sync gap %1 ms, worst picture boundary offset %2 ms, length "
                          "drift %3 ms (of %4 s), sound over picture %5 ms, moving %6 %, "
                          "16:9 shape %7, portrait shape %8")
        .arg(sync < 0 ? 0 : std::abs(syncGaps[sync]), 0, 'f', 0)
        .arg(offset < 0 ? 0 : std::abs(pictureOffsets[offset]), 0, 'f', 0)
        .arg(lengthDrift, 0, 'f', 0)
        .arg(expectedLength, 0, 'f', 2)
        .arg(soundOverPicture, 0, 'f', 0)
        .arg(movingPercent, 0, 'f', 1)
        .arg(verdict(wide), verdict(portrait));
}

QString JoinFigures::boundaries() const
{
    QStringList parts;
    for (int i = 0; i < pictureOffsets.size(); ++i) {
        parts << QStringLiteral("%1 | %2: picture %3 ms, sync %4 ms")
                     .arg(clipNames[i], clipNames[i + 1])
                     .arg(pictureOffsets[i], 0, 'f', 0)
                     .arg(syncGaps[i], 0, 'f', 0);
    }
    return parts.join(QStringLiteral("; "));
}
