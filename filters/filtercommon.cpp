#include "filters/filtercommon.h"

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
}

// Table index of a scaled value; 0 when not positive, the last entry when too big.
static int positiveIndex(float v)
{
    return v > 0 ? (v < FilterCommon::labTableSize ? int(v) : FilterCommon::labTableSize - 1) : 0;
}

static quint8 axisByte(int v)
{
    return v < -128 ? 0 : (v < 127 ? quint8(v + 128) : 255);
}

void FilterCommon::rgbToLab(quint8 red, quint8 green, quint8 blue, quint8 &l, quint8 &a, quint8 &b) const
{
    const float R = m_linearTable[red];
    const float G = m_linearTable[green];
    const float B = m_linearTable[blue];
    const float X = (0.412424f * R + 0.357579f * G + 0.180464f * B) * 1.0521265f;
    const float Y = 0.212656f * R + 0.715158f * G + 0.0721856f * B;
    const float Z = (0.0193324f * R + 0.119193f * G + 0.950444f * B) * 0.9184811f;
    const float fx = labForward(positiveIndex(X));
    const float fy = labForward(positiveIndex(Y));
    const float fz = labForward(positiveIndex(Z));
    const int lightness = int(fy * 295.8f - 40.8f);
    l = quint8(lightness < 0 ? 0 : (lightness > 255 ? 255 : lightness));
    a = axisByte(int((fx - fy) * 500));
    b = axisByte(int((fy - fz) * 200));
}

quint32 FilterCommon::labToRgb(quint8 l, quint8 a, quint8 b) const
{
    if (l == 0)
        return 0xff000000u;
    const int j = int(l * 3.3806627f) + 138;
    const float Y = labInverse(j);
    const float X = labInverse(j + 2 * a - 256) * 0.950456f;
    const float Z = labInverse(j - 5 * b + 640) * 1.088754f;
    const quint8 red = gammaEncode(positiveIndex(3240.71f * X - 1537.26f * Y - 498.571f * Z));
    const quint8 green = gammaEncode(positiveIndex(-969.258f * X + 1875.99f * Y + 41.5557f * Z));
    const quint8 blue = gammaEncode(positiveIndex(55.6352f * X - 203.996f * Y + 1057.07f * Z));
    return 0xff000000u | (quint32(red) << 16) | (quint32(green) << 8) | blue;
}
