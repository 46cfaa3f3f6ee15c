// Pictures blended over whole photos: the burn and multiply vignettes, the
// white fills and colour vignettes of the colour-cube filters, and the dark
// vignette of "Vintage" and "Sunset".
#include "pictures.h"

#include <algorithm>

namespace {

// Colour burn keeps a channel at 255: the vignette burns in the given colour
// toward the corners.
QImage burnVignette(int side, QImage::Format format, int red, int green, int blue, float inner)
{
    return drawPicture(side, format, [=](int x, int y) {
        const float t = smoothstep(inner, 1.45f, radius(x, y, side));
        return qRgba(255 - int(red * t), 255 - int(green * t), 255 - int(blue * t), 255);
    });
}

// Alpha alone counts for the self-screen: a soft glow, strongest in the middle.
QImage whiteGlow(int side, int centre, int edge)
{
    return drawPicture(side, QImage::Format_ARGB32, [=](int x, int y) {
        const float t = smoothstep(0.2f, 1.4f, radius(x, y, side));
        return qRgba(255, 255, 255, int(centre + (edge - centre) * t));
    });
}

// A colour overlaid by alpha, from alphaCentre in the middle to alphaEdge in
// the corners.
QImage tintVignette(int side, QRgb colour, int alphaCentre, int alphaEdge, float inner)
{
    return drawPicture(side, QImage::Format_ARGB32, [=](int x, int y) {
        const float t = smoothstep(inner, 1.42f, radius(x, y, side));
        return qRgba(qRed(colour), qGreen(colour), qBlue(colour), int(alphaCentre + (alphaEdge - alphaCentre) * t));
    });
}

// The multiply reads premultiplied colour: base x (colour + 255 - alpha) / 256
// darkens toward the tint by alpha and never brightens.
QImage multiplyVignette(int side, int red, int green, int blue, int strength)
{
    return drawPicture(side, QImage::Format_ARGB32, [=](int x, int y) {
        const int a = int(strength * smoothstep(0.35f, 1.42f, radius(x, y, side)));
        return qRgba(red * a / 255, green * a / 255, blue * a / 255, a);
    });
}

SizedPicture sized(const char *folder, const char *name, const char *extension, std::function<QImage(int)> draw)
{
    const QString stem = QString::fromLatin1(folder) + QLatin1Char('/') + QLatin1String(name) + QLatin1Char('_');
    return {stem + QStringLiteral("preview") + QLatin1String(extension), stem, QLatin1String(extension),
            std::move(draw)};
}

} // namespace

QVector<SizedPicture> overlayPictures()
{
    return {
        sized("Town", "town_blend_vignette", ".jpg",
              [](int s) { return burnVignette(s, QImage::Format_RGB32, 35, 60, 95, 0.45f); }),
        sized("Town", "town_blend_whitefill", ".png", [](int s) { return whiteGlow(s, 70, 20); }),
        sized("Surubu", "surubu_burn_blend", ".png",
              [](int s) { return burnVignette(s, QImage::Format_ARGB32, 25, 50, 80, 0.5f); }),
        sized("Surubu", "surubu_multiply_blend", ".png", [](int s) { return multiplyVignette(s, 225, 170, 120, 110); }),
        sized("Butumo", "butumo_burn_blend", ".png",
              [](int s) { return burnVignette(s, QImage::Format_ARGB32, 30, 45, 55, 0.5f); }),
        sized("Zada", "zada_blend_whitefill", ".png", [](int s) { return tintVignette(s, qRgb(255, 250, 238), 35, 25, 0.2f); }),
        sized("Zada", "zada_blend_vignette", ".png", [](int s) { return tintVignette(s, qRgb(25, 40, 38), 0, 170, 0.45f); }),
        sized("Chacha", "chacha_burn_blend", ".png",
              [](int s) { return burnVignette(s, QImage::Format_ARGB32, 40, 70, 50, 0.45f); }),
        sized("Kabi", "kabi_blend_whitefill", ".png", [](int s) { return tintVignette(s, qRgb(255, 244, 228), 45, 10, 0.2f); }),
        sized("Kabi", "kabi_blend_vignette", ".png", [](int s) { return tintVignette(s, qRgb(28, 18, 10), 0, 185, 0.5f); }),
        sized("Wales", "wales_blend_whitefill", ".png", [](int s) { return tintVignette(s, qRgb(232, 242, 255), 40, 10, 0.2f); }),
        sized("Wales", "wales_blend_vignette", ".png", [](int s) { return tintVignette(s, qRgb(10, 22, 34), 0, 200, 0.45f); }),
        {QStringLiteral("vignette_preview.png"), QStringLiteral("vignette"), QStringLiteral(".png"), [](int s) {
             return drawPicture(s, QImage::Format_ARGB32, [s](int x, int y) {
                 return qRgba(22, 14, 6, int(175 * smoothstep(0.55f, 1.42f, radius(x, y, s))));
             });
         }},
    };
}
