#include "filters/pieholefilter.h"

#include "filters/picturesteps.h"

#include <algorithm>
#include <vector>

int PieHoleFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    const ByteTable levels = levelsTable(source, pixelCount, !preview, 1.5f, 2.0f);
    const ByteTable curveBlue = loadCurve(QStringLiteral(":/lut/piehole/piecurve_B.txt"));
    const ByteTable curveGreen = loadCurve(QStringLiteral(":/lut/piehole/piecurve_G.txt"));
    const ByteTable curveRed = loadCurve(QStringLiteral(":/lut/piehole/piecurve_R.txt"));
    const ByteTable overlayBlue = loadCurve(QStringLiteral(":/lut/piehole/pieoverlay_B.txt"));
    const ByteTable overlayGreen = loadCurve(QStringLiteral(":/lut/piehole/pieoverlay_G.txt"));
    const ByteTable overlayRed = loadCurve(QStringLiteral(":/lut/piehole/pieoverlay_R.txt"));
    // Levels, curves, saturation and the overlay curves depend on the colour alone.
    mapColours(source, reinterpret_cast<quint32 *>(destination), pixelCount, [&](quint8 b, quint8 g, quint8 r) {
        quint16 hue, saturation, lightness;
        rgbToHsl(curveRed[levels[r]], curveGreen[levels[g]], curveBlue[levels[b]], hue, saturation, lightness);
        hslToRgb(hue, uint(std::min(100, int(saturation * 1.25))), lightness, r, g, b);
        return quint32(overlayBlue[b]) | quint32(overlayGreen[g]) << 8 | quint32(overlayRed[r]) << 16;
    });

    const QImage mask = sizedPicture(QStringLiteral("qml/ui/filterRes/PieHole/piehole_preview.png"), QStringLiteral("qml/ui/filterRes/PieHole/piehole"),
                                      QStringLiteral(".png"), preview, pixelCount);
    LookupTable black;
    loadLookupTable(QStringLiteral(":/lut/piehole/blackoverlay.txt"), black);
    if (mask.isNull() || !black)
        return 0;
    // Where the mask is dark the colour goes to the black overlay's: the mix
    // of each mask byte and colour byte, with the same doubles.
    std::vector<ByteTable> mix(256);
    for (int m = 0; m < 256; ++m) {
        const double w = 1 - m / 255.0;
        for (int c = 0; c < 256; ++c)
            mix[size_t(m)][size_t(c)] = quint8(int((1 - w) * c + w * (*black)[size_t(c)]));
    }
    maskedCurveStep(destination, pixelCount, mask, mix);
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
