#include "filters/autumnfilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int AutumnFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Autumn/autumn_clut.jpg"), 512);
    cubeStep(destination, pixelCount, cube, true);
    return 0;
}

int AutumnFilter::filterId() const
{
    return 76;
}

QString AutumnFilter::name() const
{
    return QStringLiteral("Autumn");
}

QString AutumnFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Autumn/thumbnail.png");
}
