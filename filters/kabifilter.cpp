#include "filters/kabifilter.h"

int KabiFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    overlaidGrade(source, destination, pixelCount, preview, QStringLiteral("Kabi/kabi"), QStringLiteral(".jpg"),
                  {QStringLiteral("vignette"), QStringLiteral("whitefill")});
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
