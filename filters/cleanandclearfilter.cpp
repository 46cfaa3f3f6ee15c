#include "filters/cleanandclearfilter.h"

#include "filters/picturesteps.h"

#include <cstring>

namespace {

// The mean of x and its screen with itself.
ByteTable brightenTable()
{
    ByteTable t;
    for (int x = 0; x < 256; ++x) {
        const int inverse = 255 - x;
        t[size_t(x)] = quint8((x + 255 - ((inverse * inverse) >> 8)) >> 1);
    }
    return t;
}

} // namespace

int CleanAndClearFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    autoLevels(source, pixelCount, !preview, 1.2f, 1.0f);
    const int side = sideOf(pixelCount);
    if (side <= 0)
        return 0;
    triangularBlur(reinterpret_cast<const quint32 *>(source), reinterpret_cast<quint32 *>(destination), side,
                   pixelCount / side, 2);
    std::memcpy(source, destination, size_t(pixelCount) * 4);
    static const ByteTable brighten = brightenTable();
    curvesStep(destination, pixelCount, brighten, brighten, brighten);
    return 0;
}

int CleanAndClearFilter::filterId() const
{
    return 55;
}

QString CleanAndClearFilter::name() const
{
    return QStringLiteral("Clean&Clear");
}

QString CleanAndClearFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/AutoLevel/thumbnail.png");
}
