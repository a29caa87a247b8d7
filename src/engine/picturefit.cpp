#include "picturefit.h"

#include "tasklist/mediaprobe.h"

#include <QStringList>
#include <cmath>

namespace {

struct Size {
    int width = 0;
    int height = 0;
};

bool readFrameSize(const QString &frameSize, Size &size)
{
    const QStringList parts = frameSize.split(QLatin1Char(':'));
    if (parts.size() != 2)
        return false;
    bool widthOk = false;
    bool heightOk = false;
    size.width = parts.at(0).toInt(&widthOk);
    size.height = parts.at(1).toInt(&heightOk);
    return widthOk && heightOk && size.width > 0 && size.height > 0;
}

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
Size fittedSize(double shape, const Size &frame)
{
    const double frameShape = double(frame.width) / frame.height;
    Size fitted;
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

QString PictureFilter(const QString &frameSize, const ProbeResult &facts)
{
    const QString plain = QStringLiteral("scale=") + frameSize;
    Size frame;
    if (!readFrameSize(frameSize, frame) || facts.width <= 0 || facts.height <= 0)
        return plain;
    double shape =
        facts.displayAspect > 0 ? facts.displayAspect : double(facts.width) / facts.height;
    if (facts.rotation == 90 || facts.rotation == 270)
        shape = 1 / shape;
    const Size fitted = fittedSize(shape, frame);
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
