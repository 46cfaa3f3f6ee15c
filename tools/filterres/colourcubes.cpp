// The colour cubes: 512 x 512 pictures of 8 x 8 tiles of 64 x 64 cells. Tile
// (tx, ty) holds blue slice ty * 8 + tx, and inside it the column is red and
// the row green. Each cube is a colour grade written as a function of the
// input colour.
#include "pictures.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace {

struct Colour {
    float r, g, b;
};

Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

float luma(Colour c)
{
    return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
}

float clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

Colour clamped(Colour c)
{
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b)};
}

Colour mix(Colour a, Colour b, float t)
{
    return a * (1 - t) + b * t;
}

Colour grey(float y)
{
    return {y, y, y};
}

// Saturation scaled around the pixel's own luma.
Colour saturate(Colour c, float amount)
{
    return clamped(mix(grey(luma(c)), c, amount));
}

// An S-curve on each channel; a negative amount flattens.
float sCurve(float x, float amount)
{
    const float s = x * x * (3 - 2 * x);
    return clamp01(x + (s - x) * amount);
}

Colour contrast(Colour c, float amount)
{
    return {sCurve(c.r, amount), sCurve(c.g, amount), sCurve(c.b, amount)};
}

// Blacks lifted to lift and whites lowered to top: the matte of printed film.
Colour fade(Colour c, float lift, float top)
{
    return grey(lift) + c * (top - lift);
}

// Shadows pushed toward one colour and highlights toward another.
Colour splitTone(Colour c, Colour shadows, Colour highlights, float amount)
{
    const float y = luma(c);
    const Colour toShadow = shadows + grey(-luma(shadows));
    const Colour toLight = highlights + grey(-luma(highlights));
    return clamped(c + toShadow * ((1 - y) * amount) + toLight * (y * amount));
}

Colour power(Colour c, float exponent)
{
    return {std::pow(c.r, exponent), std::pow(c.g, exponent), std::pow(c.b, exponent)};
}

// Hue rotation toward a target hue for colours within reach of a source hue.
Colour shiftHue(Colour c, float fromDegrees, float toDegrees, float reach)
{
    const QColor q = QColor::fromRgbF(clamp01(c.r), clamp01(c.g), clamp01(c.b));
    qreal h, s, v;
    q.getHsvF(&h, &s, &v);
    if (h < 0)
        return c;
    float distance = std::abs(float(h) * 360 - fromDegrees);
    distance = std::min(distance, 360 - distance);
    const float weight = 1 - smoothstep(0, reach, distance);
    float hue = float(h) * 360 + (toDegrees - fromDegrees) * weight;
    hue = std::fmod(hue + 360, 360.0f);
    const QColor out = QColor::fromHsvF(qreal(hue / 360), s, v);
    return {float(out.redF()), float(out.greenF()), float(out.blueF())};
}

using Grade = std::function<Colour(Colour)>;

QImage cube(const Grade &grade)
{
    return drawPicture(512, QImage::Format_RGB32, [&](int x, int y) {
        const int slice = (y / 64) * 8 + x / 64;
        // The middle of the inputs that the look-up sends to this cell.
        const Colour in{std::min(1.0f, (x % 64) / 62.75f), std::min(1.0f, (y % 64) / 62.75f),
                        slice > 0 ? (slice - 0.5f) / 63 : 0.0f};
        const Colour out = clamped(grade(in));
        return qRgb(int(out.r * 255 + 0.5f), int(out.g * 255 + 0.5f), int(out.b * 255 + 0.5f));
    });
}

FixedPicture picture(const char *path, Grade grade)
{
    return {QString::fromLatin1(path), [grade] { return cube(grade); }};
}

} // namespace

