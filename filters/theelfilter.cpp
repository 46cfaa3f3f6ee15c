#include "filters/theelfilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int TheelFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Theel/theel_clut.png"), 512);
    cubeStep(destination, pixelCount, cube, true);
    return 0;
}

int TheelFilter::filterId() const
{
    return 63;
}

QString TheelFilter::name() const
{
    return QStringLiteral("Theel");
}

QString TheelFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Theel/thumbnail.png");
}
