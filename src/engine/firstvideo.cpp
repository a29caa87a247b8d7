#include "firstvideo.h"

#include "contract/valueforms.h"
#include "engine/outputname.h"
#include "settings/profiles.h"
#include "tasklist/mediaprobe.h"

#include <QCoreApplication>
#include <cmath>

namespace {

constexpr double LeastRate = 1;
constexpr double MostRate = 240;
// A stated rate this near a common one is that one: the library rounds to
// three decimals, and phones record a rate that wanders around 30.
constexpr double CommonRateTolerance = 0.01;

struct CommonRate {
    double value;
    const char *text;
};

const CommonRate CommonRates[] = {
    {24000.0 / 1001, "24000/1001"},
    {24, "24"},
    {25, "25"},
    {30000.0 / 1001, "30000/1001"},
    {30, "30"},
    {48, "48"},
    {50, "50"},
    {60000.0 / 1001, "60000/1001"},
    {60, "60"},
    {100, "100"},
    {120000.0 / 1001, "120000/1001"},
    {120, "120"},
};

int evenDown(double value)
{
    return 2 * int(std::floor(value / 2));
}

bool choosesFirst(const QString &value)
{
    return value == SameAsFirstVideoValue;
}

} // namespace

std::optional<FrameSize> FirstVideoFrame(const ProbeResult &facts)
{
    if (facts.width <= 0 || facts.height <= 0)
        return std::nullopt;
    double width = facts.width;
    const double height = facts.height;
    const double stored = width / height;
    // Non-square pixels: the picture is shown wider or narrower than stored.
    if (facts.displayAspect > 0 && std::abs(facts.displayAspect - stored) > 0.01 * stored)
        width = height * facts.displayAspect;
    const bool turned = facts.rotation == 90 || facts.rotation == 270;
    const int shownWidth = evenDown(turned ? height : width);
    const int shownHeight = evenDown(turned ? width : height);
    return ReadFrameSize(QStringLiteral("%1:%2").arg(shownWidth).arg(shownHeight));
}

std::optional<QString> FirstVideoRate(const ProbeResult &facts)
{
    const std::optional<QString> stated = DecimalNumber(facts.frameRate);
    if (!stated)
        return std::nullopt;
    const double rate = stated->toDouble();
    if (!(rate >= LeastRate && rate <= MostRate))
        return std::nullopt;
    const CommonRate *nearest = nullptr;
    for (const CommonRate &common : CommonRates) {
        if (!nearest || std::abs(common.value - rate) < std::abs(nearest->value - rate))
            nearest = &common;
    }
    if (std::abs(nearest->value - rate) <= CommonRateTolerance * nearest->value)
        return QString::fromLatin1(nearest->text);
    return RateText(*stated);
}

JobPictureFormat PictureFormatOfJob(const EncoderPieces &pieces, const ProbeResult &first)
{
    JobPictureFormat format;
    format.frame =
        choosesFirst(pieces.frameSize) ? FirstVideoFrame(first) : ReadFrameSize(pieces.frameSize);
    format.rate =
        choosesFirst(pieces.frameRate) ? FirstVideoRate(first) : RateText(pieces.frameRate);
    return format;
}

std::optional<StartRefusal> CheckFirstVideo(const EncoderPieces &pieces, const QString &firstPath,
                                            const ProbeResult &first)
{
    if (pieces.copyStreams)
        return std::nullopt;
    const JobPictureFormat format = PictureFormatOfJob(pieces, first);
    QString what;
    if (choosesFirst(pieces.frameSize) && !format.frame)
        what = QCoreApplication::translate(
                   "Job", "no frame size from 16 to 8192 pixels (it states \"%1\")")
                   .arg(first.sizeText());
    else if (choosesFirst(pieces.frameRate) && !format.rate)
        what = QCoreApplication::translate("Job", "no frame rate from 1 to 240 (it states \"%1\")")
                   .arg(first.frameRate);
    if (what.isEmpty())
        return std::nullopt;
    return StartRefusal{
        QCoreApplication::translate("Job", "First Video"),
        QCoreApplication::translate(
            "Job", "The output takes its size and frame rate from the first video, \"%1\", "
                   "which has %2. Please choose a size and a frame rate in the Output "
                   "Settings, or put another video first.")
            .arg(FileNamePart(firstPath), what),
        StartRefusal::KeepFocus};
}
