#pragma once

#include <QQuickImageProvider>

/**
 * "image://imageprovider/<path>": a local picture file, path relative to the
 * working directory (the upload queue's thumbnails).
 */
class ImageProvider : public QQuickImageProvider
{
public:
    ImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
};
