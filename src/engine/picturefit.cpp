#include "picturefit.h"

#include "tasklist/mediaprobe.h"

#include <cmath>

namespace {

// Encoders of 4:2:0 pictures need even sizes.
int evenAtLeastTwo(double value)
{
    const int even = 2 * int(std::lround(value / 2));
    return even < 2 ? 2 : even;
}

QString rotationFilters(int rotation)
{
    switch (rotation) {
    case 90:
        return QStringLiteral("rotate=1,");
    case 180:
        return QStringLiteral("flip,mirror,");
    case 270:
        return QStringLiteral("rotate=2,");
    default:
        return QString();
    }
}

// The picture's size inside the frame: as large as fits with its shape.
FrameSize fittedSize(double shape, const FrameSize &frame)
{
    const double frameShape = double(frame.width) / frame.height;
    FrameSize fitted;
    if (shape >= frameShape) {
        fitted.width = frame.width;
        fitted.height = evenAtLeastTwo(frame.width / shape);
    } else {
        fitted.height = frame.height;
        fitted.width = evenAtLeastTwo(frame.height * shape);
    }
    // Rounding to even must not push past an odd frame edge.
    fitted.width = qMin(fitted.width, frame.width);
    fitted.height = qMin(fitted.height, frame.height);
    return fitted;
}

} // namespace

QString PictureFilter(const FrameSize &frame, const ProbeResult &facts)
{
    const QString plain = QStringLiteral("scale=") + frame.text();
    if (facts.width <= 0 || facts.height <= 0)
        return plain;
    double shape =
        facts.displayAspect > 0 ? facts.displayAspect : double(facts.width) / facts.height;
    if (facts.rotation == 90 || facts.rotation == 270)
        shape = 1 / shape;
    const FrameSize fitted = fittedSize(shape, frame);
    QString filter = rotationFilters(facts.rotation) +
                     QStringLiteral("scale=%1:%2").arg(fitted.width).arg(fitted.height);
    // A picture within a pixel pair of the frame fills it: bars that thin
    // would only be a dark seam at the edge.
    if (frame.width - fitted.width > 2 || frame.height - fitted.height > 2)
        filter += QStringLiteral(",expand=%1:%2").arg(frame.width).arg(frame.height);
    else
        filter = rotationFilters(facts.rotation) + plain;
    return filter;
}
