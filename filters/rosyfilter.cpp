#include "filters/rosyfilter.h"

#include "filters/primitives.h"

#include <cstring>

int RosyFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview,
                              QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.0f, 1.0f);
    LookupTable red, green, blue;
    loadLookupTable(QStringLiteral(":/lut/rosy/rosy_R.txt"), red);
    loadLookupTable(QStringLiteral(":/lut/rosy/rosy_G.txt"), green);
    loadLookupTable(QStringLiteral(":/lut/rosy/rosy_B.txt"), blue);
    for (int i = 0; i < pixelCount; ++i) {
        uchar *p = destination + size_t(i) * 4;
        p[0] = lookup(blue, p[0]);
        p[1] = lookup(green, p[1]);
        p[2] = lookup(red, p[2]);
    }
    return 0;
}

int RosyFilter::filterId() const
{
    return 47;
}

QString RosyFilter::name() const
{
    return QStringLiteral("Rosy");
}

QString RosyFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Rosy/thumbnail.png");
}
