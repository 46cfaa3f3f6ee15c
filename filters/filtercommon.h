#pragma once

#include <QObject>

#include <array>

/**
 * Colour tables shared by every filter of one manager: sRGB decoding, the
 * CIELAB curve and its inverse, and sRGB encoding, with the CIELAB round trip
 * built on them. Read-only after construction, so workers share it freely.
 */
class FilterCommon : public QObject
{
    Q_OBJECT
public:
    static constexpr int labTableSize = 2000;

    FilterCommon();

    float labForward(int k) const { return m_labForwardTable[size_t(clampIndex(k))]; }
    float labInverse(int k) const { return m_labInverseTable[size_t(clampIndex(k))]; }
    quint8 gammaEncode(int k) const { return m_gammaEncodeTable[size_t(clampIndex(k))]; }

    // Lightness and the two colour axes as bytes (128 is neutral).
    void rgbToLab(quint8 red, quint8 green, quint8 blue, quint8 &l, quint8 &a, quint8 &b) const;
    // An opaque 32-bit pixel; lightness 0 is black.
    quint32 labToRgb(quint8 l, quint8 a, quint8 b) const;
    // Every pixel to CIELAB, its colour axes through the two curves, and back
    // to an opaque pixel of destination: one loop, the conversions inlined.
    void labCurves(const uchar *source, quint32 *destination, int count, const std::array<quint8, 256> &aCurve,
                   const std::array<quint8, 256> &bCurve) const;

private:
    static int clampIndex(int k) { return k < 0 ? 0 : (k >= labTableSize ? labTableSize - 1 : k); }

    // One term of a colour matrix row per input value, so a conversion is
    // lookups and sums (the same rounded products as multiplying per pixel).
    struct Terms {
        float first;
        float second;
        float third;
    };

    std::array<float, 256> m_linearTable;
    std::array<float, labTableSize> m_labForwardTable;
    std::array<float, labTableSize> m_labInverseTable;
    std::array<quint8, labTableSize> m_gammaEncodeTable;
    // The inverse-table index of each lightness byte.
    std::array<int, 256> m_lightnessIndex;
    // X, Y and Z terms of red, green and blue bytes.
    std::array<Terms, 256> m_redTerms;
    std::array<Terms, 256> m_greenTerms;
    std::array<Terms, 256> m_blueTerms;
    // Red, green and blue terms of X, Y and Z at each inverse-table index.
    std::array<Terms, labTableSize> m_xTerms;
    std::array<Terms, labTableSize> m_yTerms;
    std::array<Terms, labTableSize> m_zTerms;
};
