#include "filters/tiltshiftfilter.h"

#include "filters/filtercommon.h"
#include "filters/picturesteps.h"
#include "filters/primitives.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The total of the weights r - |k| of the taps around position p that fall
// inside 0..extent - 1: the whole r * r less what lies past either end.
int weightsInside(int p, int extent, int r)
{
    int total = r * r;
    const int before = r - 1 - p;
    if (before > 0)
        total -= before * (before + 1) / 2;
    const int after = r - 1 - (extent - 1 - p);
    if (after > 0)
        total -= after * (after + 1) / 2;
    return total;
}

// One row of the blur down the columns of sharp, into column (4 bytes a
// pixel). Sum is 16 bits wide while r * r * 255 fits, so twice the lanes go
// through each instruction. The quotient goes through float: with totals
// below 2^13 (r is at most 26 here), (n + 0.5) / d stays 0.5 / d from a whole
// number while the rounding moves it by under 3.1e-5, so it truncates to n / d.
template<typename Sum>
void blurDown(const quint8 *sharp, int w, int y, int r, Sum *__restrict sums, quint8 *__restrict column)
{
    const int lanes = w * 4;
    std::fill(sums, sums + lanes, Sum(0));
    const int top = std::max(0, y - r + 1);
    const int bottom = std::min(w - 1, y + r - 1);
    for (int yy = top; yy <= bottom; ++yy) {
        const auto weight = Sum(r - std::abs(yy - y));
        const quint8 *__restrict line = sharp + size_t(yy) * size_t(lanes);
        for (int k = 0; k < lanes; ++k)
            sums[k] = Sum(sums[k] + weight * line[k]);
    }
    const float reciprocal = 1.0f / float(weightsInside(y, w, r));
    for (int k = 0; k < lanes; ++k)
        column[k] = quint8(int((float(int(sums[k])) + 0.5f) * reciprocal));
}

// The blur along a row of padded (4 bytes a pixel, `pad` zero pixels each
// side, pad > r) into row: second-order running sums, so each pixel costs
// the same whatever r. Zero padding leaves the taps past the border out; the
// sum is divided by the weights inside.
void blurAlong(const quint8 *padded, int pad, int w, int r, quint8 *row)
{
    const quint8 *c = padded + size_t(pad) * 4; // c[x * 4 + channel], x from -pad
    for (int ch = 0; ch < 3; ++ch) {
        int sum = 0;
        int ahead = 0;  // c[x + 1] .. c[x + r]
        int behind = 0; // c[x - r + 1] .. c[x]
        for (int k = -(r - 1); k <= r - 1; ++k)
            sum += (r - std::abs(k)) * c[k * 4 + ch];
        for (int k = 1; k <= r; ++k)
            ahead += c[k * 4 + ch];
        for (int k = -(r - 1); k <= 0; ++k)
            behind += c[k * 4 + ch];
        for (int x = 0; x < w; ++x) {
            const int total = x >= r - 1 && x <= w - r ? r * r : weightsInside(x, w, r);
            row[x * 4 + ch] = quint8(sum / total);
            sum += ahead - behind;
            ahead += c[(x + 1 + r) * 4 + ch] - c[(x + 1) * 4 + ch];
            behind += c[(x + 1) * 4 + ch] - c[(x + 1 - r) * 4 + ch];
        }
    }
}

// Replaces row y of out by a triangular blur of half-width r of sharp around
// it: down the columns, then along the row. Weights past the border are left
// out and the sum is divided by the weights that remain.
struct RowBlur {
    int w;
    int pad;
    std::vector<quint16> narrowSums;
    std::vector<quint32> wideSums;
    std::vector<quint8> padded;

    RowBlur(int side, int largestRadius)
        : w(side)
        , pad(largestRadius + 1)
        , narrowSums(size_t(side) * 4)
        , wideSums(size_t(side) * 4)
        , padded(size_t(side + 2 * pad) * 4, 0)
    {
    }

    void operator()(const quint32 *sharp, quint32 *out, int y, int r)
    {
        const auto *bytes = reinterpret_cast<const quint8 *>(sharp);
        quint8 *column = padded.data() + size_t(pad) * 4;
        if (r * r * 255 <= 0xffff)
            blurDown(bytes, w, y, r, narrowSums.data(), column);
        else
            blurDown(bytes, w, y, r, wideSums.data(), column);
        auto *row = reinterpret_cast<quint8 *>(out + size_t(y) * size_t(w));
        blurAlong(padded.data(), pad, w, r, row);
        // Alpha is the sharp row's.
        const quint8 *sharpRow = bytes + size_t(y) * size_t(w) * 4;
        for (int x = 0; x < w; ++x)
            row[x * 4 + 3] = sharpRow[x * 4 + 3];
    }
};

} // namespace

int TiltShiftFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    const FilterCommon *tables = common();
    if (!tables)
        return 1;
    autoLevels(source, pixelCount, !preview, 1.0f, 1.0f);
    // The sharp colours stay in source, where the blurred rows read them and
    // the others are copied from: no image-sized buffer of fresh pages.
    auto *sharp = reinterpret_cast<quint32 *>(source);
    auto *out = reinterpret_cast<quint32 *>(destination);
    tables->labCurves(source, sharp, pixelCount, loadCurve(QStringLiteral(":/lut/vivid/a.txt")),
                      loadCurve(QStringLiteral(":/lut/vivid/b.txt")));

    const int w = sideOf(pixelCount);
    if (w <= 0 || w * w != pixelCount) {
        std::memcpy(out, sharp, size_t(pixelCount) * 4);
        return 0;
    }
    const int focus = (4 * w) / 5;
    const int step = ((4 * w) / 5 - 15) / 5;
    // The radius grows by one every `step` rows away from the focus row, so
    // it stays below about 7 at any size: each row costs O(width).
    const int largestRadius = step == 0 ? 2 : 2 + focus / step;
    RowBlur blurRow(w, largestRadius);
    int done = 0;
    int r = 1;
    const auto blur = [&](int y) {
        const int radius = step == 0 ? 2 : r;
        if (radius > 1)
            blurRow(sharp, out, y, radius);
        else
            std::memcpy(out + size_t(y) * size_t(w), sharp + size_t(y) * size_t(w), size_t(w) * 4);
        if (step != 0 && ++done == step) {
            ++r;
            done = 0;
        }
    };
    for (int y = focus; y < w; ++y)
        blur(y);
    r = 1;
    for (int y = focus - 1; y >= 0; --y)
        blur(y);
    return 0;
}

int TiltShiftFilter::filterId() const
{
    return 8;
}

QString TiltShiftFilter::name() const
{
    return QStringLiteral("Tilt Shift");
}

QString TiltShiftFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/TiltShift/thumbnail.png");
}
