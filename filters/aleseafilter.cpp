#include "filters/aleseafilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int AleSeaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.17f, 2.0f);
    curvesStep(destination, pixelCount, loadCurve(QStringLiteral(":/lut/alesea/Blut")),
               loadCurve(QStringLiteral(":/lut/alesea/Glut")), loadCurve(QStringLiteral(":/lut/alesea/Rlut")));
    const QImage slide = sizedPicture(QStringLiteral("qml/ui/filterRes/Frame/slide_preview.png"), QStringLiteral("qml/ui/filterRes/Frame/slide"),
                                      QStringLiteral(".png"), preview, pixelCount);
    frameOverStep(destination, pixelCount, slide);
    return 0;
}

int AleSeaFilter::filterId() const
{
    return 50;
}

QString AleSeaFilter::name() const
{
    return QStringLiteral("Ale Sea");
}

QString AleSeaFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/AleSea/thumbnail.png");
}
