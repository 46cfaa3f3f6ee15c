#include "filters/cartoonfilter.h"

#include "filters/picturesteps.h"

#include <algorithm>
#include <cstring>

int CartoonFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    autoLevels(source, pixelCount, !preview, 1.0f, 1.0f);
    const int side = sideOf(pixelCount);
    if (side <= 0)
        return 0;
    triangularBlur(reinterpret_cast<const quint32 *>(source), reinterpret_cast<quint32 *>(destination), side,
                   pixelCount / side, 9);
    for (int i = 0; i < pixelCount; ++i) {
        uchar *p = destination + size_t(i) * 4;
        const uchar *s = source + size_t(i) * 4;
        p[0] = std::min(p[0], s[0]);
        p[1] = std::min(p[1], s[1]);
        p[2] = std::min(p[2], s[2]);
    }
    return 0;
}

int CartoonFilter::filterId() const
{
    return 44;
}

QString CartoonFilter::name() const
{
    return QStringLiteral("Cartoon");
}

QString CartoonFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/AutoLevel/thumbnail.png");
}
