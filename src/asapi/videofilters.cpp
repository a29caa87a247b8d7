#include "videofilters.h"

#include "contract/valueforms.h"

#include <optional>

namespace {

QString keyOf(const QString &entry)
{
    return entry.section(QLatin1Char('='), 0, 0);
}

QString valueOf(const QString &entry)
{
    return entry.section(QLatin1Char('='), 1);
}

// A side of a picture. A picture fitted between bars may be thin, so only
// the frame (expand) must be 16 or more.
std::optional<int> pictureSide(const QString &text)
{
    return WholeNumberIn(text, 1, 8192);
}

std::optional<int> frameSide(const QString &text)
{
    return WholeNumberIn(text, 16, 8192);
}

std::optional<QString> scaleFilter(const QStringList &args)
{
    if (args.isEmpty())
        return QString();
    const std::optional<int> width = pictureSide(args.at(0));
    const std::optional<int> height = pictureSide(args.value(1));
    if (args.size() != 2 || !width || !height)
        return std::nullopt;
    if (*width % 2 == 0 && *height % 2 == 0)
        return QStringLiteral("crop=trunc(iw/2)*2:trunc(ih/2)*2,format=yuv420p,"
                              "zscale=w=%1:h=%2:filter=bicubic")
            .arg(*width)
            .arg(*height);
    return QStringLiteral("scale=%1:%2").arg(*width).arg(*height);
}

// The picture's place in the frame: given, or centred for -1 or nothing.
std::optional<QString> placeOf(const QStringList &args, int i, const char *centre)
{
    if (args.size() <= i || args.at(i) == QLatin1String("-1"))
        return QString::fromLatin1(centre);
    const std::optional<int> place = WholeNumberIn(args.at(i), 0, 8192);
    return place ? std::optional<QString>(QString::number(*place)) : std::nullopt;
}

std::optional<QString> expandFilter(const QStringList &args)
{
    const std::optional<int> width = frameSide(args.value(0));
    const std::optional<int> height = frameSide(args.value(1));
    const std::optional<QString> x = placeOf(args, 2, "(ow-iw)/2");
    const std::optional<QString> y = placeOf(args, 3, "(oh-ih)/2");
    if (args.size() > 4 || !width || !height || !x || !y)
        return std::nullopt;
    return QStringLiteral("pad=%1:%2:%3:%4:black").arg(*width).arg(*height).arg(*x, *y);
}

// One -vf entry as an ffmpeg filter; empty when it needs none.
//
// Scaling goes through zimg (zscale) where it can: ffmpeg's own scaler
// reads its source pixels with AVX2 gather instructions, which many
// processors run slowly (the development machine among them), and zimg's
// bicubic gives the same picture for about half the cost, a seventh of a
// whole conversion of 720p video. zimg scales YUV only within
// its family and 4:2:0 only to even sizes, so the picture is made 8-bit
// 4:2:0 first (what every encoder of the profiles takes anyway), and an
// odd size is left to ffmpeg's scaler. A source of odd size loses its last
// column or row to reach an even one.
//
// Every filter is written here from the numbers read out of the entry; an
// entry that is not entirely what its filter takes is refused.
std::optional<QString> videoFilter(const QString &entry)
{
    const QString name = keyOf(entry);
    const QStringList args = valueOf(entry).split(QLatin1Char(':'));
    const QStringList given = valueOf(entry).isEmpty() ? QStringList() : args;
    if (name == QLatin1String("scale"))
        return scaleFilter(given);
    if (name == QLatin1String("expand"))
        return expandFilter(given);
    if (name == QLatin1String("rotate")) {
        // The direction numbers are the same in both programs.
        const std::optional<int> way = WholeNumberIn(given.value(0, QStringLiteral("0")), 0, 3);
        if (given.size() > 1 || !way)
            return std::nullopt;
        return QStringLiteral("transpose=") + QString::number(*way);
    }
    if (entry == QLatin1String("flip"))
        return QStringLiteral("vflip");
    if (entry == QLatin1String("mirror"))
        return QStringLiteral("hflip");
    // ffmpeg writes every frame as a real one anyway, and the display size
    // follows from the pixels.
    if (entry == QLatin1String("harddup") || name == QLatin1String("dsize"))
        return QString();
    return std::nullopt;
}

} // namespace

QString VideoFilters(const QString &list, QStringList &filters)
{
    for (const QString &entry : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<QString> filter = videoFilter(entry);
        if (!filter)
            return QStringLiteral("video filter %1 is not supported (scale=W:H, "
                                  "expand=W:H[:X:Y], rotate=0..3, flip, mirror, harddup)")
                .arg(entry);
        if (!filter->isEmpty())
            filters << *filter;
    }
    return QString();
}
