#include "filters/filtercommon.h"

#include "filters/primitives.h"

#include <cmath>

FilterCommon::FilterCommon()
{
    for (int i = 0; i < 256; ++i) {
        const float c = i * 0.003921569f;
        m_linearTable[size_t(i)] = i < 11 ? c * 1000 * 0.07739938f : powf((c + 0.055f) * 0.9478673f, 2.4f) * 1000;
    }
    for (int k = 0; k < labTableSize; ++k) {
        const float t = k * 0.001f;
        m_labForwardTable[size_t(k)] = t > 0.008856f ? powf(t, 0.33333334f) : 7.787f * t + 0.13793103f;

        const float d = t * t * t;
        const float inverse = d > 0.008856f ? d : (t - 0.13793103f) * 0.12841916f;
        m_labInverseTable[size_t(k)] = inverse < 0 ? 0 : inverse;

        const float g = t <= 0.0031308f ? t * 3294.6f : (1.055f * powf(t, 0.41666666f) - 0.055f) * 255;
        m_gammaEncodeTable[size_t(k)] = g >= 255 ? 255 : (g < 0 ? 0 : quint8(int(g)));
    }
    for (int l = 0; l < 256; ++l)
        m_lightnessIndex[size_t(l)] = int(l * 3.3806627f) + 138;
    for (size_t i = 0; i < 256; ++i) {
        const float v = m_linearTable[i];
        m_redTerms[i] = {0.412424f * v, 0.212656f * v, 0.0193324f * v};
        m_greenTerms[i] = {0.357579f * v, 0.715158f * v, 0.119193f * v};
        m_blueTerms[i] = {0.180464f * v, 0.0721856f * v, 0.950444f * v};
    }
    for (size_t k = 0; k < labTableSize; ++k) {
        const float x = m_labInverseTable[k] * 0.950456f;
        const float y = m_labInverseTable[k];
        const float z = m_labInverseTable[k] * 1.088754f;
        m_xTerms[k] = {3240.71f * x, -969.258f * x, 55.6352f * x};
        m_yTerms[k] = {1537.26f * y, 1875.99f * y, 203.996f * y};
        m_zTerms[k] = {498.571f * z, 41.5557f * z, 1057.07f * z};
    }
}

// Table index of a scaled value; 0 when not positive, the last entry when too
// big. Truncating first gives the same index (values stay far inside int)
// and lets the clamp be two conditional moves.
static size_t positiveIndex(float v)
{
    const int k = int(v);
    const int low = k < 0 ? 0 : k;
    return size_t(low > FilterCommon::labTableSize - 1 ? FilterCommon::labTableSize - 1 : low);
}

static size_t nonNegativeIndex(int k)
{
    return size_t(k < 0 ? 0 : k);
}

static quint8 axisByte(int v)
{
    // Below -128 gives 0, from 127 on 255, else v + 128.
    const int low = v < -128 ? -128 : v;
    return quint8((low > 127 ? 127 : low) + 128);
}

void FilterCommon::rgbToLab(quint8 red, quint8 green, quint8 blue, quint8 &l, quint8 &a, quint8 &b) const
{
    const Terms &fromRed = m_redTerms[red];
    const Terms &fromGreen = m_greenTerms[green];
    const Terms &fromBlue = m_blueTerms[blue];
    const float X = (fromRed.first + fromGreen.first + fromBlue.first) * 1.0521265f;
    const float Y = fromRed.second + fromGreen.second + fromBlue.second;
    const float Z = (fromRed.third + fromGreen.third + fromBlue.third) * 0.9184811f;
    // Sums of non-negative terms, white giving about 1000: X, Y and Z are
    // inside the table without clamping.
    const float fx = m_labForwardTable[size_t(int(X))];
    const float fy = m_labForwardTable[size_t(int(Y))];
    const float fz = m_labForwardTable[size_t(int(Z))];
    const int lightness = int(fy * 295.8f - 40.8f);
    const int low = lightness < 0 ? 0 : lightness;
    l = quint8(low > 255 ? 255 : low);
    a = axisByte(int((fx - fy) * 500));
    b = axisByte(int((fy - fz) * 200));
}

quint32 FilterCommon::labToRgb(quint8 l, quint8 a, quint8 b) const
{
    if (l == 0)
        return 0xff000000u;
    // j is 138..1000, so only the X and Z indices can leave the table, and
    // only below it (at most 1254 and 1640).
    const int j = m_lightnessIndex[l];
    const Terms &x = m_xTerms[nonNegativeIndex(j + 2 * a - 256)];
    const Terms &y = m_yTerms[size_t(j)];
    const Terms &z = m_zTerms[nonNegativeIndex(j - 5 * b + 640)];
    const quint8 red = m_gammaEncodeTable[positiveIndex(x.first - y.first - z.first)];
    const quint8 green = m_gammaEncodeTable[positiveIndex(x.second + y.second + z.second)];
    const quint8 blue = m_gammaEncodeTable[positiveIndex(x.third - y.third + z.third)];
    return 0xff000000u | (quint32(red) << 16) | (quint32(green) << 8) | blue;
}

void FilterCommon::labCurves(const uchar *source, quint32 *destination, int count,
                             const std::array<quint8, 256> &aCurve, const std::array<quint8, 256> &bCurve) const
{
    mapColours(source, destination, count, [&](quint8 blue, quint8 green, quint8 red) {
        quint8 l, a, b;
        rgbToLab(red, green, blue, l, a, b);
        return labToRgb(l, aCurve[a], bCurve[b]);
    });
}
