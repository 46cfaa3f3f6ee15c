#include "filters/dreamyvintagefilter.h"

#include "filters/filterslog.h"
#include "filters/picturesteps.h"

#include <array>
#include <cstring>

int DreamyVintageFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    autoLevels(source, pixelCount, !preview, 1.0f, 3.0f);
    const ByteTable contrast = loadCurve(QStringLiteral(":/lut/dreamyvintage/BC.txt"));
    const ByteTable mapBlue = loadCurve(QStringLiteral(":/lut/dreamyvintage/gmap_B.txt"));
    const ByteTable mapGreen = loadCurve(QStringLiteral(":/lut/dreamyvintage/gmap_G.txt"));
    const ByteTable mapRed = loadCurve(QStringLiteral(":/lut/dreamyvintage/gmap_R.txt"));
    const SoftLightTable &softLight = softLightTable(false);
    // The gradient map goes straight into the soft light: the temporary
    // image of one pixel is all the step needs.
    for (int i = 0; i < pixelCount; ++i) {
        const uchar *s = source + size_t(i) * 4;
        uchar *p = destination + size_t(i) * 4;
        p[0] = contrast[s[0]];
        p[1] = contrast[s[1]];
        p[2] = contrast[s[2]];
        p[3] = s[3];
        const int g = (p[0] + p[1] + p[2]) / 3;
        p[0] = softLight[p[0]][mapBlue[size_t(g)]];
        p[1] = softLight[p[1]][mapGreen[size_t(g)]];
        p[2] = softLight[p[2]][mapRed[size_t(g)]];
    }
    scaleSaturation(destination, pixelCount, 0.66);
    curvesStep(destination, pixelCount, loadCurve(QStringLiteral(":/lut/dreamyvintage/curve_B.txt")),
               loadCurve(QStringLiteral(":/lut/dreamyvintage/curve_G.txt")),
               loadCurve(QStringLiteral(":/lut/dreamyvintage/curve_R.txt")));

    LookupTable gamma;
    loadLookupTable(QStringLiteral(":/lut/dreamyvintage/gamma.txt"), gamma);
    const QImage mask = sizedPicture(QStringLiteral("qml/ui/filterRes/DreamyVintage/dreamy_preview.png"), QStringLiteral("qml/ui/filterRes/DreamyVintage/dreamy"),
                                      QStringLiteral(".png"), preview, pixelCount);
    qCDebug(lcFilters) << "Format: " << int(mask.format());
    if (mask.isNull() || !gamma)
        return 0;
    // glow[c] = soft light of c with its gamma-lifted self.
    std::array<int, 256> glow;
    for (int c = 0; c < 256; ++c)
        glow[size_t(c)] = softLight[size_t(c)][(*gamma)[size_t(c)]];
    const uchar *m = mask.constBits();
    for (int i = 0; i < pixelCount; ++i) {
        const int amount = m[size_t(i) * 4];
        if (amount > 229)
            continue;
        uchar *p = destination + size_t(i) * 4;
        for (int c = 0; c < 3; ++c)
            p[c] = quint8(int(p[c] + (glow[p[c]] - p[c]) * amount * 0.00392156862745098));
    }
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
