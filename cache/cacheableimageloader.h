#pragma once

#include <QPointer>
#include <QQuickItem>
#include <QString>
#include <QUrl>

class ImageCacheManager;

/**
 * Non-visual item beside a QML Image: given a network or file URL it tells
 * the Image what to show through imageLoaded(path): the placeholder first,
 * then the "image://smartimageprovider/" form once the shared cache holds
 * the picture. File URLs bypass the cache.
 */
class CacheableImageLoader : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QUrl loadingImagePath READ loadingImagePath WRITE setLoadingImagePath NOTIFY loadingImagePathChanged)
    Q_PROPERTY(QUrl sourceImagePath READ sourceImagePath WRITE setSourceImagePath NOTIFY sourceImagePathChanged)
    Q_PROPERTY(bool needProgress READ needProgress WRITE setNeedProgress NOTIFY needProgressChanged)
    Q_PROPERTY(bool needOAuth READ needOAuth WRITE setNeedOAuth NOTIFY needOAuthChanged)
    Q_PROPERTY(int cacheMode READ cacheMode WRITE setCacheMode NOTIFY cacheModeChanged)
public:
    explicit CacheableImageLoader(QQuickItem *parent = nullptr);
    ~CacheableImageLoader() override;

    QUrl loadingImagePath() const { return m_loadingImagePath; }
    void setLoadingImagePath(const QUrl &url);
    QUrl sourceImagePath() const { return m_sourceImagePath; }
    void setSourceImagePath(const QUrl &url);
    bool needProgress() const { return m_needProgress; }
    void setNeedProgress(bool needProgress);
    bool needOAuth() const { return m_needOAuth; }
    void setNeedOAuth(bool needOAuth);
    int cacheMode() const { return m_cacheMode; }
    void setCacheMode(int cacheMode);

signals:
    void imageLoaded(QString path);
    void loadingImagePathChanged(QUrl url);
    void sourceImagePathChanged(QUrl url);
    void needProgressChanged(bool needProgress);
    void needOAuthChanged(bool needOAuth);
    void cacheModeChanged(int cacheMode);

public slots:
    void httpImageLoaded(QString url);

protected:
    void componentComplete() override;

private:
    void load();
    void release();

    QPointer<ImageCacheManager> m_manager;
    QUrl m_loadingImagePath;
    QUrl m_sourceImagePath;
    bool m_needProgress = false;
    bool m_needOAuth = false;
    int m_cacheMode = 0;
    QString m_key;
    bool m_registered = false;
    bool m_loaded = false;
};
