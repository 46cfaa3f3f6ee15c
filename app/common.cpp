#include "app/common.h"

#include "app/shelllog.h"
#include "cache/cachepruner.h"
#include "taviroconfig.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

Common::Common(QObject *parent)
    : QObject(parent)
{
}

bool Common::removeDir(QString dirName)
{
    // An empty name names no folder; QDir would take it for the working
    // directory, which is the user's home.
    if (dirName.isEmpty())
        return true;
    const QFileInfo top(dirName);
    if (top.isSymLink())
        return QFile::remove(dirName);

    QDir dir(dirName);
    if (!dir.exists())
        return true;

    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::DirsFirst);
    for (const QFileInfo &entry : entries) {
        // A link is removed as a link: following it could delete files far
        // outside the tree being cleared.
        const bool removed = entry.isDir() && !entry.isSymLink()
            ? removeDir(entry.absoluteFilePath())
            : QFile::remove(entry.absoluteFilePath());
        if (!removed) {
            qCDebug(lcShell) << "removeDir stopped at" << entry.absoluteFilePath();
            return false;
        }
    }
    return dir.rmdir(dir.absolutePath());
}

void Common::pruningCache()
{
    // The pruner deletes itself once its run ends.
    auto *pruner = new CachePruner;
    pruner->start(QThread::LowPriority);
}

void Common::clearCache()
{
    removeDir(QStringLiteral(".TAVIRO/") + QStringLiteral("cache"));
}

QString Common::getConsumerKey() { return QString::fromLatin1(TaviroConfig::kConsumerKey); }
QString Common::getConsumerSecret() { return QString::fromLatin1(TaviroConfig::kConsumerSecret); }
QString Common::getTwConsumerKey() { return QString::fromLatin1(TaviroConfig::kTwitterConsumerKey); }
QString Common::getTwConsumerSecret() { return QString::fromLatin1(TaviroConfig::kTwitterConsumerSecret); }
QString Common::getTumblrConsumerKey() { return QString::fromLatin1(TaviroConfig::kTumblrConsumerKey); }
QString Common::getTumblrConsumerSecret() { return QString::fromLatin1(TaviroConfig::kTumblrConsumerSecret); }
QString Common::getWeiboConsumerKey() { return QString::fromLatin1(TaviroConfig::kWeiboConsumerKey); }
QString Common::getWeiboConsumerSecret() { return QString::fromLatin1(TaviroConfig::kWeiboConsumerSecret); }
QString Common::getFlickrConsumerKey() { return QString::fromLatin1(TaviroConfig::kFlickrConsumerKey); }
QString Common::getFlickrConsumerSecret() { return QString::fromLatin1(TaviroConfig::kFlickrConsumerSecret); }
QString Common::getVKApplicationID() { return QString::fromLatin1(TaviroConfig::kVkApplicationId); }
QString Common::getVKSecretKey() { return QString::fromLatin1(TaviroConfig::kVkSecretKey); }
QString Common::getDropBoxConsumerKey() { return QString::fromLatin1(TaviroConfig::kDropBoxConsumerKey); }
QString Common::getDropBoxConsumerSecret() { return QString::fromLatin1(TaviroConfig::kDropBoxConsumerSecret); }

QString Common::getPhotoAddress(QString pictureCode, QString imageSize)
{
    return QLatin1String(TaviroConfig::kWebHost) + QStringLiteral("/photos/")
        + QString::fromLatin1(QUrl::toPercentEncoding(pictureCode)) + QLatin1Char('/')
        + QString::fromLatin1(QUrl::toPercentEncoding(imageSize));
}

QString Common::getAuthorizeAddress(QString network, QString requestToken)
{
    struct Authorize { const char *network; const char *base; const char *path; };
    static const Authorize kPages[] = {
        {"twitter", TaviroConfig::kTwitterOAuthBase, "/oauth/authorize"},
        {"tumblr", TaviroConfig::kTumblrOAuthBase, "/oauth/authorize"},
        {"flickr", TaviroConfig::kFlickrOAuthBase, "/services/oauth/authorize"},
        {"weibo", TaviroConfig::kWeiboOAuthBase, "/oauth/authorize"},
        {"dropbox", TaviroConfig::kDropBoxOAuthBase, "/1/oauth/authorize"},
    };
    for (const Authorize &page : kPages) {
        if (network != QLatin1String(page.network))
            continue;
        return QLatin1String(page.base) + QLatin1String(page.path) + QStringLiteral("?oauth_token=")
            + QString::fromLatin1(QUrl::toPercentEncoding(requestToken));
    }
    return QString();
}
