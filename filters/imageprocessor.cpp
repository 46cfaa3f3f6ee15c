#include "filters/imageprocessor.h"

#include "filters/filter.h"
#include "filters/filtermanager.h"
#include "filters/filterslog.h"
#include "filters/imageresizer.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace {

void prepareFolder()
{
    QDir().mkpath(FilterManager::workFolder());
}

void clearWorkingFiles()
{
    const QString folder = FilterManager::workFolder();
    for (const QString &name : {QStringLiteral("source.jpg"), QStringLiteral("source_preview.jpg"),
                                QStringLiteral("init.jpg"), QStringLiteral("processed.jpg"),
                                QStringLiteral("processed_preview_") + QStringLiteral(".jpg")})
        QFile::remove(folder + name);
}

// Upright: the EXIF orientation of a camera photo is applied. The JPEGs
// written from it carry no EXIF data.
QImage readPhoto(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        qCWarning(lcFilters) << "Cannot read" << path << reader.errorString();
    return image;
}

// Inclusive edges (left, top, right, bottom) to a rectangle; null when empty.
QRect edges(int left, int top, int right, int bottom)
{
    return right < left || bottom < top ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The bar covering the same pixels once the canvas is turned by rotation.
QRect turned(const QRect &bar, int rotation, int side)
{
    if (bar.isNull())
        return bar;
    const int last = side - 1;
    switch (rotation) {
    case 90:
        return edges(last - bar.bottom(), bar.left(), last - bar.top(), bar.right());
    case 180:
        return edges(last - bar.right(), last - bar.bottom(), last - bar.left(), last - bar.top());
    case -90:
        return edges(bar.top(), last - bar.right(), bar.bottom(), last - bar.left());
    default:
        return bar;
    }
}

QVariantMap rectMap(const QRect &rect)
{
    if (rect.isNull())
        return {{QStringLiteral("x"), 0}, {QStringLiteral("y"), 0}, {QStringLiteral("width"), 0}, {QStringLiteral("height"), 0}};
    return {{QStringLiteral("x"), rect.x()}, {QStringLiteral("y"), rect.y()},
            {QStringLiteral("width"), rect.width()}, {QStringLiteral("height"), rect.height()}};
}

// Bar width in canvas pixels for a stretch of the crop, kept inside the canvas.
int barSize(qint64 side, qint64 cropPixels, qint64 divisor)
{
    return int(std::clamp<qint64>(side * cropPixels / divisor, 0, side));
}

} // namespace

ImageProcessor::ImageProcessor(QObject *parent)
    : QObject(parent)
{
}

void ImageProcessor::process(QString path, double gapRatio, bool portraitMode)
{
    prepareFolder();
    clearWorkingFiles();
    // A capture is kept unless both sources were made from it.
    if (writeSources(readPhoto(path), gapRatio, portraitMode))
        QFile::remove(path);
}

void ImageProcessor::processImage(QImage image, double gapRatio, bool portraitMode)
{
    writeSources(image, gapRatio, portraitMode);
}

bool ImageProcessor::writeSources(const QImage &image, double gapRatio, bool portraitMode)
{
    prepareFolder();
    if (image.isNull()) {
        qCWarning(lcFilters) << "No picture to prepare";
        return false;
    }
    const int w = image.width();
    const int h = image.height();
    const int s = portraitMode ? std::min(w, h) : int(h * (1 - gapRatio));
    const QString folder = FilterManager::workFolder();
    const std::pair<int, QString> outputs[] = {{FilterManager::finalWidth(), QStringLiteral("source.jpg")},
                                               {Filter::previewWidth, QStringLiteral("source_preview.jpg")}};
    bool written = true;
    for (const auto &[side, name] : outputs) {
        QImage canvas(side, side, QImage::Format_RGB888);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        if (portraitMode) {
            painter.rotate(90);
            painter.drawImage(QRect(0, -side, side, side), image, QRect(int(std::floor(s * gapRatio)), 0, s, s),
                              Qt::AvoidDither);
        } else {
            painter.drawImage(QRect(0, 0, side, side), image, QRect((w - s) >> 1, int(h * gapRatio), s, s));
        }
        painter.end();
        if (!canvas.save(folder + name, "jpg", 100)) {
            qCWarning(lcFilters) << "Cannot write" << folder + name;
            written = false;
        }
    }
    return written;
}

