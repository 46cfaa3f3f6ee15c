#include "filters/zadafilter.h"

int ZadaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    overlaidGrade(source, destination, pixelCount, preview, QStringLiteral("Zada/zada"), QStringLiteral(".png"),
                  {QStringLiteral("whitefill"), QStringLiteral("vignette")});
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
