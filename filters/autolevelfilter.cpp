#include "filters/autolevelfilter.h"

#include <cstring>

int AutoLevelFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview,
                                   QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.17f, 1.0f);
    return 0;
}

int AutoLevelFilter::filterId() const
{
    return 1;
}

QString AutoLevelFilter::name() const
{
    return QStringLiteral("Auto Level");
}

QString AutoLevelFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/AutoLevel/thumbnail.png");
}
