#include "filters/primitives.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <vector>

static void initLutResources()
{
    Q_INIT_RESOURCE(lut);
}

static int readLookupTable(const QString &path, LookupTable &table)
{
    QFile file(path);
    if (!file.exists())
        return LookupTableMissing;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return LookupTableUnreadable;

    ByteTable values{};
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line)) {
        const auto fields = line.splitRef(QLatin1Char(' '));
        const uint index = fields.value(0).toUInt();
        const uint value = fields.size() > 1 ? fields.at(1).toUInt() : 0;
        if (index < 256)
            values[index] = quint8(value & 0xff);
    }
    table = values;
    return LookupTableLoaded;
}

int loadLookupTable(const QString &path, LookupTable &table)
{
    static std::once_flag resources;
    std::call_once(resources, initLutResources);
    if (!path.startsWith(QLatin1String(":/")))
        return readLookupTable(path, table);

    // Compiled-in tables never change: each is parsed once per process.
    struct Read {
        int status;
        LookupTable table;
    };
    static std::mutex mutex;
    static QHash<QString, Read> read;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = read.find(path);
    if (found == read.end()) {
        Read fresh{0, {}};
        fresh.status = readLookupTable(path, fresh.table);
        found = read.insert(path, fresh);
    }
    if (found->status == LookupTableLoaded)
        table = found->table;
    return found->status;
}

ByteTable gammaTable(float gamma)
{
    ByteTable t;
    const float exponent = 1 / gamma;
    for (int i = 0; i < 256; ++i) {
        const float p = powf(float(i / 255.0), exponent);
        t[i] = p < 0 ? 0 : (p > 1 ? 255 : quint8(int(p * 255.99)));
    }
    return t;
}

ByteTable contrastTable(int amount)
{
    ByteTable t;
    if (amount == 0) {
        for (int i = 0; i < 256; ++i)
            t[i] = quint8(i);
        return t;
    }
    // 100 would divide by zero; 99 is already a hard threshold.
    const float k = float(100.0 / (100 - std::min(amount, 99)));
    for (int i = 0; i < 256; ++i)
        t[i] = quint8(clampByte(int((i - 128) * k + 128)));
    return t;
}

MidtoneTables midtoneBalance(int redShift, int greenShift, int blueShift)
{
    const int m = (std::max({redShift, greenShift, blueShift}) + std::min({redShift, greenShift, blueShift})) >> 1;
    const auto table = [m](int shift) { return gammaTable(powf(2, float((shift - m) / 100.0))); };
    return {table(redShift), table(greenShift), table(blueShift)};
}

// 60 / d for the hue, as the same floats: a load instead of a division.
static const std::array<float, 256> s_hueStep = [] {
    std::array<float, 256> t{};
    for (int d = 1; d < 256; ++d)
        t[size_t(d)] = 60.0f / d;
    return t;
}();

void rgbToHsl(quint8 red, quint8 green, quint8 blue, quint16 &hue, quint16 &saturation, quint16 &lightness)
{
    const int r = red, g = green, b = blue;
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int d = max - min;
    const int l = (max + min) / 2;
    int h = 0;
    int s = 0;
    if (d >= 1) {
        s = (d * 255) / (l > 127 ? 510 - max - min : max + min);
        const float x = s_hueStep[size_t(d)];
        if (max == r)
            h = int((g - b) * x);
        else if (max == g)
            h = int((b - r) * x) + 120;
        else
            h = int((r - g) * x) + 240;
        if (h < 0)
            h += 360;
        else if (h >= 360)
            h -= 360;
    }
    hue = quint16(h);
    saturation = quint16(int(s * 0.392156862745098));
    lightness = quint16(int(l * 0.392156862745098));
}

void hslToRgb(uint hue, uint saturation, uint lightness, quint8 &red, quint8 &green, quint8 &blue)
{
    if (saturation == 0) {
        red = green = blue = quint8(clampByte(int(lightness * 2.55)));
        return;
    }
    const float S = saturation * 0.01f;
    const float L = lightness * 0.01f;
    const float q = L <= 0.5f ? L * (1 + S) : L + S - L * S;
    const float p = 2 * L - q;
    float h6 = hue * 0.016666668f;
    while (h6 >= 6)
        h6 -= 6;
    const int i = int(h6);
    const float f = h6 - i;
    const float d = p + (q - p) * (1 - f);
    const float u = p + f * (q - p);
    float r, g, b;
    switch (i) {
    case 0: r = q; g = u; b = p; break;
    case 1: r = d; g = q; b = p; break;
    case 2: r = p; g = q; b = u; break;
    case 3: r = p; g = d; b = q; break;
    case 4: r = u; g = p; b = q; break;
    default: r = q; g = p; b = d; break;
    }
    red = quint8(clampByte(int(r * 255)));
    green = quint8(clampByte(int(g * 255)));
    blue = quint8(clampByte(int(b * 255)));
}

