#include "filters/butumofilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int ButumoFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage before = fixedPicture(QStringLiteral("qml/ui/filterRes/Butumo/butumo_clut_before.png"), 512);
    const QImage after = fixedPicture(QStringLiteral("qml/ui/filterRes/Butumo/butumo_clut_after.png"), 512);
    const QImage burn = sizedPicture(QStringLiteral("qml/ui/filterRes/Butumo/butumo_burn_blend_preview.png"), QStringLiteral("qml/ui/filterRes/Butumo/butumo_burn_blend_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    cubeStep(destination, pixelCount, before, false);
    burnStep(destination, pixelCount, burn, false);
    cubeStep(destination, pixelCount, after, true);
    return 0;
}

int ButumoFilter::filterId() const
{
    return 62;
}

QString ButumoFilter::name() const
{
    return QStringLiteral("Butumo");
}

QString ButumoFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Butumo/thumbnail.png");
}
