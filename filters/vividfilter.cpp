#include "filters/vividfilter.h"

#include "filters/filtercommon.h"
#include "filters/primitives.h"

int VividFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview,
                               QVariant)
{
    const FilterCommon *tables = common();
    if (!tables)
        return 1;
    autoLevels(source, pixelCount, !preview, 1.0f, 1.0f);
    LookupTable aCurve;
    LookupTable bCurve;
    loadLookupTable(QStringLiteral(":/lut/vivid/a.txt"), aCurve);
    loadLookupTable(QStringLiteral(":/lut/vivid/b.txt"), bCurve);

    auto *out = reinterpret_cast<quint32 *>(destination);
    for (int i = 0; i < pixelCount; ++i) {
        const uchar *p = source + size_t(i) * 4;
        quint8 l, a, b;
        tables->rgbToLab(p[2], p[1], p[0], l, a, b);
        out[i] = tables->labToRgb(l, lookup(aCurve, a), lookup(bCurve, b));
    }
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
