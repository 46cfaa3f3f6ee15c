#include "filters/viridescentfilter.h"

#include "filters/picturesteps.h"

#include <algorithm>
#include <cstring>

int ViridescentFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect regionA, QRect regionB,
                                      bool preview, QVariant)
{
    autoLevels(source, pixelCount, !preview, 1.17f, 2.0f);
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    ByteTable blue;
    for (int i = 0; i < 256; ++i)
        blue[size_t(i)] = quint8(i < 80 ? 64 : (i < 170 ? (i - 80) * 64 / 90 + 64 : 128));
    for (int i = 0; i < pixelCount; ++i)
        destination[size_t(i) * 4] = blue[destination[size_t(i) * 4]];

    // The bars were painted black; the blue table would have lifted them.
    const int side = sideOf(pixelCount);
    if (side <= 0)
        return 0;
    const int rows = pixelCount / side;
    auto *pixels = reinterpret_cast<quint32 *>(destination);
    const auto clearRows = [&](int top, int bottom) {
        top = std::max(top, 0);
        bottom = std::min(bottom, rows - 1);
        if (top <= bottom)
            std::fill(pixels + size_t(top) * size_t(side), pixels + size_t(bottom + 1) * size_t(side), 0u);
    };
    if (regionA.left() == regionB.left()) {
        clearRows(regionA.top(), regionA.bottom());
        clearRows(regionB.top(), regionB.bottom());
    } else if (regionA.top() == regionB.top()) {
        const QRect &left = regionA.left() < regionB.left() ? regionA : regionB;
        const QRect &right = regionA.left() < regionB.left() ? regionB : regionA;
        const int leftWidth = std::clamp(left.right() + 1 - left.left(), 0, side);
        const int rightWidth = std::clamp(right.right() + 1 - right.left(), 0, side);
        for (int r = 0; r < rows; ++r) {
            quint32 *line = pixels + size_t(r) * size_t(side);
            std::fill(line, line + leftWidth, 0u);
            std::fill(line + side - rightWidth, line + side, 0u);
        }
    }
    return 0;
}

int ViridescentFilter::filterId() const
{
    return 20;
}

QString ViridescentFilter::name() const
{
    return QStringLiteral("Viridescent");
}

QString ViridescentFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Viridescent/thumbnail.png");
}
