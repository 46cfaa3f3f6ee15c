#pragma once

#include "app/applicationroot.h"
#include "filters/normalfilter.h"

#include <QImage>
#include <QRandomGenerator>

#include <cmath>
#include <vector>

// Small images and written-out arithmetic shared by the filter tests.

using Pixels = std::vector<quint32>;

inline Pixels noise(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    Pixels pixels(static_cast<size_t>(count));
    for (quint32 &p : pixels)
        p = random.generate() | 0xff000000u;
    return pixels;
}

inline uchar *bytes(Pixels &pixels)
{
    return reinterpret_cast<uchar *>(pixels.data());
}

inline int channel(quint32 pixel, int c)
{
    return int((pixel >> (8 * c)) & 0xff);
}

inline quint32 withChannel(quint32 pixel, int c, int value)
{
    return (pixel & ~(0xffu << (8 * c))) | (quint32(value) << (8 * c));
}

// An installed picture as 32-bit pixels with alpha, read by the test itself.
inline QImage installedPicture(const QString &relativePath)
{
    return QImage(applicationRootPath() + QStringLiteral("qml/ui/filterRes/") + relativePath)
        .convertToFormat(QImage::Format_ARGB32);
}

// The pixels after automatic levels (measured on them).
inline Pixels levelled(Pixels pixels, float gamma, float shadowGamma)
{
    NormalFilter levels(nullptr);
    levels.autoLevels(bytes(pixels), int(pixels.size()), false, gamma, shadowGamma);
    return pixels;
}

// The blend operators, as the filters' arithmetic states them.
inline int refBurn(int base, int blend)
{
    return std::clamp(255 - ((255 - base) * 256) / (blend + 1), 0, 255);
}

inline int refAlphaOver(int base, int blend, int alpha)
{
    return (base * (255 - alpha) + alpha * blend) >> 8;
}

inline int refOverlay(int base, int blend, int alpha)
{
    const int x = base < 128 ? (blend * base) / 128 : (65535 - 2 * (255 - base) * (255 - blend)) >> 8;
    return (alpha * x + (255 - alpha) * base) >> 8;
}

// The cube cell a colour is looked up in.
inline QPoint refCubeCell(int blue, int green, int red)
{
    const float bq = ceilf(float(blue * 0.24705882352941178));
    const float ty = floorf(bq * 0.125f);
    const float tx = bq - 8 * ty;
    return {int((tx * 0.125 + 0.0009765625 + red * 0.123046875 * 0.00390625) * 512),
            int((ty * 0.125 + 0.0009765625 + green * 0.123046875 * 0.00390625) * 512)};
}

inline quint32 refCube(const QImage &cube, quint32 pixel)
{
    const QPoint cell = refCubeCell(channel(pixel, 0), channel(pixel, 1), channel(pixel, 2));
    return cube.pixel(cell);
}
