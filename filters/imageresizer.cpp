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

    // Upright as the gallery shows it: the EXIF orientation is applied, and
    // the sizes are those of the turned photo.
    QImageReader reader(m_path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize size = quarterTurn ? stored.transposed() : stored;
    int width = 0;
    int height = 0;
    if (size.isValid() && !size.isEmpty()) {
        // Decoding straight to the smaller size skips most of the work on big
        // photos; the reader scales before it turns.
        const QSize scaled = size.width() < size.height()
            ? QSize(960, qMax(1, int(qint64(size.height()) * 960 / size.width())))
            : QSize(qMax(1, int(qint64(size.width()) * 960 / size.height())), 960);
        reader.setScaledSize(quarterTurn ? scaled.transposed() : scaled);
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
