#include "cache/cacheableimageloader.h"

#include "cache/imagecachemanager.h"

CacheableImageLoader::CacheableImageLoader(QQuickItem *parent)
    : QQuickItem(parent)
    , m_manager(ImageCacheManager::getInstance())
{
    if (m_manager)
        connect(m_manager, &ImageCacheManager::imageLoaded, this, &CacheableImageLoader::httpImageLoaded);
}

CacheableImageLoader::~CacheableImageLoader()
{
    if (m_manager)
        m_manager->disconnect(this);
    release();
}

void CacheableImageLoader::release()
{
    if (!m_registered)
        return;
    m_registered = false;
    if (m_manager)
        m_manager->releaseImage(m_key, m_needOAuth);
}

void CacheableImageLoader::setSourceImagePath(const QUrl &url)
{
    if (url == m_sourceImagePath)
        return;
    release();
    m_sourceImagePath = url;
    emit sourceImagePathChanged(url);
    // QML sets properties in no promised order: the request waits until
    // cacheMode and needOAuth have their values too.
    if (isComponentComplete())
        load();
}

void CacheableImageLoader::componentComplete()
{
    QQuickItem::componentComplete();
    if (!m_sourceImagePath.isEmpty())
        load();
}

void CacheableImageLoader::load()
{
    if (m_sourceImagePath.isLocalFile()) {
        m_loaded = true;
        m_key = m_sourceImagePath.toLocalFile();
        emit imageLoaded(m_key);
        return;
    }
    m_key = m_sourceImagePath.toString();
    if (m_manager && !m_sourceImagePath.isEmpty()) {
        m_registered = true;
        m_manager->requestImage(m_key, m_needOAuth, m_cacheMode);
    }
    if (!m_loaded)
        emit imageLoaded(m_loadingImagePath.toString());
}

void CacheableImageLoader::setLoadingImagePath(const QUrl &url)
{
    if (url == m_loadingImagePath)
        return;
    m_loadingImagePath = url;
    emit loadingImagePathChanged(url);
    if (!m_loaded)
        emit imageLoaded(url.toString());
}

void CacheableImageLoader::setNeedProgress(bool needProgress)
{
    if (needProgress == m_needProgress)
        return;
    m_needProgress = needProgress;
    emit needProgressChanged(needProgress);
}

void CacheableImageLoader::setNeedOAuth(bool needOAuth)
{
    if (needOAuth == m_needOAuth)
        return;
    m_needOAuth = needOAuth;
    emit needOAuthChanged(needOAuth);
}

void CacheableImageLoader::setCacheMode(int cacheMode)
{
    if (cacheMode == m_cacheMode)
        return;
    m_cacheMode = cacheMode;
    emit cacheModeChanged(cacheMode);
}

void CacheableImageLoader::httpImageLoaded(QString url)
{
    if (url != m_key)
        return;
    m_loaded = true;
    emit imageLoaded(QStringLiteral("image://smartimageprovider/") + url);
}
