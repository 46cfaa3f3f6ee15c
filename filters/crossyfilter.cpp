#include "filters/crossyfilter.h"

#include "filters/picturesteps.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double pi = 3.14159265359;

// Cross-processing curves: a lifted, clipped red, a green shoulder, a blue
// squeezed into 28..183.
struct CrossyTables {
    ByteTable red, green, blue;

    CrossyTables()
    {
        red[0] = 0;
        for (int i = 1; i <= 89; ++i)
            red[size_t(i)] = quint8(clampByte(int((i - 40) + 40 * std::cos(i * pi / 180))));
        const int v = int((89 - 40) + 40 * std::cos(89 * pi / 180));
        for (int i = 90; i <= 219; ++i)
            red[size_t(i)] = quint8(v + ((255 - v) * (i - 80)) / 140);
        for (int i = 220; i <= 255; ++i)
            red[size_t(i)] = 255;
        for (int i = 0; i <= 64; ++i)
            green[size_t(i)] = quint8(i);
        for (int i = 65; i <= 255; ++i)
            green[size_t(i)] = quint8(clampByte(int(i + 30 * std::sin((i - 64) * pi / 192))));
        for (int i = 0; i <= 255; ++i)
            blue[size_t(i)] = quint8(((200 * i) >> 8) + 28);
    }
};

} // namespace

int CrossyFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.17f, 1.0f);
    static const CrossyTables tables;
    curvesStep(destination, pixelCount, tables.blue, tables.green, tables.red);
    const QImage slide = sizedPicture(QStringLiteral("qml/ui/filterRes/Frame/slide_preview.png"), QStringLiteral("qml/ui/filterRes/Frame/slide"),
                                      QStringLiteral(".png"), preview, pixelCount);
    frameOverStep(destination, pixelCount, slide);
    return 0;
}

int CrossyFilter::filterId() const
{
    return 24;
}

QString CrossyFilter::name() const
{
    return QStringLiteral("Crossy");
}

QString CrossyFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Crossy/thumbnail.png");
}
