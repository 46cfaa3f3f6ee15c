#include "filters/dreamyvintagefilter.h"

#include "filters/filterslog.h"
#include "filters/picturesteps.h"

#include <vector>

int DreamyVintageFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    const ByteTable levels = levelsTable(source, pixelCount, !preview, 1.0f, 3.0f);
    const ByteTable contrast = loadCurve(QStringLiteral(":/lut/dreamyvintage/BC.txt"));
    const ByteTable mapBlue = loadCurve(QStringLiteral(":/lut/dreamyvintage/gmap_B.txt"));
    const ByteTable mapGreen = loadCurve(QStringLiteral(":/lut/dreamyvintage/gmap_G.txt"));
    const ByteTable mapRed = loadCurve(QStringLiteral(":/lut/dreamyvintage/gmap_R.txt"));
    const ByteTable curveBlue = loadCurve(QStringLiteral(":/lut/dreamyvintage/curve_B.txt"));
    const ByteTable curveGreen = loadCurve(QStringLiteral(":/lut/dreamyvintage/curve_G.txt"));
    const ByteTable curveRed = loadCurve(QStringLiteral(":/lut/dreamyvintage/curve_R.txt"));
    const SoftLightTable &softLight = softLightTable(false);
    ByteTable levelled;
    for (int v = 0; v < 256; ++v)
        levelled[size_t(v)] = contrast[levels[size_t(v)]];
    // Levels, contrast, the gradient map's soft light, saturation and the
    // curves depend on the colour alone.
    mapColours(source, reinterpret_cast<quint32 *>(destination), pixelCount, [&](quint8 b, quint8 g, quint8 r) {
        b = levelled[b];
        g = levelled[g];
        r = levelled[r];
        const int grey = (b + g + r) / 3;
        b = softLight[b][mapBlue[size_t(grey)]];
        g = softLight[g][mapGreen[size_t(grey)]];
        r = softLight[r][mapRed[size_t(grey)]];
        quint16 hue, saturation, lightness;
        rgbToHsl(r, g, b, hue, saturation, lightness);
        hslToRgb(hue, uint(int(saturation * 0.66)), lightness, r, g, b);
        return quint32(curveBlue[b]) | quint32(curveGreen[g]) << 8 | quint32(curveRed[r]) << 16;
    });

    LookupTable gamma;
    loadLookupTable(QStringLiteral(":/lut/dreamyvintage/gamma.txt"), gamma);
    const QImage mask = sizedPicture(QStringLiteral("qml/ui/filterRes/DreamyVintage/dreamy_preview.png"), QStringLiteral("qml/ui/filterRes/DreamyVintage/dreamy"),
                                      QStringLiteral(".png"), preview, pixelCount);
    qCDebug(lcFilters) << "Format: " << int(mask.format());
    if (mask.isNull() || !gamma)
        return 0;
    // The soft light of each colour byte with its gamma-lifted self, mixed in
    // by each mask byte up to 229 with the same doubles; brighter mask bytes
    // keep the pixel.
    std::vector<ByteTable> glow(256, identityTable());
    for (int amount = 0; amount <= 229; ++amount) {
        for (int c = 0; c < 256; ++c) {
            const int lifted = softLight[size_t(c)][(*gamma)[size_t(c)]];
            glow[size_t(amount)][size_t(c)] = quint8(int(c + (lifted - c) * amount * 0.00392156862745098));
        }
    }
    maskedCurveStep(destination, pixelCount, mask, glow);
    return 0;
}

int DreamyVintageFilter::filterId() const
{
    return 45;
}

QString DreamyVintageFilter::name() const
{
    return QStringLiteral("Dreamy Vintage");
}

QString DreamyVintageFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/DreamyVintage/thumbnail.png");
}
