#include "app/smartimageprovider.h"

#include "cache/imagecachemanager.h"

#include <QImage>
#include <QPixmap>

SmartImageProvider::SmartImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{
}

QImage SmartImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    QImage image = ImageCacheManager::findImage(id);
    // An unset sourceSize dimension arrives as 0 or -1: a width alone (or a
    // height alone) still scales, keeping the aspect ratio.
    const int width = requestedSize.width();
    const int height = requestedSize.height();
    if (!image.isNull() && image.size() != requestedSize) {
        if (width > 0 && height > 0)
            image = image.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        else if (width > 0)
            image = image.scaledToWidth(width, Qt::SmoothTransformation);
        else if (height > 0)
            image = image.scaledToHeight(height, Qt::SmoothTransformation);
    }
    if (size)
        *size = image.size();
    return image;
}

QPixmap SmartImageProvider::requestPixmap(const QString &id, QSize *size, const QSize &requestedSize)
{
    return QPixmap::fromImage(requestImage(id, size, requestedSize));
}
