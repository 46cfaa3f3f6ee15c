#include "filters/filter.h"

#include "app/applicationroot.h"
#include "filters/filtercommon.h"
#include "filters/filterslog.h"
#include "filters/picturesteps.h"
#include "filters/primitives.h"

#include <QCache>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
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
    const ByteTable levels = levelsTable(pixels, count, reuse, gamma, shadowGamma);
    for (int i = 0; i < count; ++i) {
        uchar *p = pixels + size_t(i) * 4;
        p[0] = levels[p[0]];
        p[1] = levels[p[1]];
        p[2] = levels[p[2]];
    }
}

ByteTable Filter::levelsTable(const uchar *pixels, int count, bool reuse, float gamma, float shadowGamma)
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
        black = first > 0 ? first - 1 : 0;
        white = last < 255 ? last + 1 : 255;
        // Nothing to measure, or a one-level image: the pixels stay.
        if (first < 0 || white <= black) {
            ByteTable identity;
            for (int i = 0; i < 256; ++i)
                identity[size_t(i)] = quint8(i);
            return identity;
        }
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
    return levels;
}

int Filter::sideOf(int pixelCount)
{
    return pixelCount > 0 ? int(sqrtf(float(pixelCount))) : 0;
}

namespace {

// Decoded pictures are kept between runs: decoding a frame costs more than
// most filters. Shared read-only, so workers may hold copies.
std::mutex s_pictureMutex;
QCache<QString, QImage> s_pictures(64 * 1024);

// The picture at path as side x side 32-bit pixels; scaled to that size when
// scale is set, else refused when of another size.
QImage loadPicture(const QString &path, int side, bool scale)
{
    const QString key = path + QLatin1Char('@') + QString::number(side);
    {
        std::lock_guard<std::mutex> lock(s_pictureMutex);
        if (const QImage *picture = s_pictures.object(key))
            return *picture;
    }

    QImageReader reader(path);
    QImage picture = reader.read();
    if (picture.isNull()) {
        qCWarning(lcFilters) << "Picture not available, step skipped:" << path << reader.errorString();
        return {};
    }
    if (picture.size() != QSize(side, side)) {
        if (!scale) {
            qCWarning(lcFilters) << "Picture" << path << "is" << picture.size() << "instead of" << side << "x" << side
                                 << "; step skipped";
            return {};
        }
        picture = picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull())
        return {};
    std::lock_guard<std::mutex> lock(s_pictureMutex);
    s_pictures.insert(key, new QImage(picture), int(picture.sizeInBytes() / 1024));
    return picture;
}

// The installed file among the preview file (480) and stem + size + extension
// whose size is nearest to side; empty when none is installed.
QString nearestInstalled(const QString &previewPath, const QString &stem, const QString &extension, int side)
{
    const QString root = applicationRootPath();
    const QFileInfo stemInfo(root + stem);
    QString best;
    int bestDistance = INT_MAX;
    const auto consider = [&](const QString &path, int size) {
        const int distance = std::abs(size - side);
        if (distance < bestDistance) {
            best = path;
            bestDistance = distance;
        }
    };
    if (QFileInfo::exists(root + previewPath))
        consider(root + previewPath, Filter::previewWidth);
    const QString prefix = stemInfo.fileName();
    const QStringList names = stemInfo.dir().entryList({prefix + QLatin1Char('*') + extension}, QDir::Files);
    for (const QString &name : names) {
        bool ok = false;
        const int size = name.mid(prefix.size(), name.size() - prefix.size() - extension.size()).toInt(&ok);
        if (ok && size > 0)
            consider(stemInfo.dir().filePath(name), size);
    }
    return best;
}

} // namespace

QImage Filter::fixedPicture(const QString &relativePath, int side)
{
    return loadPicture(applicationRootPath() + relativePath, side, false);
}

QImage Filter::sizedPicture(const QString &previewPath, const QString &stem, const QString &extension, bool preview,
                            int pixelCount)
{
    const int side = sideOf(pixelCount);
    if (side <= 0 || side * side != pixelCount)
        return {};
    const QString root = applicationRootPath();
    QString path = root + (preview ? previewPath : stem + QString::number(side) + extension);
    if (!QFileInfo::exists(path)) {
        path = nearestInstalled(previewPath, stem, extension, side);
        if (path.isEmpty()) {
            qCWarning(lcFilters) << "No picture installed for" << stem << "; step skipped";
            return {};
        }
        qCDebug(lcFilters) << "No" << side << "picture for" << stem << "; scaling" << path;
    }
    return loadPicture(path, side, true);
}

void Filter::overlaidGrade(const uchar *source, uchar *destination, int pixelCount, bool preview, const QString &stem,
                           const QString &cubeExtension, const QStringList &overlays)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    const QString base = QStringLiteral("qml/ui/filterRes/") + stem;
    cubeStep(destination, pixelCount, fixedPicture(base + QStringLiteral("_clut_before") + cubeExtension, 512), false);
    for (const QString &overlay : overlays) {
        const QString blend = base + QStringLiteral("_blend_") + overlay;
        overlayStep(destination, pixelCount,
                    sizedPicture(blend + QStringLiteral("_preview.png"), blend + QLatin1Char('_'), QStringLiteral(".png"),
                                 preview, pixelCount));
    }
    cubeStep(destination, pixelCount, fixedPicture(base + QStringLiteral("_clut_after") + cubeExtension, 512), true);
}
