#include "filters/walesfilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int WalesFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage before = fixedPicture(QStringLiteral("qml/ui/filterRes/Wales/wales_clut_before.jpg"), 512);
    const QImage after = fixedPicture(QStringLiteral("qml/ui/filterRes/Wales/wales_clut_after.jpg"), 512);
    const QImage whitefill = sizedPicture(QStringLiteral("qml/ui/filterRes/Wales/wales_blend_whitefill_preview.png"), QStringLiteral("qml/ui/filterRes/Wales/wales_blend_whitefill_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    const QImage vignette = sizedPicture(QStringLiteral("qml/ui/filterRes/Wales/wales_blend_vignette_preview.png"), QStringLiteral("qml/ui/filterRes/Wales/wales_blend_vignette_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    cubeStep(destination, pixelCount, before, false);
    overlayStep(destination, pixelCount, vignette);
    overlayStep(destination, pixelCount, whitefill);
    cubeStep(destination, pixelCount, after, true);
    return 0;
}

int WalesFilter::filterId() const
{
    return 71;
}

QString WalesFilter::name() const
{
    return QStringLiteral("Wales");
}

QString WalesFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Wales/thumbnail.png");
}
