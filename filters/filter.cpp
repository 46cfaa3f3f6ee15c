#include "filters/filter.h"

#include "app/applicationroot.h"
#include "filters/filtercommon.h"
#include "filters/filterslog.h"
#include "filters/primitives.h"

#include <QCache>
#include <QImageReader>

#include <cmath>
#include <mutex>
#include <vector>

Filter::Filter(const std::unique_ptr<FilterCommon> *commonRef)
    : m_commonRef(commonRef)
{
}

int Filter::imagesToUnlock() const
{
    return 0;
}

bool Filter::expensiveFilter() const
{
    return false;
}

int Filter::applyPreview(uchar *source, uchar *destination, QRect regionA, QRect regionB, const QVariant &param)
{
    return applyToPixels(source, destination, previewPixelCount, regionA, regionB, true, param);
}

int Filter::applyFinal(uchar *source, uchar *destination, int pixelCount, QRect regionA, QRect regionB,
                       const QVariant &param)
{
    return applyToPixels(source, destination, pixelCount, regionA, regionB, false, param);
}

quint8 Filter::cachedBlackPoint() const
{
    return quint8(m_cachedPoints.load() & 0xff);
}

quint8 Filter::cachedWhitePoint() const
{
    return quint8(m_cachedPoints.load() >> 8);
}

const FilterCommon *Filter::common() const
{
    return m_commonRef ? m_commonRef->get() : nullptr;
}

void Filter::autoLevels(uchar *pixels, int count, bool reuse, float gamma, float shadowGamma)
{
    const quint16 cached = m_cachedPoints.load();
    int black = cached & 0xff;
    int white = cached >> 8;
    if (!reuse || white <= black) {
        std::vector<quint32> histogram(256, 0);
        for (int i = 0; i < count; ++i) {
            const uchar *p = pixels + size_t(i) * 4;
            ++histogram[size_t((p[0] + p[1] + p[2]) / 3)];
        }
        int first = -1;
        int last = -1;
        for (int v = 0; v < 256; ++v) {
            if (histogram[size_t(v)] < 100)
                continue;
            if (first < 0)
                first = v;
            last = v;
        }
        if (first < 0)
            return;
        black = first > 0 ? first - 1 : 0;
        white = last < 255 ? last + 1 : 255;
        if (white <= black)
            return;
        m_cachedPoints.store(quint16(black | (white << 8)));
    }

    ByteTable stretch;
    for (int i = 0; i < 256; ++i)
        stretch[size_t(i)] = i < black ? 0 : (i >= white ? 255 : quint8(((i - black) * 255) / (white - black)));
    const ByteTable g = gammaTable(gamma);
    ByteTable levels;
    for (int i = 0; i < 256; ++i)
        levels[size_t(i)] = g[stretch[size_t(i)]];
    if (shadowGamma != 1.0f) {
        const ByteTable h = gammaTable(shadowGamma);
        ByteTable shadow;
        for (int i = 0; i < 128; ++i)
            shadow[size_t(i)] = h[size_t(2 * i)] / 2;
        for (int i = 128; i < 256; ++i)
            shadow[size_t(i)] = quint8(i);
        for (int i = 0; i < 256; ++i)
            levels[size_t(i)] = shadow[levels[size_t(i)]];
    }
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        p[0] = levels[p[0]];
        p[1] = levels[p[1]];
        p[2] = levels[p[2]];
    }
}

QImage Filter::loadPicture(const QString &relativePath, int side)
{
    // Decoded pictures are kept between runs: decoding a frame costs more
    // than most filters. Shared read-only, so workers may hold copies.
    static std::mutex mutex;
    static QCache<QString, QImage> cache(48 * 1024);
    const QString key = relativePath + QLatin1Char('@') + QString::number(side);
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (const QImage *picture = cache.object(key))
            return *picture;
    }

    QImageReader reader(applicationRootPath() + relativePath);
    QImage picture = reader.read();
    if (picture.isNull()) {
        qCWarning(lcFilters) << "Picture not available, step skipped:" << relativePath << reader.errorString();
        return {};
    }
    if (picture.size() != QSize(side, side))
        picture = picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    std::lock_guard<std::mutex> lock(mutex);
    cache.insert(key, new QImage(picture), int(picture.sizeInBytes() / 1024));
    return picture;
}
