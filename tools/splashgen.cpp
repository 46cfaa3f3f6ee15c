// Draws the start-up splash picture: a portrait gradient with the word mark.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;

    QImage image(480, 854, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0.0, QColor(0x1d, 0x2b, 0x53));
    sky.setColorAt(0.55, QColor(0x7e, 0x25, 0x53));
    sky.setColorAt(1.0, QColor(0xff, 0x77, 0x4d));
    p.fillRect(image.rect(), sky);

    // An aperture of six blades around the centre.
    const QPointF centre(240, 360);
    p.setPen(QPen(QColor(255, 255, 255, 230), 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 92, 92);
    p.setPen(QPen(QColor(255, 255, 255, 160), 4));
    for (int blade = 0; blade < 6; ++blade) {
        p.save();
        p.translate(centre);
        p.rotate(blade * 60);
        p.drawLine(QPointF(-30, -52), QPointF(60, -52 + 40));
        p.restore();
    }

    QFont title(QStringLiteral("DejaVu Sans"), 44, QFont::Bold);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 8);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 500, 480, 80), Qt::AlignCenter, QStringLiteral("TAVIRO"));

    QFont tagline(QStringLiteral("DejaVu Sans"), 15);
    p.setFont(tagline);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(0, 580, 480, 40), Qt::AlignCenter, QStringLiteral("share the moment"));
    p.end();

    return image.save(QString::fromLocal8Bit(argv[1]), "JPG", 92) ? 0 : 1;
}
