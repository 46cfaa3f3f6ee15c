#include "filters/kabifilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int KabiFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QImage before = fixedPicture(QStringLiteral("qml/ui/filterRes/Kabi/kabi_clut_before.jpg"), 512);
    const QImage after = fixedPicture(QStringLiteral("qml/ui/filterRes/Kabi/kabi_clut_after.jpg"), 512);
    const QImage whitefill = sizedPicture(QStringLiteral("qml/ui/filterRes/Kabi/kabi_blend_whitefill_preview.png"), QStringLiteral("qml/ui/filterRes/Kabi/kabi_blend_whitefill_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    const QImage vignette = sizedPicture(QStringLiteral("qml/ui/filterRes/Kabi/kabi_blend_vignette_preview.png"), QStringLiteral("qml/ui/filterRes/Kabi/kabi_blend_vignette_"),
                                      QStringLiteral(".png"), preview, pixelCount);
    cubeStep(destination, pixelCount, before, false);
    overlayStep(destination, pixelCount, vignette);
    overlayStep(destination, pixelCount, whitefill);
    cubeStep(destination, pixelCount, after, true);
    return 0;
}

int KabiFilter::filterId() const
{
    return 73;
}

QString KabiFilter::name() const
{
    return QStringLiteral("Kabi");
}

QString KabiFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Kabi/thumbnail.png");
}
