#include "filters/vintagefilter.h"

#include "filters/picturesteps.h"
#include "filters/primitives.h"

#include <cstring>

int VintageFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.0f, 2.0f);
    curvesStep(destination, pixelCount, identityTable(), contrastTable(40), contrastTable(40));
    const QImage vignette = sizedPicture(QStringLiteral("qml/ui/filterRes/vignette_preview.png"), QStringLiteral("qml/ui/filterRes/vignette"),
                                      QStringLiteral(".png"), preview, pixelCount);
    frameOverStep(destination, pixelCount, vignette);
    return 0;
}

int VintageFilter::filterId() const
{
    return 4;
}

QString VintageFilter::name() const
{
    return QStringLiteral("Vintage");
}

QString VintageFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Vintage/thumbnail.png");
}
