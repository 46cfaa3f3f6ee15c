#include "filters/sunsetfilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int SunsetFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.0f, 2.0f);
    curvesStep(destination, pixelCount, identityTable(), contrastTable(50), contrastTable(15));
    const QImage vignette = sizedPicture(QStringLiteral("qml/ui/filterRes/vignette_preview.png"), QStringLiteral("qml/ui/filterRes/vignette"),
                                      QStringLiteral(".png"), preview, pixelCount);
    frameOverStep(destination, pixelCount, vignette);
    return 0;
}

int SunsetFilter::filterId() const
{
    return 19;
}

QString SunsetFilter::name() const
{
    return QStringLiteral("Sunset");
}

QString SunsetFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Sunset/thumbnail.png");
}
