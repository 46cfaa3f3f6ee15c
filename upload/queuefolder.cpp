#include "upload/queuefolder.h"

#include "app/common.h"
#include "upload/uploadlog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

namespace {

const QLatin1String kIncomingPrefix(".incoming-");

QString oneLine(QString text)
{
    // A line break would shift every later line of the details file.
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool saveJpeg(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "JPEG") && file.commit();
}

QString tr(const char *text)
{
    return QCoreApplication::translate("UploaderQueueModel", text);
}

} // namespace

QString QueueFolder::root()
{
    return QStringLiteral(".TAVIRO/") + QStringLiteral("queues");
}

QString QueueFolder::path(const QString &code)
{
    return root() + QLatin1Char('/') + code + QLatin1Char('/');
}

QString QueueFolder::photoPath(const QString &code)
{
    return path(code) + QStringLiteral("save.jpg");
}

QString QueueFolder::uniqueCode()
{
    // Seconds since 1970; a photo queued in a second already taken gets the
    // next free number, so two photos never share a folder.
    qint64 code = QDateTime::currentSecsSinceEpoch();
    while (QFileInfo::exists(root() + QLatin1Char('/') + QString::number(code))
           || QFileInfo::exists(root() + QLatin1Char('/') + kIncomingPrefix + QString::number(code)))
        ++code;
    return QString::number(code);
}

QString QueueFolder::photoProblem(const QString &photoPath)
{
    const QFileInfo info(photoPath);
    if (info.isSymLink() || !info.isFile())
        return tr("The photo file is missing: %1").arg(photoPath);
    QFile file(photoPath);
    if (!file.open(QIODevice::ReadOnly))
        return tr("The photo file cannot be read: %1").arg(photoPath);
    if (file.size() == 0)
        return tr("The photo file is empty: %1").arg(photoPath);
    return QString();
}

QByteArray QueueFolder::detailsText(const TavoImageInfo &entry)
{
    QByteArray bytes;
    QTextStream out(&bytes, QIODevice::WriteOnly);
    out.setCodec("UTF-8");
    out << entry.imagePath << '\n'
        << oneLine(entry.imageName) << '\n'
        << oneLine(entry.imageDescription) << '\n'
        << entry.geoLocationLat << '\n'
        << entry.geoLocationLong << '\n'
        << entry.effectFilterType << '\n'
        << quint64(entry.createdTime.toSecsSinceEpoch()) << '\n'
        << int(entry.shareToTwitter) << '\n'
        << int(entry.shareToFacebook) << '\n'
        << entry.imageSource << '\n'
        << int(entry.shareToTumblr) << '\n'
        << int(entry.shareToWeibo) << '\n'
        << int(entry.shareToFlickr) << '\n'
        << int(entry.shareToVk) << '\n'
        << int(entry.shareToDropBox) << '\n'
        << int(entry.shareToGDrive) << '\n'
        << int(entry.shareToPicasa) << '\n'
        << entry.accessLevel << '\n';
    out.flush();
    return bytes;
}

