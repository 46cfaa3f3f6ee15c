#pragma once

#include <QImage>
#include <QQuickPaintedItem>
#include <QUrl>

/**
 * One cell of the gallery grid: the thumbnail of the photo at url, drawn
 * over the whole item, or inset by 6 pixels on every side while pressed.
 */
class PhotoItem : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QUrl url READ url WRITE setUrl NOTIFY urlChanged)
    Q_PROPERTY(bool pressed READ pressed WRITE setPressed NOTIFY pressChanged)

public:
    explicit PhotoItem(QQuickItem *parent = nullptr);
    ~PhotoItem() override;

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url);
    bool pressed() const { return m_pressed; }
    void setPressed(bool pressed);

    QImage thumbnail() const { return m_thumbnail; }
    void setThumbnail(const QImage &image);

    void paint(QPainter *painter) override;

signals:
    void urlChanged();
    void pressChanged();

private:
    QUrl m_url;
    bool m_pressed = false;
    QImage m_thumbnail;
};