void ImageProcessor::resizeBeforeZoomCrop(QString path)
{
    prepareFolder();
    clearWorkingFiles();
    m_sourcePath = path;

    auto *thread = new QThread;
    auto *resizer = new ImageResizer(path);
    resizer->moveToThread(thread);
    connect(thread, SIGNAL(started()), resizer, SLOT(doResizeBeforeZoomCrop()));
    connect(resizer, &ImageResizer::resizeBeforeZoomCropCompleted, this, &ImageProcessor::resizeBeforeZoomCropCompleted);
    connect(resizer, &ImageResizer::finished, resizer, &QObject::deleteLater);
    connect(resizer, &ImageResizer::finished, thread, &QThread::quit, Qt::DirectConnection);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
}

QVariant ImageProcessor::zoomCrop(int x, int y, int width, int height, int rotation)
{
    prepareFolder();
    const QImage photo = readPhoto(m_sourcePath);
    const QRect crop(x, y, width, height);
    const QString folder = FilterManager::workFolder();
    const auto large = renderCrop(photo, crop, rotation, FilterManager::finalWidth(), false, folder + QStringLiteral("source.jpg"));
    const auto preview = renderCrop(photo, crop, rotation, Filter::previewWidth, true,
                                    folder + QStringLiteral("source_preview.jpg"));
    return QVariantMap{
        {QStringLiteral("large"), QVariantList{rectMap(large.first), rectMap(large.second)}},
        {QStringLiteral("preview"), QVariantList{rectMap(preview.first), rectMap(preview.second)}},
    };
}

int ImageProcessor::getSourceWidth()
{
    return m_sourceWidth;
}

int ImageProcessor::getSourceHeight()
{
    return m_sourceHeight;
}

void ImageProcessor::resizeBeforeZoomCropCompleted(int width, int height)
{
    m_sourceWidth = width;
    m_sourceHeight = height;
    emit onResizeBeforeZoomCropCompleted(width, height);
}

QPair<QRect, QRect> ImageProcessor::renderCrop(const QImage &photo, const QRect &crop, int rotation, int side,
                                               bool preview, const QString &path)
{
    QFile::remove(path);
    QImage canvas(side, side, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPoint offset;
    switch (rotation) {
    case 90: offset = QPoint(0, -side); break;
    case 180: offset = QPoint(-side, -side); break;
    case -90: offset = QPoint(-side, 0); break;
    default: break;
    }
    QPainter painter(&canvas);
    painter.rotate(rotation);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (!photo.isNull())
        painter.drawImage(QRect(offset, QSize(side, side)), photo, crop);
    painter.end();

    QRect first;
    QRect second;
    const int iw = photo.width();
    const int ih = photo.height();
    if (!photo.isNull() && crop.height() > 0) {
        if (iw + 1 < crop.width()) {
            const int a = barSize(side, -qint64(crop.x()), crop.height());
            const int b = barSize(side, qint64(crop.width()) - iw + crop.x(), crop.height());
            first = edges(0, 0, a - 1, side - 1);
            second = edges(side - b, 0, side - 1, side - 1);
        } else if (preview ? ih < crop.height() : ih + 1 < crop.height()) {
            const int a = barSize(side, -qint64(crop.y()), crop.height());
            const int b = barSize(side, qint64(crop.height()) - ih + crop.y(), crop.height());
            first = edges(0, 0, side - 1, a - 1);
            second = edges(0, side - b, side - 1, side - 1);
        }
    }
    if (!canvas.save(path, "jpg", 100))
        qCWarning(lcFilters) << "Cannot write" << path;
    return {turned(first, rotation, side), turned(second, rotation, side)};
}
