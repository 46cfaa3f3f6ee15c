// The focus frame's corner marks.
#include "camera/focuszoneitem.h"

#include <QPainter>
#include <QtTest>

class TstFocusZoneItem : public QObject
{
    Q_OBJECT

private slots:
    void paint_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("thickness");
        QTest::addColumn<int>("length");
        QTest::newRow("150 square") << QSize(150, 150) << 10 << 37;
        QTest::newRow("tall, arms from the width") << QSize(100, 200) << 6 << 25;
    }

    void paint()
    {
        QFETCH(QSize, size);
        QFETCH(int, thickness);
        QFETCH(int, length);
        FocusZoneItem item;
        item.setSize(size);
        item.setColor(0, 255, 0);

        QImage canvas(size, QImage::Format_ARGB32);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        item.paint(&painter);
        painter.end();

        const int w = size.width();
        const int h = size.height();
        const QRegion arms = QRegion(0, 0, thickness, length) + QRegion(0, 0, length, thickness)
            + QRegion(w - thickness, h - length, thickness, length) + QRegion(w - length, h - thickness, length, thickness)
            + QRegion(w - thickness, 0, thickness, length) + QRegion(w - length, 0, length, thickness)
            + QRegion(0, h - length, thickness, length) + QRegion(0, h - thickness, length, thickness);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb expected = arms.contains(QPoint(x, y)) ? qRgba(0, 255, 0, 255) : qRgba(0, 0, 0, 0);
                if (canvas.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
            }
        }
    }

    void whiteAtStart()
    {
        FocusZoneItem item;
        item.setSize(QSizeF(30, 30));
        QImage canvas(30, 30, QImage::Format_ARGB32);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        item.paint(&painter);
        painter.end();
        QCOMPARE(canvas.pixel(0, 0), qRgba(255, 255, 255, 255));
    }
};

QTEST_MAIN(TstFocusZoneItem)
#include "tst_focuszoneitem.moc"
