#include "filters/cavalleriarusticanafilter.h"

#include "filters/primitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Each channel's rounded soft light with the blur and its fill curve after it,
// as one table per channel, built once: the curves are compiled in.
using FillTables = std::array<std::vector<ByteTable>, 3>;

const FillTables &fillTables()
{
    static const FillTables tables = [] {
        LookupTable red, green, blue;
        loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_R.txt"), red);
        loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_G.txt"), green);
        loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_B.txt"), blue);
        const SoftLightTable &softLight = softLightTable(true);
        const std::array<const LookupTable *, 3> curves{&blue, &green, &red};
        FillTables filled;
        for (size_t c = 0; c < 3; ++c) {
            filled[c].resize(256);
            for (size_t base = 0; base < 256; ++base)
                for (size_t blend = 0; blend < 256; ++blend)
                    filled[c][base][blend] = lookup(*curves[c], softLight[base][blend]);
        }
        return filled;
    }();
    return tables;
}

} // namespace

int CavalleriaRusticanaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect,
                                             bool preview, QVariant)
{
    // The levelled photo stays in source and its blur goes to destination:
    // no image-sized buffer of fresh pages.
    autoLevels(source, pixelCount, !preview, 1.0f, 3.0f);
    const SoftLightTable &softLight = softLightTable(true);
    const int width = int(sqrtf(float(pixelCount)));
    const int height = width > 0 ? pixelCount / width : 0;
    // Only a count that is no square leaves a tail the blur does not write.
    std::fill(reinterpret_cast<quint32 *>(destination) + size_t(width) * size_t(height),
              reinterpret_cast<quint32 *>(destination) + pixelCount, 0u);
    triangularBlur(reinterpret_cast<const quint32 *>(source), reinterpret_cast<quint32 *>(destination), width,
                   height, 20);

    const FillTables &filled = fillTables();
    // The tint depends only on the lightness percentage, and that on the sum
    // of the largest and smallest channel.
    std::array<std::array<quint8, 3>, 101> tint;
    for (uint l = 0; l <= 100; ++l)
        hslToRgb(216, 25, l, tint[l][2], tint[l][1], tint[l][0]);
    std::array<quint8, 511> lightnessOf;
    for (int sum = 0; sum <= 510; ++sum)
        lightnessOf[size_t(sum)] = quint8(int(sum * 0.196078431372549 + 0.5));

    for (int i = 0; i < pixelCount; ++i) {
        const uchar *p = source + size_t(i) * 4;
        uchar *q = destination + size_t(i) * 4;
        const quint8 b = filled[0][p[0]][q[0]];
        const quint8 g = filled[1][p[1]][q[1]];
        const quint8 r = filled[2][p[2]][q[2]];
        const int max = std::max({b, g, r});
        const int min = std::min({b, g, r});
        const auto &t = tint[lightnessOf[size_t(max + min)]];
        q[0] = softLight[b][t[0]];
        q[1] = softLight[g][t[1]];
        q[2] = softLight[r][t[2]];
        q[3] = p[3];
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
