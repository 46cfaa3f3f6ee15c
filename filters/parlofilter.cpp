#include "filters/parlofilter.h"

#include "filters/picturesteps.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double pi = 3.14159265359;

// Warm lifts of the midtones: red by up to 64, green by up to 32.
struct ParloTables {
    ByteTable red, green;

    ParloTables()
    {
        for (int i = 0; i < 256; ++i) {
            red[size_t(i)] = quint8(clampByte(int(i + 64 * std::sin(i * pi / 256))));
            green[size_t(i)] = quint8(clampByte(int(i + 32 * std::sin(i * pi / 256))));
        }
    }
};

} // namespace

int ParloFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    autoLevels(source, pixelCount, !preview, 1.17f, 1.0f);
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    saturationPass(destination, pixelCount, 0);
    static const ParloTables tables;
    curvesStep(destination, pixelCount, identityTable(), tables.green, tables.red);
    const QImage frame = sizedPicture(QStringLiteral("qml/ui/filterRes/Frame/parlo_preview.png"), QStringLiteral("qml/ui/filterRes/Frame/parlo"),
                                      QStringLiteral(".png"), preview, pixelCount);
    frameOverStep(destination, pixelCount, frame);
    return 0;
}

int ParloFilter::filterId() const
{
    return 23;
}

QString ParloFilter::name() const
{
    return QStringLiteral("Parlo");
}

QString ParloFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Parlo/thumbnail.png");
}

bool ParloFilter::expensiveFilter() const
{
    return true;
}
