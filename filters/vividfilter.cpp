#include "filters/vividfilter.h"

#include "filters/filtercommon.h"
#include "filters/picturesteps.h"

int VividFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview,
                               QVariant)
{
    const FilterCommon *tables = common();
    if (!tables)
        return 1;
    autoLevels(source, pixelCount, !preview, 1.0f, 1.0f);
    tables->labCurves(source, reinterpret_cast<quint32 *>(destination), pixelCount,
                      loadCurve(QStringLiteral(":/lut/vivid/a.txt")), loadCurve(QStringLiteral(":/lut/vivid/b.txt")));
    return 0;
}

int VividFilter::filterId() const
{
    return 22;
}

QString VividFilter::name() const
{
    return QStringLiteral("Vivid");
}

QString VividFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Vivid/thumbnail.png");
}
