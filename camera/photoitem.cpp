#include "camera/photoitem.h"

#include "camera/photoloader.h"

#include <QPainter>

PhotoItem::PhotoItem(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setImplicitSize(160, 160);
    setSize(QSizeF(160, 160));
}

PhotoItem::~PhotoItem()
{
    PhotoLoader::getInstance()->cancelThumbnail(this);
}

void PhotoItem::setUrl(const QUrl &url)
{
    if (url == m_url)
        return;
    m_url = url;
    emit urlChanged();
    // The thumbnail on show, and any still on its way, belong to the old photo.
    PhotoLoader *loader = PhotoLoader::getInstance();
    loader->cancelThumbnail(this);
    if (!m_thumbnail.isNull())
        setThumbnail(QImage());
    if (!m_url.isEmpty())
        loader->requestThumbnail(this);
}

void PhotoItem::setPressed(bool pressed)
{
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    update();
    emit pressChanged();
}

void PhotoItem::setThumbnail(const QImage &image)
{
    m_thumbnail = image;
    update();
}

void PhotoItem::paint(QPainter *painter)
{
    painter->save();
    QRectF target = boundingRect();
    if (m_pressed)
        target.adjust(6, 6, -6, -6);
    painter->drawImage(target, m_thumbnail);
    painter->restore();
}
