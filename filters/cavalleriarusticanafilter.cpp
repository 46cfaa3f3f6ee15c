#include "filters/cavalleriarusticanafilter.h"

#include "filters/primitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

int CavalleriaRusticanaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect,
                                             bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.0f, 3.0f);
    const SoftLightTable &softLight = softLightTable(true);

    const int width = int(sqrtf(float(pixelCount)));
    const int height = width > 0 ? pixelCount / width : 0;
    std::vector<quint32> blurred(static_cast<size_t>(pixelCount));
    triangularBlur(reinterpret_cast<const quint32 *>(destination), blurred.data(), width, height, 20);

    LookupTable red, green, blue;
    loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_R.txt"), red);
    loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_G.txt"), green);
    loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_B.txt"), blue);

    // The tint depends only on the lightness percentage.
    std::array<std::array<quint8, 3>, 101> tint;
    for (uint l = 0; l <= 100; ++l)
        hslToRgb(216, 25, l, tint[l][2], tint[l][1], tint[l][0]);

    for (int i = 0; i < pixelCount; ++i) {
        uchar *p = destination + size_t(i) * 4;
        const auto *q = reinterpret_cast<const uchar *>(&blurred[size_t(i)]);
        for (int c = 0; c < 3; ++c)
            p[c] = softLight[p[c]][q[c]];
        p[0] = lookup(blue, p[0]);
        p[1] = lookup(green, p[1]);
        p[2] = lookup(red, p[2]);
        const int max = std::max({p[0], p[1], p[2]});
        const int min = std::min({p[0], p[1], p[2]});
        const auto &t = tint[size_t(int((max + min) * 0.196078431372549 + 0.5))];
        for (int c = 0; c < 3; ++c)
            p[c] = softLight[p[c]][t[size_t(c)]];
    }
    return 0;
}

int CavalleriaRusticanaFilter::filterId() const
{
    return 48;
}

QString CavalleriaRusticanaFilter::name() const
{
    return QStringLiteral("Rusticana");
}

QString CavalleriaRusticanaFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Rusticana/thumbnail.png");
}
