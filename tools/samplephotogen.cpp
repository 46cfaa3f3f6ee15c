// Draws the gallery's sample photo: a 1200 x 900 landscape of sky, sun,
// hills and a lake, rich enough in colour and detail to try the filters on.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;

    QImage image(1200, 900, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 560);
    sky.setColorAt(0.0, QColor(0x2a, 0x6f, 0xc9));
    sky.setColorAt(0.7, QColor(0xf7, 0xb7, 0x73));
    sky.setColorAt(1.0, QColor(0xfb, 0xd9, 0x8f));
    p.fillRect(0, 0, 1200, 560, sky);

    QRadialGradient sun(860, 380, 90);
    sun.setColorAt(0.0, QColor(255, 250, 220));
    sun.setColorAt(0.6, QColor(255, 214, 120));
    sun.setColorAt(1.0, QColor(255, 214, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(860, 380), 90, 90);

    const QColor hills[] = {QColor(0x5b, 0x4b, 0x8a), QColor(0x3d, 0x6b, 0x4f), QColor(0x2b, 0x4d, 0x36)};
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath ridge;
        const int base = 470 + layer * 45;
        ridge.moveTo(0, 560);
        ridge.lineTo(0, base);
        for (int x = 0; x <= 1200; x += 150)
            ridge.quadTo(x + 75, base - 60 - ((x / 150 + layer) % 3) * 35, x + 150, base);
        ridge.lineTo(1200, 560);
        ridge.closeSubpath();
        p.setBrush(hills[layer]);
        p.drawPath(ridge);
    }

    QLinearGradient lake(0, 560, 0, 900);
    lake.setColorAt(0.0, QColor(0x8f, 0xb8, 0xd8));
    lake.setColorAt(1.0, QColor(0x1c, 0x3d, 0x5e));
    p.fillRect(0, 560, 1200, 340, lake);

    p.setPen(QPen(QColor(255, 236, 190, 150), 3));
    for (int row = 0; row < 12; ++row) {
        const int y = 585 + row * 24;
        const int half = 140 - row * 9;
        p.drawLine(860 - half, y, 860 + half, y);
    }
    p.end();

    return image.save(QString::fromLocal8Bit(argv[1]), "JPG", 90) ? 0 : 1;
}
