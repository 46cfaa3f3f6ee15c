#include "filters/normalfilter.h"

#include <cstring>

int NormalFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    return 0;
}

int NormalFilter::filterId() const
{
    return 0;
}

QString NormalFilter::name() const
{
    return QStringLiteral("Original");
}

QString NormalFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Normal/thumbnail.png");
}
