#include "filters/townfilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int TownFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage cube = fixedPicture(QStringLiteral("qml/ui/filterRes/Town/town_clut_before.jpg"), 512);
    const QImage vignette = sizedPicture(QStringLiteral("qml/ui/filterRes/Town/town_blend_vignette_preview.jpg"), QStringLiteral("qml/ui/filterRes/Town/town_blend_vignette_"),
                                      QStringLiteral(".jpg"), preview, pixelCount);
    const QImage whitefill = sizedPicture(QStringLiteral("qml/ui/filterRes/Town/town_blend_whitefill_preview.png"), QStringLiteral("qml/ui/filterRes/Town/town_blend_whitefill_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    cubeStep(destination, pixelCount, cube, false);
    burnStep(destination, pixelCount, vignette, false);
    selfScreenStep(destination, pixelCount, whitefill);
    setOpaque(destination, pixelCount);
    return 0;
}

int TownFilter::filterId() const
{
    return 78;
}

QString TownFilter::name() const
{
    return QStringLiteral("Town");
}

QString TownFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Town/thumbnail.png");
}