void scaleSaturation(uchar *pixels, int count, double factor)
{
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        quint16 hue, saturation, lightness;
        rgbToHsl(p[2], p[1], p[0], hue, saturation, lightness);
        hslToRgb(hue, uint(std::min(100, int(saturation * factor))), lightness, p[2], p[1], p[0]);
    }
}

void saturationPass(uchar *pixels, int count, int strength)
{
    if (count <= 0)
        return;
    struct Hsl {
        quint16 hue, saturation, lightness;
    };
    std::vector<Hsl> hsl(static_cast<size_t>(count));
    quint64 sum = 0;
    for (int i = 0; i < count; ++i) {
        const uchar *p = pixels + size_t(i) * 4;
        Hsl &h = hsl[size_t(i)];
        rgbToHsl(p[2], p[1], p[0], h.hue, h.saturation, h.lightness);
        sum += h.saturation;
    }
    const int k = strength - int(sum / quint64(count));
    std::array<quint16, 101> scaled;
    scaled[0] = 0;
    for (int v = 1; v <= 100; ++v)
        scaled[size_t(v)] = quint16(std::clamp(v + (k * v) / 100, 0, 100));
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        const Hsl &h = hsl[size_t(i)];
        hslToRgb(h.hue, scaled[std::min<size_t>(h.saturation, 100)], h.lightness, p[2], p[1], p[0]);
    }
}

quint32 cubeLookup(const QImage &cube, quint8 blue, quint8 green, quint8 red)
{
    const float bq = ceilf(float(blue * 0.24705882352941178));
    const float ty = floorf(bq * 0.125f);
    const float tx = bq - 8 * ty;
    const int column = int((tx * 0.125 + 0.0009765625 + red * 0.123046875 * 0.00390625) * 512);
    const int row = int((ty * 0.125 + 0.0009765625 + green * 0.123046875 * 0.00390625) * 512);
    const auto line = reinterpret_cast<const quint32 *>(cube.constScanLine(std::clamp(row, 0, 511)));
    return line[std::clamp(column, 0, 511)];
}

void blendByStrength(const uchar *original, uchar *filtered, int count, int strength)
{
    if (strength >= 100)
        return;
    strength = std::max(strength, 0);
    std::array<int, 256> fromFiltered;
    std::array<int, 256> fromOriginal;
    for (int v = 0; v < 256; ++v) {
        fromFiltered[size_t(v)] = v * strength;
        fromOriginal[size_t(v)] = v * (100 - strength) + 50;
    }
    for (int i = 0; i < count; ++i) {
        const uchar *o = original + size_t(i) * 4;
        uchar *f = filtered + size_t(i) * 4;
        for (int c = 0; c < 3; ++c)
            f[c] = quint8((fromFiltered[f[c]] + fromOriginal[o[c]]) / 100);
    }
}

static SoftLightTable makeSoftLightTable(double half)
{
    SoftLightTable t;
    double a = 0;
    for (int i = 0; i < 256; ++i, a += 0.00392156862745098) {
        double b = 0;
        for (int j = 0; j < 256; ++j, b += 0.00392156862745098) {
            const double v = b < 0.5 ? i * (a + 2 * b * (1 - a)) + half
                                     : 2 * i * (1 - b) + std::sqrt(a) * (2 * j - 255) + half;
            t[size_t(i)][size_t(j)] = quint8(clampByte(int(v)));
        }
    }
    return t;
}

const SoftLightTable &softLightTable(bool rounded)
{
    static const SoftLightTable roundedTable = makeSoftLightTable(0.5);
    static const SoftLightTable truncatedTable = makeSoftLightTable(0);
    return rounded ? roundedTable : truncatedTable;
}

namespace {

// Exact (sum + half) / divisor for the sums of one blur, in single precision
// so that it vectorises. With n = sum + half < 2^20 and divisor d <= 4096,
// (n + 0.5) / d lies at least 0.5 / d >= 1.2e-4 inside (q, q + 1) for the
// quotient q <= 255, while the rounding of the reciprocal and the product
// moves it by at most 256 * 2^-23 < 3.1e-5: the truncation is q.
struct Divider {
    float bias;
    float reciprocal;

