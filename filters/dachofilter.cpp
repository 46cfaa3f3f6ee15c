#include "filters/dachofilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int DachoFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Dacho/dacho_clut.png"), 512);
    cubeStep(destination, pixelCount, cube, true);
    return 0;
}

int DachoFilter::filterId() const
{
    return 67;
}

QString DachoFilter::name() const
{
    return QStringLiteral("Dacho");
}

QString DachoFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Dacho/thumbnail.png");
}
