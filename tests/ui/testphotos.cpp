#include "tests/ui/testphotos.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

namespace {
// A photo with a bright left half and a red disc on the right, so a crop or a
// turn shows which part of it came through.
void writePhoto(const QString &path, int width, int height, const QColor &sky, qint64 ageSeconds)
{
    QImage photo(width, height, QImage::Format_RGB32);
    photo.fill(sky);
    QPainter painter(&photo);
    painter.fillRect(0, 0, width / 2, height, QColor(240, 200, 40));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(QPoint(width * 3 / 4, height / 2), width / 7, width / 7);
    painter.end();
    photo.save(path, "JPG", 92);
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
}
} // namespace

void usePrivatePictures(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + QStringLiteral("/.cache")));
    const QString pictures = home + QStringLiteral("/Pictures");
    QDir().mkpath(pictures);
    writePhoto(pictures + QStringLiteral("/harbour.jpg"), 1600, 1200, QColor(30, 60, 140), 60);
    writePhoto(pictures + QStringLiteral("/tower.jpg"), 900, 1600, QColor(20, 120, 90), 3600);
    writePhoto(pictures + QStringLiteral("/square.jpg"), 1000, 1000, QColor(120, 40, 120), 7200);
}
