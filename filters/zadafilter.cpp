#include "filters/zadafilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int ZadaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage before = fixedPicture(QStringLiteral("qml/ui/filterRes/Zada/zada_clut_before.png"), 512);
    const QImage after = fixedPicture(QStringLiteral("qml/ui/filterRes/Zada/zada_clut_after.png"), 512);
    const QImage whitefill = sizedPicture(QStringLiteral("qml/ui/filterRes/Zada/zada_blend_whitefill_preview.png"), QStringLiteral("qml/ui/filterRes/Zada/zada_blend_whitefill_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    const QImage vignette = sizedPicture(QStringLiteral("qml/ui/filterRes/Zada/zada_blend_vignette_preview.png"), QStringLiteral("qml/ui/filterRes/Zada/zada_blend_vignette_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    cubeStep(destination, pixelCount, before, false);
    overlayStep(destination, pixelCount, whitefill);
    overlayStep(destination, pixelCount, vignette);
    cubeStep(destination, pixelCount, after, true);
    return 0;
}

int ZadaFilter::filterId() const
{
    return 66;
}

QString ZadaFilter::name() const
{
    return QStringLiteral("Zada");
}

QString ZadaFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Zada/thumbnail.png");
}
