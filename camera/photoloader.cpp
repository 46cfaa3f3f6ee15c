#include "camera/photoloader.h"

#include "camera/photoitem.h"
#include "camera/thumbnailer.h"

#include <QCoreApplication>
#include <QRunnable>

PhotoLoader *PhotoLoader::getInstance()
{
    static PhotoLoader instance;
    return &instance;
}

PhotoLoader::PhotoLoader()
{
    m_pool.setMaxThreadCount(2);
}

PhotoLoader::~PhotoLoader()
{
    for (const Request &request : qAsConst(m_requestOfItem))
        *request.cancelled = true;
    m_pool.clear();
    m_pool.waitForDone();
}

void PhotoLoader::requestThumbnail(PhotoItem *item)
{
    if (m_requestOfItem.contains(item))
        return;
    const QString filePath = item->url().toLocalFile();
    if (filePath.isEmpty())
        return;

    Request request{m_nextId++, std::make_shared<std::atomic_bool>(false)};
    m_requestOfItem.insert(item, request);
    m_itemOfRequest.insert(request.id, item);

    const quint64 id = request.id;
    const auto cancelled = request.cancelled;
    m_pool.start(QRunnable::create([this, id, cancelled, filePath] {
        if (*cancelled)
            return;
        const QImage image = Thumbnailer::thumbnail(filePath);
        if (*cancelled)
            return;
        QMetaObject::invokeMethod(this, [this, id, image] { deliver(id, image); }, Qt::QueuedConnection);
    }));
}

void PhotoLoader::cancelThumbnail(PhotoItem *item)
{
    const auto it = m_requestOfItem.constFind(item);
    if (it == m_requestOfItem.constEnd())
        return;
    *it->cancelled = true;
    m_itemOfRequest.remove(it->id);
    m_requestOfItem.erase(it);
}

void PhotoLoader::settle()
{
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

int PhotoLoader::pendingCount() const
{
    return m_requestOfItem.size();
}

void PhotoLoader::deliver(quint64 id, const QImage &image)
{
    PhotoItem *item = m_itemOfRequest.take(id);
    if (!item)
        return;
    m_requestOfItem.remove(item);
    if (image.isNull())
        return;
    item->setThumbnail(image);
    emit thumbnailLoaded(item);
}
