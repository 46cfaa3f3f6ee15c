#include "filters/primitives.h"

#include "filters/filterslog.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

static void initLutResources()
{
    Q_INIT_RESOURCE(lut);
}

int loadLookupTable(const QString &path, LookupTable &table)
{
    static std::once_flag resources;
    std::call_once(resources, initLutResources);

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
        const float x = 60.0f / d;
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
    while (h6 < 0)
        h6 += 6;
    while (h6 >= 6)
        h6 -= 6;
    const int i = int(floorf(h6));
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

namespace {

// One line of samples: a weighted by a - |k| with the edge samples repeated.
// Two box sums of width a in a row make the triangle, so the cost per sample
// does not depend on a. prefix holds running sums over the padded line.
struct LineBlur {
    int a;
    int half;
    std::vector<int> padded;
    std::vector<int> box;
    std::vector<int> prefix;

    LineBlur(int halfWidth, int length)
        : a(halfWidth)
        , half((halfWidth * halfWidth) >> 1)
        , padded(size_t(length + 2 * halfWidth))
        , box(size_t(length + 2 * halfWidth))
        , prefix(size_t(length + 2 * halfWidth + 1))
    {
    }

    // in: samples 0..n-1 at padded[a .. a+n-1]; out[i] for i in 0..n-1.
    void run(int n, int *out)
    {
        const int total = n + 2 * a;
        for (int i = 0; i < a; ++i) {
            padded[size_t(i)] = padded[size_t(a)];
            padded[size_t(a + n + i)] = padded[size_t(a + n - 1)];
        }
        // box[j] = sum of padded[j - a + 1 .. j], valid from j = a - 1.
        prefix[0] = 0;
        for (int j = 0; j < total; ++j)
            prefix[size_t(j + 1)] = prefix[size_t(j)] + padded[size_t(j)];
        for (int j = a - 1; j < total; ++j)
            box[size_t(j)] = prefix[size_t(j + 1)] - prefix[size_t(j + 1 - a)];
        // Output i is centred on padded[a + i]: sum of box[a + i .. a + i + a - 1].
        int sum = 0;
        for (int j = a; j < 2 * a; ++j)
            sum += box[size_t(j)];
        const int divisor = a * a;
        for (int i = 0; i < n; ++i) {
            out[i] = (sum + half) / divisor;
            if (i + 1 < n)
                sum += box[size_t(2 * a + i)] - box[size_t(a + i)];
        }
    }
};

} // namespace

void triangularBlur(const quint32 *src, quint32 *dst, int width, int height, int a)
{
    if (width <= 0 || height <= 0 || a <= 0)
        return;
    LineBlur blur(a, std::max(width, height));
    std::vector<int> out(size_t(std::max(width, height)));
    auto *dstBytes = reinterpret_cast<quint8 *>(dst);
    const auto *srcBytes = reinterpret_cast<const quint8 *>(src);

    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            dstBytes[(size_t(y) * width + x) * 4 + 3] = srcBytes[(size_t(y) * width + x) * 4 + 3];
        for (int c = 0; c < 3; ++c) {
            for (int y = 0; y < height; ++y)
                blur.padded[size_t(a + y)] = srcBytes[(size_t(y) * width + x) * 4 + c];
            blur.run(height, out.data());
            for (int y = 0; y < height; ++y)
                dstBytes[(size_t(y) * width + x) * 4 + c] = quint8(out[size_t(y)]);
        }
    }
    for (int y = 0; y < height; ++y) {
        quint8 *row = dstBytes + size_t(y) * width * 4;
        for (int c = 0; c < 3; ++c) {
            for (int x = 0; x < width; ++x)
                blur.padded[size_t(a + x)] = row[x * 4 + c];
            blur.run(width, out.data());
            for (int x = 0; x < width; ++x)
                row[x * 4 + c] = quint8(out[size_t(x)]);
        }
    }
}
