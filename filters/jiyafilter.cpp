#include "filters/jiyafilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int JiyaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Jiya/jiya_clut.png"), 512);
    cubeStep(destination, pixelCount, cube, true);
    return 0;
}

int JiyaFilter::filterId() const
{
    return 68;
}

QString JiyaFilter::name() const
{
    return QStringLiteral("Jiya");
}

QString JiyaFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Jiya/thumbnail.png");
}