bool QueueFolder::create(const QString &source, const QVariantMap &imageInfo, TavoImageInfo *entry, QString *error)
{
    QFile sourceFile(source);
    const QByteArray photo = sourceFile.open(QIODevice::ReadOnly) ? sourceFile.readAll() : QByteArray();
    if (photo.isEmpty()) {
        *error = tr("The photo file cannot be read: %1").arg(source);
        return false;
    }

    const QString code = uniqueCode();
    TavoImageInfo info;
    info.folderCode = code;
    info.imagePath = photoPath(code);
    info.imageName = imageInfo.value(QStringLiteral("imageName")).toString();
    info.imageDescription = imageInfo.value(QStringLiteral("imageDescription")).toString();
    info.geoLocationLat = imageInfo.value(QStringLiteral("geoLocationLat")).toFloat();
    info.geoLocationLong = imageInfo.value(QStringLiteral("geoLocationLong")).toFloat();
    info.effectFilterType = imageInfo.value(QStringLiteral("effectFilterType")).toInt();
    info.imageSource = imageInfo.value(QStringLiteral("imageSource")).toInt();
    info.shareToTwitter = imageInfo.value(QStringLiteral("shareToTwitter")).toBool();
    info.shareToFacebook = imageInfo.value(QStringLiteral("shareToFacebook")).toBool();
    info.shareToTumblr = imageInfo.value(QStringLiteral("shareToTumblr")).toBool();
    info.shareToFlickr = imageInfo.value(QStringLiteral("shareToFlickr")).toBool();
    info.shareToWeibo = imageInfo.value(QStringLiteral("shareToWeibo")).toBool();
    info.shareToVk = imageInfo.value(QStringLiteral("shareToVk")).toBool();
    info.shareToDropBox = imageInfo.value(QStringLiteral("shareToDropBox")).toBool();
    info.shareToGDrive = imageInfo.value(QStringLiteral("shareToGDrive")).toBool();
    info.shareToPicasa = imageInfo.value(QStringLiteral("shareToPicasa")).toBool();
    info.accessLevel = imageInfo.value(QStringLiteral("accessLevel")).toInt();
    info.createdTime = QDateTime::currentDateTime();
    info.imageName = oneLine(info.imageName);
    info.imageDescription = oneLine(info.imageDescription);

    const QImage picture = QImage::fromData(photo);
    info.thumbImage = picture.scaled(130, 130, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    info.miniImage = info.thumbImage.scaled(36, 36, Qt::KeepAspectRatio, Qt::SmoothTransformation);

    const QString incoming = root() + QLatin1Char('/') + kIncomingPrefix + code + QLatin1Char('/');
    const bool written = QDir().mkpath(incoming)
        && writeWhole(incoming + QStringLiteral("details.txt"), detailsText(info))
        && writeWhole(incoming + QStringLiteral("save.jpg"), photo)
        && (picture.isNull()
            || (saveJpeg(info.thumbImage, incoming + QStringLiteral("thumb.jpg"))
                && saveJpeg(info.miniImage, incoming + QStringLiteral("mini.jpg"))))
        && QDir().rename(incoming, root() + QLatin1Char('/') + code);
    if (!written) {
        Common().removeDir(incoming);
        *error = tr("The photo could not be stored in the upload queue.");
        return false;
    }
    *entry = info;
    return true;
}

bool QueueFolder::read(const QString &code, TavoImageInfo *entry)
{
    const QString folder = path(code);
    QFile details(folder + QStringLiteral("details.txt"));
    if (!photoProblem(photoPath(code)).isEmpty() || !details.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    TavoImageInfo info;
    info.folderCode = code;
    info.miniImage.load(folder + QStringLiteral("mini.jpg"));
    info.thumbImage.load(folder + QStringLiteral("thumb.jpg"));
    if (!info.thumbImage.isNull() && info.thumbImage.width() != 130)
        info.thumbImage = info.thumbImage.scaled(130, 130, Qt::KeepAspectRatio, Qt::SmoothTransformation);

    QTextStream in(&details);
    in.setCodec("UTF-8");
    QStringList lines;
    while (lines.size() < 18 && !in.atEnd())
        lines << in.readLine();
    while (lines.size() < 18)
        lines << QString();
    // Line 1 names the photo; it is always this folder's own, so an edited
    // file cannot make the queue send some other file.
    info.imagePath = photoPath(code);
    info.imageName = lines.at(1);
    info.imageDescription = lines.at(2);
    info.geoLocationLat = lines.at(3).toFloat();
    info.geoLocationLong = lines.at(4).toFloat();
    info.effectFilterType = lines.at(5).toInt();
    // A time that is no date (a hand edit, a torn write) would not survive
    // being written again: the folder's code, the second it was queued, stands in.
    bool timeRead = false;
    const qint64 created = lines.at(6).toLongLong(&timeRead);
    info.createdTime = QDateTime::fromSecsSinceEpoch(created);
    if (!timeRead || created < 0 || info.createdTime.toSecsSinceEpoch() != created)
        info.createdTime = QDateTime::fromSecsSinceEpoch(code.toLongLong());
    info.shareToTwitter = lines.at(7).toInt() != 0;
    info.shareToFacebook = lines.at(8).toInt() != 0;
    info.imageSource = lines.at(9).toInt();
    info.shareToTumblr = lines.at(10).toInt() != 0;
    info.shareToWeibo = lines.at(11).toInt() != 0;
    info.shareToFlickr = lines.at(12).toInt() != 0;
    info.shareToVk = lines.at(13).toInt() != 0;
    info.shareToDropBox = lines.at(14).toInt() != 0;
    info.shareToGDrive = lines.at(15).toInt() != 0;
    info.shareToPicasa = lines.at(16).toInt() != 0;
    info.accessLevel = lines.at(17).toInt();
    *entry = info;
    return true;
}

QStringList QueueFolder::listOldestFirst()
{
    QFileInfoList folders = QDir(root()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    // Same modification time (two photos in one burst): the lower code first.
    std::stable_sort(folders.begin(), folders.end(), [](const QFileInfo &a, const QFileInfo &b) {
        if (a.lastModified() != b.lastModified())
            return a.lastModified() < b.lastModified();
        return a.fileName().toLongLong() < b.fileName().toLongLong();
    });
    QStringList codes;
    for (const QFileInfo &folder : qAsConst(folders))
        codes << folder.fileName();
    return codes;
}

bool QueueFolder::remove(const QString &code)
{
    return Common().removeDir(root() + QLatin1Char('/') + code);
}

void QueueFolder::removeLeftovers()
{
    const QStringList incoming = QDir(root()).entryList(QStringList{kIncomingPrefix + QLatin1Char('*')},
                                                        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : incoming) {
        qCDebug(lcUpload) << "removing a half-written entry:" << name;
        Common().removeDir(root() + QLatin1Char('/') + name);
    }
}
