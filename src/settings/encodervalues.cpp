#include "encodervalues.h"

#include "contract/valueforms.h"

#include <QStringList>

QString FrameSize::text() const
{
    return QString::number(width) + QLatin1Char(':') + QString::number(height);
}

std::optional<FrameSize> ReadFrameSize(const QString &text)
{
    const QStringList sides = text.split(QLatin1Char(':'));
    if (sides.size() != 2)
        return std::nullopt;
    const std::optional<int> width = WholeNumberIn(sides.at(0), 16, 8192);
    const std::optional<int> height = WholeNumberIn(sides.at(1), 16, 8192);
    if (!width || !height)
        return std::nullopt;
    return FrameSize{*width, *height};
}