    explicit Divider(quint32 divisor)
        : bias(float(divisor >> 1) + 0.5f)
        , reciprocal(1.0f / float(divisor))
    {
    }
    // Through int: the signed conversions are the ones that vectorise.
    quint8 operator()(quint32 sum) const { return quint8(int((float(int(sum)) + bias) * reciprocal)); }
};

// Triangular sums along one axis of `count` positions, each `lanes` values
// wide. A triangle of
// half-width a is two boxes of width a in a row: box holds the sum of the
// last a padded samples, window the sum of the last a boxes, history the
// boxes still inside the window. sample(p) gives padded position p (edges
// repeated); deliver(i, window) receives output position i.
template<typename Sample, typename Deliver>
void slide(int count, int a, int lanes, std::vector<quint32> &box, std::vector<quint32> &window,
           std::vector<quint32> &history, Sample sample, Deliver deliver)
{
    std::fill(box.begin(), box.begin() + lanes, 0u);
    std::fill(window.begin(), window.begin() + lanes, 0u);
    for (int p = 0; p < a; ++p) {
        const quint8 *in = sample(p);
        for (int k = 0; k < lanes; ++k)
            box[size_t(k)] += in[k];
    }
    const int last = 2 * a + count - 2;
    // Distinct buffers: said so, the lane loops vectorise.
    quint32 *__restrict boxes = box.data();
    quint32 *__restrict windows = window.data();
    int slotIndex = 0; // j % a, kept without a division per position
    for (int j = a; j <= last; ++j) {
        const quint8 *__restrict in = sample(j);
        const quint8 *__restrict out = sample(j - a);
        quint32 *__restrict slot = history.data() + size_t(slotIndex) * size_t(lanes);
        slotIndex = slotIndex + 1 == a ? 0 : slotIndex + 1;
        if (j < 2 * a) {
            for (int k = 0; k < lanes; ++k) {
                const quint32 b = boxes[k] + in[k] - out[k];
                boxes[k] = b;
                slot[k] = b;
                windows[k] += b;
            }
        } else {
            for (int k = 0; k < lanes; ++k) {
                const quint32 b = boxes[k] + in[k] - out[k];
                boxes[k] = b;
                windows[k] += b - slot[k];
                slot[k] = b;
            }
        }
        if (j >= 2 * a - 1)
            deliver(j - 2 * a + 1, window.data());
    }
}

// The columns of a width x height image of src blurred into dst, all of a row
// at once (so the lane loops vectorise). A cell is a 32-bit pixel, whose
// alpha comes from src, or one grey byte.
template<typename Cell>
void blurColumns(const Cell *src, Cell *dst, int width, int height, int a)
{
    const Divider divide(quint32(a * a));
    const auto *srcBytes = reinterpret_cast<const quint8 *>(src);
    auto *dstBytes = reinterpret_cast<quint8 *>(dst);
    const int rowLanes = width * int(sizeof(Cell));
    std::vector<quint32> box(static_cast<size_t>(rowLanes));
    std::vector<quint32> window(static_cast<size_t>(rowLanes));
    std::vector<quint32> history(size_t(a) * size_t(rowLanes));
    slide(
        height, a, rowLanes, box, window, history,
        [&](int p) { return srcBytes + size_t(std::clamp(p - a, 0, height - 1)) * size_t(rowLanes); },
        [&](int y, const quint32 *sums) {
            quint8 *__restrict out = dstBytes + size_t(y) * size_t(rowLanes);
            const quint8 *__restrict in = srcBytes + size_t(y) * size_t(rowLanes);
            for (int k = 0; k < rowLanes; ++k)
                out[k] = divide(sums[k]);
            if constexpr (sizeof(Cell) == 4) {
                for (int k = 3; k < rowLanes; k += 4)
                    out[k] = in[k];
            }
        });
}

// to[x * height + y] = from[y * width + x], in tiles that stay in the cache:
// 8 lines of a column fit the ways of one cache set even when the row
// stride is a power of two.
template<typename Cell>
void transpose(const Cell *from, Cell *to, int width, int height)
{
    constexpr int tile = 8;
    for (int y0 = 0; y0 < height; y0 += tile) {
        for (int x0 = 0; x0 < width; x0 += tile) {
            const int yEnd = std::min(y0 + tile, height);
            const int xEnd = std::min(x0 + tile, width);
            for (int y = y0; y < yEnd; ++y)
                for (int x = x0; x < xEnd; ++x)
                    to[size_t(x) * size_t(height) + size_t(y)] = from[size_t(y) * size_t(width) + size_t(x)];
        }
    }
}

template<typename Cell>
void blurBothWays(const Cell *src, Cell *dst, int width, int height, int a)
{
    if (width <= 0 || height <= 0 || a <= 0)
        return;
    a = std::min(a, 64);
    blurColumns(src, dst, width, height, a);
    // The rows, a strip at a time: turned, a strip's rows are the columns of
    // a small image. Its buffers stay in the cache and take few fresh pages,
    // so the cost per pixel does not grow with the image.
    constexpr int strip = 16;
    std::vector<Cell> turned(size_t(width) * strip);
    std::vector<Cell> blurred(turned.size());
    for (int y0 = 0; y0 < height; y0 += strip) {
        const int rows = std::min(strip, height - y0);
        Cell *block = dst + size_t(y0) * size_t(width);
        transpose(block, turned.data(), width, rows);
        blurColumns(turned.data(), blurred.data(), rows, width, a);
        transpose(blurred.data(), block, rows, width);
    }
}

} // namespace

void triangularBlur(const quint32 *src, quint32 *dst, int width, int height, int a)
{
    blurBothWays(src, dst, width, height, a);
}

void triangularBlurPlane(const quint8 *src, quint8 *dst, int width, int height, int a)
{
    blurBothWays(src, dst, width, height, a);
}
