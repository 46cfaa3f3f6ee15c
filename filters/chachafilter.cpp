#include "filters/chachafilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int ChachaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Chacha/chacha_clut_before.png"), 512);
    const QImage burn = sizedPicture(QStringLiteral("qml/ui/filterRes/Chacha/chacha_burn_blend_preview.png"), QStringLiteral("qml/ui/filterRes/Chacha/chacha_burn_blend_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    cubeStep(destination, pixelCount, cube, false);
    burnStep(destination, pixelCount, burn, false);
    return 0;
}

int ChachaFilter::filterId() const
{
    return 65;
}

QString ChachaFilter::name() const
{
    return QStringLiteral("Chacha");
}

QString ChachaFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Chacha/thumbnail.png");
}
