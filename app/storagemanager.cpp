#include "app/storagemanager.h"

#include "app/shelllog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

StorageManager::StorageManager(QObject *parent)
    : QObject(parent)
{
}

bool StorageManager::isMemoryCardAvailable()
{
    return false;
}

QString StorageManager::galleryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + QStringLiteral("/TAVIRO");
}

QString StorageManager::freeGalleryName(const QString &folder, qint64 stamp)
{
    const QString base = folder + QLatin1Char('/') + QString::number(stamp);
    QString candidate = base + QStringLiteral(".jpg");
    for (int n = 0; QFile::exists(candidate); ++n)
        candidate = base + QLatin1Char('_') + QString::number(n) + QStringLiteral(".jpg");
    return candidate;
}

void StorageManager::saveProcessedImageToGallery(bool inMemoryCard)
{
    Q_UNUSED(inMemoryCard)
    const QString folder = galleryFolder();
    if (!QDir().mkpath(folder)) {
        qCDebug(lcShell) << "cannot create gallery folder" << folder;
        return;
    }
    const QString target = freeGalleryName(folder, QDateTime::currentSecsSinceEpoch());
    if (!QFile::copy(QStringLiteral(".TAVIRO/output/processed.jpg"), target))
        qCDebug(lcShell) << "gallery copy failed" << target;
}

void StorageManager::saveProcessedImageToGallery()
{
    saveProcessedImageToGallery(true);
}

void StorageManager::deleteFile(QString filepath)
{
    QFile::remove(filepath);
}
