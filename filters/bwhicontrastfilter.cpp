#include "filters/bwhicontrastfilter.h"

#include "filters/primitives.h"

#include <QRandomGenerator>

int BWHiContrastFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview,
                                      QVariant)
{
    autoLevels(source, pixelCount, !preview, 1.0f, 1.0f);
    LookupTable grey;
    loadLookupTable(QStringLiteral(":/lut/bw_hicontrast/gray.txt"), grey);

    const QImage frame = sizedPicture(QStringLiteral("qml/ui/filterRes/Frame/pastelavignette_preview.png"),
                                      QStringLiteral("qml/ui/filterRes/Frame/pastelavignette"), QStringLiteral(".png"),
                                      preview, pixelCount);
    const bool framed = !frame.isNull();
    const auto *framePixels = framed ? frame.constBits() : nullptr;

    // Fresh grain on every run, even two runs within the same second.
    QRandomGenerator grain(QRandomGenerator::global()->generate());
    for (int i = 0; i < pixelCount; ++i) {
        const uchar *p = source + size_t(i) * 4;
        const int y = int(p[1] * 0.587f + p[2] * 0.2989f + p[0] * 0.114f);
        const int v = clampByte(lookup(grey, quint8(y)) + int(grain.generate() % 12) - 6);
        uchar *out = destination + size_t(i) * 4;
        if (framePixels) {
            const uchar *f = framePixels + size_t(i) * 4;
            out[0] = alphaOver(v, f[0], f[3]);
            out[1] = alphaOver(v, f[1], f[3]);
            out[2] = alphaOver(v, f[2], f[3]);
        } else {
            out[0] = out[1] = out[2] = quint8(v);
        }
        out[3] = 255;
    }
    return 0;
}

int BWHiContrastFilter::filterId() const
{
    return 16;
}

QString BWHiContrastFilter::name() const
{
    return QStringLiteral("B&W Hi");
}

QString BWHiContrastFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/BlackWhiteHigh/thumbnail.png");
}
