#include "camera/thumbnailer.h"

#include "camera/cameralog.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include <cmath>

namespace {

QByteArray fileUri(const QString &filePath)
{
    return QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath()).toEncoded();
}

QByteArray fileMTime(const QFileInfo &info)
{
    return QByteArray::number(info.lastModified().toSecsSinceEpoch());
}

QString thumbnailFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/thumbnails/grid");
}

} // namespace

QString Thumbnailer::cacheFilePath(const QString &filePath)
{
    const QByteArray md5 = QCryptographicHash::hash(fileUri(filePath), QCryptographicHash::Md5).toHex();
    return thumbnailFolder() + QLatin1Char('/') + QString::fromLatin1(md5) + QStringLiteral(".png");
}

QImage Thumbnailer::thumbnail(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.isFile())
        return {};
    const QByteArray uri = fileUri(filePath);
    const QByteArray mtime = fileMTime(info);
    const QString cachePath = cacheFilePath(filePath);

    QImage image = cached(cachePath, uri, mtime);
    if (!image.isNull())
        return image;
    image = make(filePath);
    if (!image.isNull())
        store(cachePath, image, uri, mtime);
    return image;
}

// The keys are read from the decoded image: QImageReader::text() cannot
// handle keys that contain a colon.
QImage Thumbnailer::cached(const QString &cachePath, const QByteArray &uri, const QByteArray &mtime)
{
    QImageReader reader(cachePath, "png");
    const QImage image = reader.read();
    if (image.isNull() || image.text(QStringLiteral("Thumb::URI")).toUtf8() != uri
        || image.text(QStringLiteral("Thumb::MTime")).toUtf8() != mtime)
        return {};
    return image;
}

// Decoded at twice the size that covers the square (a JPEG shrinks while it
// is decoded), then scaled smoothly and cut to the square.
QImage Thumbnailer::make(const QString &filePath)
{
    QImageReader reader(filePath);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty()) {
        const qreal scale = qMin(1.0, 2 * qMax(qreal(Size) / size.width(), qreal(Size) / size.height()));
        reader.setScaledSize(QSize(qMax(1, int(std::ceil(size.width() * scale))),
                                   qMax(1, int(std::ceil(size.height() * scale)))));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        qCDebug(lcCamera) << "no thumbnail for" << filePath << reader.errorString();
        return {};
    }
    image = image.scaled(Size, Size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return image.copy((image.width() - Size) / 2, (image.height() - Size) / 2, Size, Size);
}

void Thumbnailer::store(const QString &cachePath, QImage image, const QByteArray &uri, const QByteArray &mtime)
{
    const QString folder = QFileInfo(cachePath).path();
    if (!QDir().mkpath(folder))
        return;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    image.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(uri));
    image.setText(QStringLiteral("Thumb::MTime"), QString::fromUtf8(mtime));
    QSaveFile file(cachePath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QImageWriter writer(&file, "png");
    if (!writer.write(image) || !file.commit())
        qCDebug(lcCamera) << "cannot cache thumbnail" << cachePath << writer.errorString();
}
