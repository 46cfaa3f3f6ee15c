#include "filters/colorpickerfilter.h"

#include "filters/picturesteps.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Whether range k of the strip's colour choices keeps a pixel.
bool keeps(int k, int h, int s, int l)
{
    switch (k) {
    case 0: return h >= 261 && h <= 340 && s > 30;
    case 1: return h >= 151 && h <= 210 && s > 30;
    case 2: return h >= 211 && h <= 260 && s > 30;
    case 3: return h >= 51 && h <= 150 && s > 30;
    case 4: return h >= 31 && h <= 60 && s > 30;
    case 5: return h >= 21 && h <= 35 && s >= 71;
    case 6: return (h < 21 || h > 340) && s > 30;
    case 7: return l < 21;
    default: return false;
    }
}

} // namespace

int ColorPickerFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview,
                                      QVariant param)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.17f, 1.0f);
    // The ranges switched on, in list order; a parameter that is not a list
    // switches none on.
    const QVariantList list = param.toList();
    std::vector<int> chosen;
    for (int k = 0; k < list.size(); ++k) {
        if (list.at(k).toBool())
            chosen.push_back(k);
    }
    for (int i = 0; i < pixelCount; ++i) {
        uchar *p = destination + size_t(i) * 4;
        quint16 h, s, l;
        rgbToHsl(p[2], p[1], p[0], h, s, l);
        if (std::any_of(chosen.begin(), chosen.end(), [&](int k) { return keeps(k, h, s, l); }))
            continue;
        const quint8 g = quint8(std::min(255, int(p[1] * 0.59 + p[0] * 0.11 + p[2] * 0.3)));
        p[0] = p[1] = p[2] = g;
    }
    return 0;
}

int ColorPickerFilter::filterId() const
{
    return 26;
}

QString ColorPickerFilter::name() const
{
    return QStringLiteral("Color Picker");
}

QString ColorPickerFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/ColorPicker/thumbnail.png");
}
