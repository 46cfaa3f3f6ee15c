#include "filters/charcoalfilter.h"

#include "filters/filterslog.h"
#include "filters/picturesteps.h"

#include <algorithm>
#include <cstring>
#include <vector>

int CharCoalFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 0.9f, 1.0f);
    auto *pixels = reinterpret_cast<quint32 *>(destination);
    for (int i = 0; i < pixelCount; ++i) {
        const uchar *p = destination + size_t(i) * 4;
        const quint32 g = quint32(int((p[0] + p[1] + p[2]) * 0.3333));
        pixels[i] = (pixels[i] & 0xff000000u) | (g << 16) | (g << 8) | g;
    }
    std::vector<quint32> negative(static_cast<size_t>(pixelCount));
    for (int i = 0; i < pixelCount; ++i)
        negative[size_t(i)] = pixels[i] ^ 0x00ffffffu;
    const int side = sideOf(pixelCount);
    std::vector<quint32> blurred(static_cast<size_t>(pixelCount));
    triangularBlur(negative.data(), blurred.data(), side, pixelCount / std::max(side, 1), 4);
    const ByteTable grey = loadCurve(QStringLiteral(":/lut/charcoal/Graylut"));
    auto *t = reinterpret_cast<uchar *>(blurred.data());
    curvesStep(t, pixelCount, grey, grey, grey);

    const QImage mask = sizedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/mask_preview.png"), QStringLiteral("qml/ui/filterRes/Charcoal/mask"),
                                      QStringLiteral(".png"), preview, pixelCount);
    const QImage vividLight = fixedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/vividLightMask.png"), 256);
    const QImage dodge = fixedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/dodgeMask.png"), 256);
    qCDebug(lcFilters) << "Charcoal mask width" << mask.width();
    if (!mask.isNull() && !vividLight.isNull()) {
        const uchar *m = mask.constBits();
        const uchar *table = vividLight.constBits();
        const size_t stride = size_t(vividLight.bytesPerLine());
        for (int i = 0; i < pixelCount; ++i) {
            uchar *p = destination + size_t(i) * 4;
            const uchar *q = m + size_t(i) * 4;
            for (int c = 0; c < 3; ++c) {
                const uchar *v = table + q[c] * stride + size_t(p[c]) * 4;
                p[c] = quint8((p[c] * (255 - v[3]) + v[0] * v[3]) / 255);
            }
        }
    }
    if (!dodge.isNull()) {
        const uchar *table = dodge.constBits();
        const size_t stride = size_t(dodge.bytesPerLine());
        for (int i = 0; i < pixelCount; ++i) {
            uchar *p = destination + size_t(i) * 4;
            const uchar *q = t + size_t(i) * 4;
            for (int c = 0; c < 3; ++c)
                p[c] = table[q[c] * stride + size_t(p[c]) * 4];
        }
    }
    return 0;
}

int CharCoalFilter::filterId() const
{
    return 51;
}

QString CharCoalFilter::name() const
{
    return QStringLiteral("Charcoal");
}

QString CharCoalFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Charcoal/thumbnail.png");
}
