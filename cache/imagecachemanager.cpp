#include "cache/imagecachemanager.h"

#include "cache/cachelog.h"
#include "cache/imagecacheengine.h"
#include "cache/imagecachemode.h"
#include "service/httpimageloadermanager.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QTimer>
#include <QUrl>

namespace {

// Guards the current manager pointer and every manager's item table against
// the image reader thread.
QMutex s_tableLock;
ImageCacheManager *s_instance = nullptr;

struct ModeConfig
{
    int mode;
    const char *folder;
    int maxFiles;
};

constexpr ModeConfig kModes[] = {
    {ImageCacheMode::CacheThumbnail, "cache/thumb", 30},
    {ImageCacheMode::CacheProfileImage, "cache/profile", 30},
    {ImageCacheMode::CacheBadge, "cache/badge", 12},
    {ImageCacheMode::CacheLargeImage, "cache/large", 5},
    {ImageCacheMode::CacheNotImportant, "cache/notimp", 20},
};

} // namespace

ImageCacheManager::ImageCacheManager(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_downloader(new HTTPImageLoaderManager(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &ImageCacheManager::timerQueueTrigged);
    connect(m_downloader, &HTTPImageLoaderManager::imageLoaded, this, &ImageCacheManager::httpImageLoaded);
    for (const ModeConfig &config : kModes) {
        auto *engine = new ImageCacheEngine(this);
        engine->setPath(QStringLiteral(".TAVIRO/") + QLatin1String(config.folder));
        engine->setMaxFiles(config.maxFiles);
        engine->loadIndex();
        m_engines.insert(config.mode, engine);
    }
}

ImageCacheManager::~ImageCacheManager()
{
    {
        QMutexLocker lock(&s_tableLock);
        if (s_instance == this)
            s_instance = nullptr;
        m_items.clear();
    }
    // Engines save their indexes as they go; then the downloader, the timer.
    qDeleteAll(m_engines);
    m_engines.clear();
    m_downloader->disconnect(this);
    delete m_downloader;
    m_timer->stop();
    delete m_timer;
}

ImageCacheManager *ImageCacheManager::getInstance()
{
    return s_instance;
}

void ImageCacheManager::setInstance(ImageCacheManager *instance)
{
    QMutexLocker lock(&s_tableLock);
    s_instance = instance;
}

QImage ImageCacheManager::findImage(const QString &url)
{
    QMutexLocker lock(&s_tableLock);
    if (!s_instance)
        return QImage();
    // A copy shares the pixels; the GUI thread never changes a loaded image.
    return s_instance->m_items.value(url).image;
}

QImage ImageCacheManager::getImage(QString url) const
{
    QMutexLocker lock(&s_tableLock);
    return m_items.value(url).image;
}

void ImageCacheManager::setLargePictureService(QObject *service)
{
    m_downloader->setLargePictureService(service);
}

void ImageCacheManager::requestImage(QString url, bool needOAuth, int cacheMode)
{
    if (QUrl(url).scheme().isEmpty())
        return;
    auto found = m_items.find(url);
    if (found != m_items.end()) {
        {
            QMutexLocker lock(&s_tableLock);
            ++found->references;
        }
        if (found->loaded)
            emit imageLoaded(url);
        return;
    }

    Item item;
    item.needOAuth = needOAuth;
    item.cacheMode = cacheMode;
    ImageCacheEngine *engine = cacheMode != ImageCacheMode::NoCache ? m_engines.value(cacheMode) : nullptr;
    const bool onDisk = engine && engine->contains(url);
    if (onDisk) {
        item.loaded = true;
        engine->touch(url);
        QFile file(engine->filePath(url));
        if (file.open(QIODevice::ReadOnly))
            item.image = QImage::fromData(file.readAll());
    }
    {
        QMutexLocker lock(&s_tableLock);
        m_items.insert(url, item);
    }
    if (onDisk) {
        emit imageLoaded(url);
        return;
    }
    m_downloader->loadImage(url, needOAuth);
}

void ImageCacheManager::releaseImage(QString url, bool needOAuth)
{
    Q_UNUSED(needOAuth)
    auto found = m_items.find(url);
    if (found == m_items.end())
        return;
    if (found->references > 1) {
        QMutexLocker lock(&s_tableLock);
        --found->references;
        return;
    }
    // Cancelled the way it was started: the first request chose the path.
    const bool startedThroughService = found->needOAuth;
    const bool pending = !found->loaded;
    {
        QMutexLocker lock(&s_tableLock);
        m_items.erase(found);
    }
    if (pending)
        m_downloader->cancelImage(url, startedThroughService);
}

void ImageCacheManager::httpImageLoaded(QString url, QByteArray data)
{
    auto found = m_items.find(url);
    if (found != m_items.end()) {
        if (ImageCacheEngine *engine = m_engines.value(found->cacheMode))
            engine->store(url, data);
        // Decoded before the lock: the reader thread never waits on a decode.
        const QImage image = QImage::fromData(data);
        if (image.isNull())
            qCDebug(lcCache) << "picture not decodable:" << url;
        QMutexLocker lock(&s_tableLock);
        found->image = image;
        found->loaded = true;
    }
    emit imageLoaded(url);
}

void ImageCacheManager::timerQueueTrigged()
{
}
