#include "filters/pastelafilter.h"

#include "filters/picturesteps.h"

#include <cstring>

namespace {

// Highlights from 180 up burn out to white.
ByteTable washTable()
{
    ByteTable t;
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] = quint8(i < 180 ? (i * 255) / 180 : 255);
    return t;
}

} // namespace

int PastelaFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    autoLevels(source, pixelCount, !preview, 0.5f, 2.0f);
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    saturationPass(destination, pixelCount, 40);
    static const ByteTable wash = washTable();
    curvesStep(destination, pixelCount, wash, wash, wash);
    const QImage frame = sizedPicture(QStringLiteral("qml/ui/filterRes/Frame/pastela_preview.png"), QStringLiteral("qml/ui/filterRes/Frame/pastela"),
                                      QStringLiteral(".png"), preview, pixelCount);
    frameOverStep(destination, pixelCount, frame);
    return 0;
}

int PastelaFilter::filterId() const
{
    return 25;
}

QString PastelaFilter::name() const
{
    return QStringLiteral("Pastela");
}

QString PastelaFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Pastela/thumbnail.png");
}

bool PastelaFilter::expensiveFilter() const
{
    return true;
}
