#include "filters/bikifilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int BikiFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Biki/biki_clut.png"), 512);
    cubeStep(destination, pixelCount, cube, true);
    return 0;
}

int BikiFilter::filterId() const
{
    return 70;
}

QString BikiFilter::name() const
{
    return QStringLiteral("Biki");
}

QString BikiFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Biki/thumbnail.png");
}
