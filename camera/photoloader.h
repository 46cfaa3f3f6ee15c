#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>

class PhotoItem;

/**
 * Gets gallery thumbnails for PhotoItems off the GUI thread (Thumbnailer on
 * a small thread pool) and hands each to its item. An item that goes away
 * cancels its request: the late image is dropped and queued work skipped.
 */
class PhotoLoader : public QObject
{
    Q_OBJECT
public:
    static PhotoLoader *getInstance();

    ~PhotoLoader() override;

    void requestThumbnail(PhotoItem *item);
    void cancelThumbnail(PhotoItem *item);

    // Requests whose thumbnail has not reached its item yet.
    int pendingCount() const;
    // Waits for every thumbnail job that started, then hands over what they
    // made: afterwards no earlier request can still arrive.
    void settle();

signals:
    void thumbnailLoaded(PhotoItem *item);

private:
    struct Request {
        quint64 id = 0;
        std::shared_ptr<std::atomic_bool> cancelled;
    };

    PhotoLoader();
    void deliver(quint64 id, const QImage &image);

    QThreadPool m_pool;
    QHash<PhotoItem *, Request> m_requestOfItem;
    QHash<quint64, PhotoItem *> m_itemOfRequest;
    quint64 m_nextId = 1;
};
