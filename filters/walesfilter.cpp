#include "filters/walesfilter.h"

int WalesFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    overlaidGrade(source, destination, pixelCount, preview, QStringLiteral("Wales/wales"), QStringLiteral(".jpg"),
                  {QStringLiteral("vignette"), QStringLiteral("whitefill")});
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
