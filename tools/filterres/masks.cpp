// Masks and blend tables: the round hole of "Pie Hole", the soft surround of
// "Dreamy Vintage", and the paper grain with the vivid-light and dodge tables
// of "Charcoal".
#include "pictures.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace {

QRgb grey(int v)
{
    return qRgb(v, v, v);
}

// Paper grain: a fine tooth around the neutral 128.
QImage paper(int side)
{
    QRandomGenerator random(2012);
    return drawPicture(side, QImage::Format_Grayscale8,
                       [&](int, int) { return grey(128 + int(random.bounded(9)) - 4); });
}

// Vivid light of blend q (row) over base c (column): a burn below the middle,
// a dodge above it, neutral at 128.
QImage vividLight()
{
    return drawPicture(256, QImage::Format_ARGB32, [](int c, int q) {
        const float base = c / 255.0f;
        const float blend = q / 255.0f;
        float v;
        if (blend < 0.5f)
            v = blend <= 0 ? 0 : 1 - (1 - base) / (2 * blend);
        else
            v = blend >= 1 ? 1 : base / (2 * (1 - blend));
        const int out = int(std::clamp(v, 0.0f, 1.0f) * 255 + 0.5f);
        return qRgba(out, out, out, 200);
    });
}

// Colour dodge of blend t (row) over base c (column).
QImage dodge()
{
    return drawPicture(256, QImage::Format_ARGB32, [](int c, int t) {
        const int out = t >= 255 ? (c > 0 ? 255 : 0) : std::min(255, c * 255 / (255 - t));
        return qRgba(out, out, out, 255);
    });
}

} // namespace

QVector<FixedPicture> blendTables()
{
    return {{QStringLiteral("Charcoal/vividLightMask.png"), vividLight},
            {QStringLiteral("Charcoal/dodgeMask.png"), dodge}};
}

QVector<SizedPicture> maskPictures()
{
    return {
        // White keeps the picture, black takes the dark overlay.
        {QStringLiteral("PieHole/piehole_preview.png"), QStringLiteral("PieHole/piehole"), QStringLiteral(".png"),
         [](int s) {
             return drawPicture(s, QImage::Format_Grayscale8, [s](int x, int y) {
                 return grey(int(255 * (1 - smoothstep(0.62f, 1.0f, radius(x, y, s)))));
             });
         }},
        // 0 keeps the picture, up to 229 lets the glow in.
        {QStringLiteral("DreamyVintage/dreamy_preview.png"), QStringLiteral("DreamyVintage/dreamy"),
         QStringLiteral(".png"),
         [](int s) {
             return drawPicture(s, QImage::Format_Grayscale8, [s](int x, int y) {
                 return grey(int(60 + 160 * smoothstep(0.25f, 1.3f, radius(x, y, s))));
             });
         }},
        {QStringLiteral("Charcoal/mask_preview.png"), QStringLiteral("Charcoal/mask"), QStringLiteral(".png"), paper},
    };
}
