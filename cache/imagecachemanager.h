#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QObject>
#include <QString>

class HTTPImageLoaderManager;
class ImageCacheEngine;
class QTimer;

/**
 * Network pictures shared by every item that shows them: one download and
 * one decode per URL, the decoded image kept while any item holds a
 * reference, and one disk cache per cache mode. Everything runs on the GUI
 * thread except the image reader's lookups (findImage), which is why the
 * table of items is changed and read under a lock.
 */
class ImageCacheManager : public QObject
{
    Q_OBJECT
public:
    explicit ImageCacheManager(QObject *parent = nullptr);
    ~ImageCacheManager() override;

    static ImageCacheManager *getInstance();
    static void setInstance(ImageCacheManager *instance);
    // The decoded image of url held by the current manager; safe from any
    // thread, also while the manager goes away.
    static QImage findImage(const QString &url);

    void requestImage(QString url, bool needOAuth, int cacheMode);
    void releaseImage(QString url, bool needOAuth);
    QImage getImage(QString url) const;

    // The object that fetches pictures through the service (the controller).
    void setLargePictureService(QObject *service);
    HTTPImageLoaderManager *downloader() const { return m_downloader; }
    ImageCacheEngine *engine(int cacheMode) const { return m_engines.value(cacheMode); }

signals:
    void imageLoaded(QString url);

public slots:
    void httpImageLoaded(QString url, QByteArray data);
    void timerQueueTrigged();

private:
    struct Item
    {
        QImage image;
        int references = 1;
        bool loaded = false;
        bool needOAuth = false;
        int cacheMode = 0;
    };

    QTimer *m_timer = nullptr;
    HTTPImageLoaderManager *m_downloader = nullptr;
    QMap<int, ImageCacheEngine *> m_engines;
    // Written on the GUI thread under the table lock, read there without it.
    QHash<QString, Item> m_items;
};
