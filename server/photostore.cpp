#include "server/photostore.h"

#include "server/serverlog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

#include <cmath>

namespace {

// Larger pictures are refused rather than decoded.
constexpr int kMaxSourcePixels = 40 * 1000 * 1000;

bool validCode(const QString &code)
{
    if (code.isEmpty() || code.size() > 64)
        return false;
    for (QChar c : code) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128))
            return false;
    }
    return true;
}

} // namespace

PhotoStore::PhotoStore(const QString &dataFolder)
    : m_folder(dataFolder)
{
}

const QStringList &PhotoStore::sizeNames()
{
    static const QStringList names{QStringLiteral("thumb"), QStringLiteral("small"), QStringLiteral("medium"),
                                   QStringLiteral("large")};
    return names;
}

int PhotoStore::sizeInPixels(const QString &sizeName)
{
    static const int pixels[] = {150, 320, 480, 800};
    const int index = sizeNames().indexOf(sizeName);
    return index < 0 ? 0 : pixels[index];
}

PhotoStore::Result PhotoStore::store(const QString &code, const QByteArray &encoded)
{
    QBuffer buffer;
    buffer.setData(encoded);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxSourcePixels)
        return NotAPicture;
    QImage image;
    if (!reader.read(&image))
        return NotAPicture;
    return store(code, image);
}

PhotoStore::Result PhotoStore::store(const QString &code, const QImage &image)
{
    if (!validCode(code))
        return WriteFailed;
    if (image.isNull())
        return NotAPicture;
    const int side = qMin(image.width(), image.height());
    const QImage square = image.copy((image.width() - side) / 2, (image.height() - side) / 2, side, side)
                              .convertToFormat(QImage::Format_RGB32);
    const QString folder = m_folder + QStringLiteral("/photos/") + code;
    if (!QDir().mkpath(folder)) {
        qCWarning(lcServer) << "Cannot create" << folder;
        return WriteFailed;
    }
    for (const QString &name : sizeNames()) {
        const int pixels = sizeInPixels(name);
        const QImage scaled = side == pixels ? square
                                             : square.scaled(pixels, pixels, Qt::IgnoreAspectRatio,
                                                             Qt::SmoothTransformation);
        QSaveFile file(folder + QLatin1Char('/') + name + QStringLiteral(".jpg"));
        if (!file.open(QIODevice::WriteOnly) || !scaled.save(&file, "JPEG", 88) || !file.commit()) {
            qCWarning(lcServer) << "Cannot write" << file.fileName();
            remove(code);
            return WriteFailed;
        }
    }
    return Stored;
}

void PhotoStore::remove(const QString &code)
{
    if (validCode(code))
        QDir(m_folder + QStringLiteral("/photos/") + code).removeRecursively();
}

QString PhotoStore::path(const QString &code, const QString &sizeName) const
{
    if (!validCode(code) || !sizeNames().contains(sizeName))
        return {};
    const QString file = m_folder + QStringLiteral("/photos/") + code + QLatin1Char('/') + sizeName
        + QStringLiteral(".jpg");
    return QFile::exists(file) ? file : QString();
}

QString PhotoStore::badgePath(int badgeId, const QString &colour, int pixels)
{
    const QString folder = m_folder + QStringLiteral("/badges");
    const QString file = folder + QStringLiteral("/%1-%2.png").arg(badgeId).arg(pixels);
    if (QFile::exists(file))
        return file;
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor base(colour);
        const qreal edge = pixels / 16.0;
        painter.setPen(QPen(base.darker(140), edge));
        painter.setBrush(base);
        painter.drawEllipse(QRectF(edge, edge, pixels - 2 * edge, pixels - 2 * edge));
        painter.setPen(Qt::NoPen);
        painter.setBrush(base.lighter(160));
        // A star marks every badge; its points follow the badge number.
        const int points = 4 + badgeId % 4;
        QPolygonF star;
        const QPointF centre(pixels / 2.0, pixels / 2.0);
        for (int i = 0; i < points * 2; ++i) {
            const qreal radius = (i % 2 ? 0.16 : 0.34) * pixels;
            const qreal angle = M_PI * i / points - M_PI / 2;
            star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        }
        painter.drawPolygon(star);
    }
    QDir().mkpath(folder);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit())
        return {};
    return file;
}
