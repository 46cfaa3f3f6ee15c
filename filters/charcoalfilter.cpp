#include "filters/charcoalfilter.h"

#include "filters/filterslog.h"
#include "filters/picturesteps.h"

#include <algorithm>
#include <array>
#include <vector>

int CharCoalFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    const ByteTable levels = levelsTable(source, pixelCount, !preview, 0.9f, 1.0f);
    // The image turns grey: one byte per pixel carries it, and its inverse
    // is blurred as a plane.
    std::array<quint8, 3 * 255 + 1> greyOfSum;
    for (int sum = 0; sum <= 3 * 255; ++sum)
        greyOfSum[size_t(sum)] = quint8(int(sum * 0.3333));
    std::vector<quint8> grey(static_cast<size_t>(pixelCount));
    std::vector<quint8> inverse(grey.size());
    for (int i = 0; i < pixelCount; ++i) {
        const uchar *p = source + size_t(i) * 4;
        const quint8 g = greyOfSum[size_t(levels[p[0]] + levels[p[1]] + levels[p[2]])];
        grey[size_t(i)] = g;
        inverse[size_t(i)] = quint8(255 - g);
    }
    const int side = sideOf(pixelCount);
    std::vector<quint8> blurred(grey.size());
    triangularBlurPlane(inverse.data(), blurred.data(), side, pixelCount / std::max(side, 1), 4);
    const ByteTable greyCurve = loadCurve(QStringLiteral(":/lut/charcoal/Graylut"));

    const QImage mask = sizedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/mask_preview.png"), QStringLiteral("qml/ui/filterRes/Charcoal/mask"),
                                      QStringLiteral(".png"), preview, pixelCount);
    const QImage vividLight = fixedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/vividLightMask.png"), 256);
    const QImage dodge = fixedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/dodgeMask.png"), 256);
    qCDebug(lcFilters) << "Charcoal mask width" << mask.width();
    // The vivid light of grey value g under mask byte q, and the dodge of a
    // value under blurred byte t, as tables; a missing picture's step keeps
    // the value.
    const bool vivid = !mask.isNull() && !vividLight.isNull();
    std::vector<ByteTable> vividOf(256);
    std::vector<ByteTable> dodgeOf(256);
    for (int row = 0; row < 256; ++row) {
        const uchar *v = vividLight.isNull() ? nullptr : vividLight.constScanLine(row);
        const uchar *d = dodge.isNull() ? nullptr : dodge.constScanLine(row);
        for (int c = 0; c < 256; ++c) {
            vividOf[size_t(row)][size_t(c)] =
                vivid ? quint8((c * (255 - v[c * 4 + 3]) + v[c * 4] * v[c * 4 + 3]) / 255) : quint8(c);
            dodgeOf[size_t(row)][size_t(c)] = d ? d[c * 4] : quint8(c);
        }
    }
    // Without the vivid light the mask is not read: one zero pixel stands in.
    static const uchar noMask[4] = {};
    const uchar *m = vivid ? mask.constBits() : noMask;
    const size_t maskStep = vivid ? 4 : 0;
    for (int i = 0; i < pixelCount; ++i) {
        const uchar *q = m + size_t(i) * maskStep;
        const size_t g = grey[size_t(i)];
        const ByteTable &dodged = dodgeOf[greyCurve[blurred[size_t(i)]]];
        uchar *p = destination + size_t(i) * 4;
        p[0] = dodged[vividOf[q[0]][g]];
        p[1] = dodged[vividOf[q[1]][g]];
        p[2] = dodged[vividOf[q[2]][g]];
        p[3] = source[size_t(i) * 4 + 3];
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
