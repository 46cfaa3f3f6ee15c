#include "app/imageprovider.h"

#include <QImage>
#include <QPixmap>

ImageProvider::ImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{
}

QImage ImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    Q_UNUSED(requestedSize)
    const QImage image(id);
    if (size)
        *size = image.size();
    return image;
}

QPixmap ImageProvider::requestPixmap(const QString &id, QSize *size, const QSize &requestedSize)
{
    QPixmap pixmap(id);
    if (requestedSize.width() > 0 && requestedSize.height() > 0 && !pixmap.isNull())
        pixmap = pixmap.scaled(requestedSize, Qt::KeepAspectRatio, Qt::FastTransformation);
    if (size)
        *size = pixmap.size();
    return pixmap;
}