QVector<FixedPicture> colourCubes()
{
    return {
        // Town: a street look, a little muted, teal shadows and warm light on a matte base.
        picture("Town/town_clut_before.jpg", [](Colour c) {
            c = contrast(saturate(c, 0.82f), 0.3f);
            c = splitTone(c, {0.2f, 0.45f, 0.55f}, {0.75f, 0.6f, 0.4f}, 0.18f);
            return fade(c, 0.05f, 0.98f);
        }),
        // Surubu: golden hour, warm and rich, before its brown vignette.
        picture("Surubu/surubu_clut_before.png", [](Colour c) {
            c = c * Colour{1.06f, 1.0f, 0.86f} + Colour{0.02f, 0.01f, 0};
            return contrast(saturate(c, 1.12f), 0.2f);
        }),
        // Butumo: teal and orange, then a firmer curve on a soft matte.
        picture("Butumo/butumo_clut_before.png", [](Colour c) {
            return saturate(splitTone(c, {0.15f, 0.5f, 0.6f}, {0.85f, 0.55f, 0.3f}, 0.25f), 1.05f);
        }),
        picture("Butumo/butumo_clut_after.png", [](Colour c) { return fade(contrast(c, 0.25f), 0.03f, 0.97f); }),
        // Zada: quiet greens, then contrast after the light and shade.
        picture("Zada/zada_clut_before.png", [](Colour c) {
            return clamped(saturate(c, 0.75f) + Colour{-0.01f, 0.025f, 0.0f});
        }),
        picture("Zada/zada_clut_after.png", [](Colour c) { return contrast(c, 0.2f); }),
        // Theel: cool cinema, cyan shadows, pale highlights.
        picture("Theel/theel_clut.png", [](Colour c) {
            c = splitTone(saturate(c, 0.85f), {0.2f, 0.5f, 0.7f}, {0.6f, 0.58f, 0.5f}, 0.22f);
            return fade(contrast(c, 0.15f), 0.05f, 0.97f);
        }),
        // Chacha: a faded print gone pink.
        picture("Chacha/chacha_clut_before.png", [](Colour c) {
            c = fade(saturate(c, 0.8f), 0.08f, 0.95f);
            return clamped(c + Colour{0.045f, -0.015f, 0.02f});
        }),
        // Kabi: punchy colour, then a warm fade.
        picture("Kabi/kabi_clut_before.jpg", [](Colour c) { return contrast(saturate(c, 1.3f), 0.3f); }),
        picture("Kabi/kabi_clut_after.jpg", [](Colour c) {
            return fade(clamped(c * Colour{1.03f, 1.0f, 0.92f}), 0.03f, 1.0f);
        }),
        // Autumn: greens turn to gold, reds deepen, the light warms.
        picture("Autumn/autumn_clut.jpg", [](Colour c) {
            c = shiftHue(c, 100, 45, 60);
            c = clamped(c * Colour{1.04f, 1.0f, 0.9f} + Colour{0.015f, 0.0f, -0.01f});
            return contrast(saturate(c, 1.1f), 0.15f);
        }),
        // Dacho: sepia monochrome.
        picture("Dacho/dacho_clut.png", [](Colour c) {
            const float y = sCurve(luma(c), 0.25f);
            const Colour sepia = clamped(Colour{y * 1.07f + 0.02f, y * 0.96f + 0.01f, y * 0.78f});
            return mix(c, sepia, 0.9f);
        }),
        // Jiya: airy and bright, soft contrast, pastel colour.
        picture("Jiya/jiya_clut.png", [](Colour c) {
            c = contrast(power(c, 0.8f), -0.25f);
            c = saturate(c, 0.85f) + Colour{0.0f, 0.005f, 0.02f};
            return fade(clamped(c), 0.05f, 1.0f);
        }),
        // Biki: cross-processed, hard red and green curves, yellow light, blue blacks.
        picture("Biki/biki_clut.png", [](Colour c) {
            Colour out{sCurve(c.r, 0.45f), clamp01(sCurve(c.g, 0.25f) * 1.02f), c.b * 0.72f + 0.12f};
            return saturate(out, 1.1f);
        }),
        // Wales: a grey-green day, then a cool firm curve.
        picture("Wales/wales_clut_before.jpg", [](Colour c) {
            const float y = luma(c);
            return mix(saturate(c, 0.7f), Colour{y * 0.96f, y * 1.02f, y * 0.97f}, 0.25f);
        }),
        picture("Wales/wales_clut_after.jpg", [](Colour c) {
            return clamped(contrast(c, 0.25f) + Colour{-0.01f, 0.0f, 0.02f});
        }),
    };
}
