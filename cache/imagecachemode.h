#pragma once

#include <QObject>

/**
 * The kinds of network picture, each with a disk cache of its own; QML
 * passes them by name (ImageCacheMode.CacheThumbnail).
 */
class ImageCacheMode : public QObject
{
    Q_OBJECT
public:
    enum CacheModeEnum {
        NoCache = 0,
        CacheThumbnail = 1,
        CacheProfileImage = 2,
        CacheBadge = 3,
        CacheLargeImage = 4,
        CacheNotImportant = 5,
    };
    Q_ENUM(CacheModeEnum)

    explicit ImageCacheMode(QObject *parent = nullptr);
};
