#pragma once

#include <QColor>
#include <QQuickPaintedItem>

/**
 * The focus frame of the camera screen: four L-shaped corner marks in one
 * colour, sized from the item's width. QML places and colours it.
 */
class FocusZoneItem : public QQuickPaintedItem
{
    Q_OBJECT
public:
    explicit FocusZoneItem(QQuickItem *parent = nullptr);

    void paint(QPainter *painter) override;

public slots:
    void setColor(int r, int g, int b);

private:
    QColor m_color = Qt::white;
};
