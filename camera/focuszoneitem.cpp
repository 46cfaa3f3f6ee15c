#include "camera/focuszoneitem.h"

#include <QPainter>

FocusZoneItem::FocusZoneItem(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

void FocusZoneItem::setColor(int r, int g, int b)
{
    m_color = QColor(r, g, b);
    update();
}

void FocusZoneItem::paint(QPainter *painter)
{
    const QRectF bounds = boundingRect();
    const int w = static_cast<int>(bounds.width());
    const int h = static_cast<int>(bounds.height());
    const int t = w / 15;
    const int l = w / 4;

    const QRect arms[] = {
        {0, 0, t, l},         {0, 0, l, t},
        {w - t, h - l, t, l}, {w - l, h - t, l, t},
        {w - t, 0, t, l},     {w - l, 0, l, t},
        {0, h - l, t, l},     {0, h - t, l, t},
    };
    for (const QRect &arm : arms)
        painter->fillRect(arm, m_color);
}
