#include "filters/picturesteps.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

bool fits(const QImage &picture, int count)
{
    return !picture.isNull() && picture.format() == QImage::Format_ARGB32
        && qint64(picture.width()) * picture.height() == count;
}

// cubeLookup as tables: the blue slice picks a tile, red and green the column
// and row inside it, with the same arithmetic per entry.
struct CubeIndex {
    std::array<quint8, 256> tileX;
    std::array<quint8, 256> tileY;
    std::array<std::array<quint16, 256>, 8> column;
    std::array<std::array<quint16, 256>, 8> row;

    CubeIndex()
    {
        for (int blue = 0; blue < 256; ++blue) {
            const float bq = ceilf(float(blue * 0.24705882352941178));
            const float ty = floorf(bq * 0.125f);
            tileX[size_t(blue)] = quint8(bq - 8 * ty);
            tileY[size_t(blue)] = quint8(ty);
        }
        for (int t = 0; t < 8; ++t) {
            const float tile = float(t);
            for (int v = 0; v < 256; ++v) {
                const int at = int((tile * 0.125 + 0.0009765625 + v * 0.123046875 * 0.00390625) * 512);
                column[size_t(t)][size_t(v)] = quint16(std::clamp(at, 0, 511));
                row[size_t(t)][size_t(v)] = quint16(std::clamp(at, 0, 511));
            }
        }
    }
};

const CubeIndex &cubeIndex()
{
    static const CubeIndex index;
    return index;
}

// The blends that need a division or a branch, by base and blend byte.
struct BlendTables {
    std::array<std::array<quint8, 256>, 256> burn;
    std::array<std::array<quint8, 256>, 256> overlay;
    std::array<quint8, 256> selfScreen;

    BlendTables()
    {
        for (int base = 0; base < 256; ++base) {
            for (int blend = 0; blend < 256; ++blend) {
                burn[size_t(base)][size_t(blend)] = colourBurn(base, blend);
                overlay[size_t(base)][size_t(blend)] = quint8(overlayOf(base, blend));
            }
            selfScreen[size_t(base)] = quint8(selfScreenOf(base));
        }
    }
};

const BlendTables &blendTables()
{
    static const BlendTables tables;
    return tables;
}

} // namespace

void cubeStep(uchar *pixels, int count, const QImage &cube, bool wholePixel)
{
    if (cube.isNull() || cube.format() != QImage::Format_ARGB32 || cube.size() != QSize(512, 512))
        return;
    const CubeIndex &index = cubeIndex();
    const auto *cells = reinterpret_cast<const quint32 *>(cube.constBits());
    const int stride = int(cube.bytesPerLine() / 4);
    auto *words = reinterpret_cast<quint32 *>(pixels);
    const quint32 keep = wholePixel ? 0u : 0xff000000u;
    for (int i = 0; i < count; ++i) {
        const quint32 p = words[i];
        const quint8 blue = quint8(p);
        const size_t tx = index.tileX[blue];
        const size_t ty = index.tileY[blue];
        const quint32 cell = cells[index.row[ty][(p >> 8) & 0xff] * stride + index.column[tx][(p >> 16) & 0xff]];
        words[i] = (cell & ~keep) | (p & keep);
    }
}

void burnStep(uchar *pixels, int count, const QImage &picture, bool withAlpha)
{
    if (!fits(picture, count))
        return;
    const auto &burn = blendTables().burn;
    const uchar *blend = picture.constBits();
    const int channels = withAlpha ? 4 : 3;
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        const uchar *q = blend + size_t(i) * 4;
        for (int c = 0; c < channels; ++c)
            p[c] = burn[p[c]][q[c]];
    }
}

void multiplyStep(uchar *pixels, int count, const QImage &picture)
{
    if (!fits(picture, count))
        return;
    const uchar *blend = picture.constBits();
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        const uchar *q = blend + size_t(i) * 4;
        for (int c = 0; c < 3; ++c)
            p[c] = multiplyWithAlpha(p[c], p[3], q[c], q[3]);
    }
}

void overlayStep(uchar *pixels, int count, const QImage &picture)
{
    if (!fits(picture, count))
        return;
    const auto &overlay = blendTables().overlay;
    const uchar *blend = picture.constBits();
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        const uchar *q = blend + size_t(i) * 4;
        const int alpha = q[3];
        for (int c = 0; c < 3; ++c)
            p[c] = quint8((alpha * overlay[p[c]][q[c]] + (255 - alpha) * p[c]) >> 8);
    }
}

void selfScreenStep(uchar *pixels, int count, const QImage &picture)
{
    if (!fits(picture, count))
        return;
    const auto &screen = blendTables().selfScreen;
    const uchar *blend = picture.constBits();
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        const int alpha = blend[size_t(i) * 4 + 3];
        for (int c = 0; c < 3; ++c)
            p[c] = quint8(((alpha * screen[p[c]] + (255 - alpha) * p[c]) >> 8) + 1);
    }
}

void frameOverStep(uchar *pixels, int count, const QImage &picture)
{
    if (!fits(picture, count))
        return;
    const uchar *frame = picture.constBits();
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        const uchar *q = frame + size_t(i) * 4;
        for (int c = 0; c < 3; ++c)
            p[c] = alphaOver(p[c], q[c], q[3]);
    }
}

void maskedCurveStep(uchar *pixels, int count, const QImage &mask, const std::vector<ByteTable> &byMask)
{
    if (!fits(mask, count) || byMask.size() != 256)
        return;
    const uchar *m = mask.constBits();
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        const ByteTable &curve = byMask[m[size_t(i) * 4]];
        p[0] = curve[p[0]];
        p[1] = curve[p[1]];
        p[2] = curve[p[2]];
    }
}

void curvesStep(uchar *pixels, int count, const ByteTable &blue, const ByteTable &green, const ByteTable &red)
{
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        p[0] = blue[p[0]];
        p[1] = green[p[1]];
        p[2] = red[p[2]];
    }
}

ByteTable identityTable()
{
    ByteTable identity;
    for (int i = 0; i < 256; ++i)
        identity[size_t(i)] = quint8(i);
    return identity;
}

ByteTable loadCurve(const QString &resource)
{
    LookupTable table;
    loadLookupTable(resource, table);
    return table ? *table : identityTable();
}

void setOpaque(uchar *pixels, int count)
{
    for (int i = 0; i < count; ++i)
        pixels[size_t(i) * 4 + 3] = 255;
}
