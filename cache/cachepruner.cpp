#include "cache/cachepruner.h"

#include "cache/cachelog.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

struct PruneRule
{
    const char *folder;
    int maxAgeDays;
};

constexpr PruneRule kRules[] = {
    {"cache/badge", 30},
    {"cache/profile", 7},
    {"cache/photo", 2},
    {"cache/else", 3},
    {"cache/large", 2},
};

} // namespace

CachePruner::CachePruner(QObject *parent)
    : QThread(parent)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void CachePruner::run()
{
    const QDate today = QDate::currentDate();
    for (const PruneRule &rule : kRules) {
        const QDir dir(QStringLiteral(".TAVIRO/") + QLatin1String(rule.folder));
        if (!dir.exists())
            continue;
        const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::NoSort);
        for (const QFileInfo &file : files) {
            const qint64 age = file.lastModified().date().daysTo(today);
            if (age > rule.maxAgeDays && !QFile::remove(file.absoluteFilePath()))
                qCDebug(lcCache) << "not pruned:" << file.absoluteFilePath();
            usleep(10);
        }
    }
}
