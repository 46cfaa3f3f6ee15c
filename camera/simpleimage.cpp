#include "camera/simpleimage.h"

#include "camera/cameralog.h"

#include <QImageReader>
#include <QPainter>

SimpleImage::SimpleImage(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

void SimpleImage::setSource(QString newSource)
{
    m_source = newSource;
    m_image = QImage();
    if (m_source.isEmpty()) {
        update();
        return;
    }
    load();
}

void SimpleImage::reload()
{
    if (m_source.isEmpty())
        return;
    m_image = QImage();
    load();
}

void SimpleImage::load()
{
    QImageReader reader(m_source);
    reader.setDecideFormatFromContent(true);
    m_image = reader.read();
    if (m_image.isNull())
        qCDebug(lcCamera) << "cannot read" << m_source << reader.errorString();
    m_sourceSize = m_image.size();
    emit imageLoaded();
    update();
}

void SimpleImage::setImage(QImage image)
{
    m_image = image;
    m_sourceSize = m_image.size();
    emit imageLoaded();
    update();
}

void SimpleImage::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void SimpleImage::paint(QPainter *painter)
{
    if (m_image.isNull())
        return;
    if (m_stretch)
        painter->drawImage(boundingRect(), m_image);
    else
        painter->drawImage(QPointF(0, 0), m_image);
}
