#pragma once

#include <QImage>
#include <QString>

/**
 * Square gallery thumbnails, cached on disk in the freedesktop.org layout
 * ($XDG_CACHE_HOME/thumbnails/grid/<md5 of the file URI>.png, tagged with
 * Thumb::URI and Thumb::MTime) so they are reused across runs. A cached
 * thumbnail whose MTime no longer matches the photo is made again.
 * Safe to call from any thread.
 */
class Thumbnailer
{
public:
    static constexpr int Size = 170;

    static QString cacheFilePath(const QString &filePath);
    // The thumbnail of a photo, from the cache or freshly made; null when the
    // file cannot be read.
    static QImage thumbnail(const QString &filePath);

private:
    static QImage cached(const QString &cachePath, const QByteArray &uri, const QByteArray &mtime);
    static QImage make(const QString &filePath);
    static void store(const QString &cachePath, QImage image, const QByteArray &uri, const QByteArray &mtime);
};
