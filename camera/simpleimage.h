#pragma once

#include <QImage>
#include <QQuickPaintedItem>
#include <QString>

/**
 * Paints one in-memory image, read from a local file or handed over as a
 * QImage. It keeps no URL cache, so reload() shows a file rewritten under
 * the same name.
 */
class SimpleImage : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QImage image READ image WRITE setImage)
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
    Q_PROPERTY(int sourceSizeWidth READ sourceSizeWidth)
    Q_PROPERTY(int sourceSizeHeight READ sourceSizeHeight)

public:
    explicit SimpleImage(QQuickItem *parent = nullptr);

    QString source() const { return m_source; }
    QImage image() const { return m_image; }
    bool stretch() const { return m_stretch; }
    int sourceSizeWidth() const { return m_sourceSize.width(); }
    int sourceSizeHeight() const { return m_sourceSize.height(); }

    Q_INVOKABLE void reload();

    void paint(QPainter *painter) override;

public slots:
    void setSource(QString newSource);
    void setImage(QImage image);
    void setStretch(bool stretch);

signals:
    void sourceChanged();
    void imageLoaded();

private:
    void load();

    QString m_source;
    QImage m_image;
    bool m_stretch = false;
    QSize m_sourceSize{0, 0};
};
