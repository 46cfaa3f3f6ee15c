#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

// Pixel primitives shared by the filters. Pixels are 32-bit words, bytes in
// memory order blue (0), green (1), red (2), alpha (3).

using ByteTable = std::array<quint8, 256>;
// A curve read from a table file; empty when the file could not be read.
using LookupTable = std::optional<ByteTable>;

enum LookupTableStatus { LookupTableLoaded = 0, LookupTableMissing = 2, LookupTableUnreadable = 3 };

// Reads a table file of "index value" lines; the slot is replaced only when the
// file opens. Indices outside 0..255 are ignored; values keep their low 8 bits.
int loadLookupTable(const QString &path, LookupTable &table);

// Applies a table when it loaded; a missing table leaves the value alone.
inline quint8 lookup(const LookupTable &table, quint8 v)
{
    return table ? (*table)[v] : v;
}

ByteTable gammaTable(float gamma);
ByteTable contrastTable(int amount);

struct MidtoneTables {
    ByteTable red;
    ByteTable green;
    ByteTable blue;
};
MidtoneTables midtoneBalance(int redShift, int greenShift, int blueShift);

// Hue in degrees (0..359), saturation and lightness in percent.
void rgbToHsl(quint8 red, quint8 green, quint8 blue, quint16 &hue, quint16 &saturation, quint16 &lightness);
void hslToRgb(uint hue, uint saturation, uint lightness, quint8 &red, quint8 &green, quint8 &blue);

// HSL passes over count 32-bit pixels in place.
// Every pixel to HSL and back with its saturation s made min(100, to int of
// s * factor).
void scaleSaturation(uchar *pixels, int count, double factor);

// The saturation pass: every pixel to HSL and back, with saturation v made
// v + (k * v) / 100 (0..100), k = strength - mean saturation of the image.
void saturationPass(uchar *pixels, int count, int strength);

// Every pixel of source through colourOf(blue, green, red) into destination.
// colourOf gives a 32-bit pixel whose alpha byte is 0 where the source's alpha
// is to be kept (255 for an opaque result). Photos repeat colours: the last
// result of each of 4096 colour slots is kept, so most pixels are a look-up.
// colourOf must depend on the colour alone; source may be destination.
template<typename ColourOf>
void mapColours(const uchar *source, quint32 *destination, int count, ColourOf colourOf)
{
    struct Slot {
        quint32 key;
        quint32 value;
    };
    // A key has bit 24 set, so the zeroed slots match no colour.
    std::vector<Slot> recent(4096, Slot{0, 0});
    const auto *words = reinterpret_cast<const quint32 *>(source);
    for (int i = 0; i < count; ++i) {
        const quint32 word = words[i];
        const quint32 key = (word & 0xffffffu) | 0x1000000u;
        Slot &slot = recent[((word & 0xffffffu) * 2654435761u) >> 20];
        if (slot.key != key)
            slot = {key, colourOf(quint8(word), quint8(word >> 8), quint8(word >> 16))};
        destination[i] = slot.value | (word & 0xff000000u);
    }
}

// The cube picture must be a 512 x 512 32-bit image.
quint32 cubeLookup(const QImage &cube, quint8 blue, quint8 green, quint8 red);

// Blend operators on one channel: base is the photo, blend the overlay picture,
// alpha the overlay's alpha byte.
inline int clampByte(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

inline quint8 colourBurn(int base, int blend)
{
    return quint8(clampByte(255 - ((255 - base) * 256) / (blend + 1)));
}

// The overlay of blend on base, before it is mixed in by alpha.
inline int overlayOf(int base, int blend)
{
    return base < 128 ? (blend * base) / 128 : (65535 - 2 * (255 - base) * (255 - blend)) >> 8;
}

inline quint8 overlayByAlpha(int base, int blend, int alpha)
{
    return quint8((alpha * overlayOf(base, blend) + (255 - alpha) * base) >> 8);
}

// The screen of base with itself, before it is mixed in by alpha.
inline int selfScreenOf(int base)
{
    return base + ((255 - base) * base * 255) / (255 * 255);
}

inline quint8 selfScreenByAlpha(int base, int alpha)
{
    return quint8(((alpha * selfScreenOf(base) + (255 - alpha) * base) >> 8) + 1);
}

inline quint8 multiplyWithAlpha(int base, int baseAlpha, int blend, int alpha)
{
    return quint8(clampByte((blend * (base + 255 - baseAlpha) + (255 - alpha) * base) >> 8));
}

inline quint8 alphaOver(int base, int blend, int alpha)
{
    return quint8((alpha * blend + (255 - alpha) * base) >> 8);
}

// The filtered colour bytes mixed with the original's: strength 100 leaves
// filtered as it is, 0 gives the original, 50 their mean rounded half up.
// Alpha stays the filtered one's.
void blendByStrength(const uchar *original, uchar *filtered, int count, int strength);

// Soft light of blend j over base i, indexed [i][j]; rounded or truncated.
using SoftLightTable = std::array<std::array<quint8, 256>, 256>;
const SoftLightTable &softLightTable(bool rounded);

// Separable triangular blur of half-width a (weights a - |k|, sum a * a) over the
// colour bytes of a width x height image; edges repeat. Columns of src go into
// dst, then the rows of dst are blurred in place; alpha is copied from src.
// Runs in time proportional to the pixel count whatever the half-width;
// half-widths above 64 blur as 64.
void triangularBlur(const quint32 *src, quint32 *dst, int width, int height, int a);
// The same blur of a plane of one byte per pixel: a quarter of the work for a
// grey image.
void triangularBlurPlane(const quint8 *src, quint8 *dst, int width, int height, int a);
