#include "filters/tiltshiftfilter.h"

#include "filters/filtercommon.h"
#include "filters/picturesteps.h"
#include "filters/primitives.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Replaces row y of out by a triangular blur of half-width r of sharp around
// it: down the columns, then along the row. Weights past the border are left
// out and the sum is divided by the weights that remain.
void blurRow(const quint32 *sharp, quint32 *out, int w, int y, int r, std::vector<int> &sums,
             std::vector<quint8> &column)
{
    std::fill(sums.begin(), sums.end(), 0);
    int total = 0;
    const int top = std::max(0, y - r + 1);
    const int bottom = std::min(w - 1, y + r - 1);
    for (int yy = top; yy <= bottom; ++yy) {
        const int weight = r - std::abs(yy - y);
        total += weight;
        const auto *line = reinterpret_cast<const quint8 *>(sharp + size_t(yy) * size_t(w));
        for (int k = 0; k < w * 4; ++k)
            sums[size_t(k)] += weight * line[k];
    }
    for (int k = 0; k < w * 4; ++k)
        column[size_t(k)] = quint8(sums[size_t(k)] / total);

    auto *row = reinterpret_cast<quint8 *>(out + size_t(y) * size_t(w));
    for (int x = 0; x < w; ++x) {
        const int left = std::max(0, x - r + 1);
        const int right = std::min(w - 1, x + r - 1);
        int b = 0, g = 0, red = 0, weights = 0;
        for (int xx = left; xx <= right; ++xx) {
            const int weight = r - std::abs(xx - x);
            const quint8 *p = column.data() + size_t(xx) * 4;
            b += weight * p[0];
            g += weight * p[1];
            red += weight * p[2];
            weights += weight;
        }
        row[x * 4] = quint8(b / weights);
        row[x * 4 + 1] = quint8(g / weights);
        row[x * 4 + 2] = quint8(red / weights);
    }
}

} // namespace

int TiltShiftFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    const FilterCommon *tables = common();
    if (!tables)
        return 1;
    autoLevels(source, pixelCount, !preview, 1.0f, 1.0f);
    auto *out = reinterpret_cast<quint32 *>(destination);
    tables->labCurves(source, out, pixelCount, loadCurve(QStringLiteral(":/lut/vivid/a.txt")),
                      loadCurve(QStringLiteral(":/lut/vivid/b.txt")));

    const int w = sideOf(pixelCount);
    if (w <= 0 || w * w != pixelCount)
        return 0;
    const std::vector<quint32> sharp(out, out + pixelCount);
    const int focus = (4 * w) / 5;
    const int step = ((4 * w) / 5 - 15) / 5;
    // The radius grows by one every `step` rows away from the focus row, so
    // it stays below about 7 at any size: each row costs O(width).
    std::vector<int> sums(size_t(w) * 4);
    std::vector<quint8> column(size_t(w) * 4);
    int done = 0;
    int r = 1;
    const auto blur = [&](int y) {
        const int radius = step == 0 ? 2 : r;
        if (radius > 1)
            blurRow(sharp.data(), out, w, y, radius, sums, column);
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
