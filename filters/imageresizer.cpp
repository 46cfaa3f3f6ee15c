#include "filters/imageresizer.h"

#include "filters/filtermanager.h"
#include "filters/filterslog.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

ImageResizer::ImageResizer(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
}

void ImageResizer::doResizeBeforeZoomCrop()
{
    const QString target = FilterManager::workFolder() + QStringLiteral("init.jpg");
    QFile::remove(target);

    QImageReader reader(m_path);
    const QSize size = reader.size();
    int width = 0;
    int height = 0;
    if (size.isValid()) {
        // Decoding straight to the smaller size skips most of the work on big photos.
        const QSize scaled = size.width() < size.height()
            ? QSize(960, qMax(1, int(qint64(size.height()) * 960 / size.width())))
            : QSize(qMax(1, int(qint64(size.width()) * 960 / size.height())), 960);
        reader.setScaledSize(scaled);
        const QImage image = reader.read();
        if (!image.isNull()) {
            width = size.width();
            height = size.height();
            if (!image.save(target, "jpg", 90))
                qCWarning(lcFilters) << "Cannot write" << target;
        }
    }
    if (width == 0)
        qCWarning(lcFilters) << "Cannot read" << m_path << reader.errorString();
    emit resizeBeforeZoomCropCompleted(width, height);
    emit finished();
}
