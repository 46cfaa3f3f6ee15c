#include "filters/pieholefilter.h"

#include "filters/picturesteps.h"

#include <cstring>

int PieHoleFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.5f, 2.0f);
    curvesStep(destination, pixelCount, loadCurve(QStringLiteral(":/lut/piehole/piecurve_B.txt")),
               loadCurve(QStringLiteral(":/lut/piehole/piecurve_G.txt")),
               loadCurve(QStringLiteral(":/lut/piehole/piecurve_R.txt")));
    scaleSaturation(destination, pixelCount, 1.25);
    curvesStep(destination, pixelCount, loadCurve(QStringLiteral(":/lut/piehole/pieoverlay_B.txt")),
               loadCurve(QStringLiteral(":/lut/piehole/pieoverlay_G.txt")),
               loadCurve(QStringLiteral(":/lut/piehole/pieoverlay_R.txt")));

    const QImage mask = sizedPicture(QStringLiteral("qml/ui/filterRes/PieHole/piehole_preview.png"), QStringLiteral("qml/ui/filterRes/PieHole/piehole"),
                                      QStringLiteral(".png"), preview, pixelCount);
    LookupTable black;
    loadLookupTable(QStringLiteral(":/lut/piehole/blackoverlay.txt"), black);
    if (mask.isNull() || !black)
        return 0;
    // Where the mask is dark the colour goes to the black overlay's.
    const uchar *m = mask.constBits();
    for (int i = 0; i < pixelCount; ++i) {
        uchar *p = destination + size_t(i) * 4;
        const double w = 1 - m[size_t(i) * 4] / 255.0;
        for (int c = 0; c < 3; ++c)
            p[c] = quint8(int((1 - w) * p[c] + w * (*black)[p[c]]));
    }
    return 0;
}

int PieHoleFilter::filterId() const
{
    return 53;
}

QString PieHoleFilter::name() const
{
    return QStringLiteral("Pie Hole");
}

QString PieHoleFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/PieHole/thumbnail.png");
}
