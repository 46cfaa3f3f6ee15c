#include "filters/surubufilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int SurubuFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Surubu/surubu_clut_before.png"), 512);
    const QImage burn = sizedPicture(QStringLiteral("qml/ui/filterRes/Surubu/surubu_burn_blend_preview.png"), QStringLiteral("qml/ui/filterRes/Surubu/surubu_burn_blend_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    const QImage multiply = sizedPicture(QStringLiteral("qml/ui/filterRes/Surubu/surubu_multiply_blend_preview.png"), QStringLiteral("qml/ui/filterRes/Surubu/surubu_multiply_blend_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    // The burnt cube alpha is the base alpha of the multiply.
    cubeStep(destination, pixelCount, cube, true);
    burnStep(destination, pixelCount, burn, true);
    multiplyStep(destination, pixelCount, multiply);
    setOpaque(destination, pixelCount);
    return 0;
}

int SurubuFilter::filterId() const
{
    return 61;
}

QString SurubuFilter::name() const
{
    return QStringLiteral("Surubu");
}

QString SurubuFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Surubu/thumbnail.png");
}
