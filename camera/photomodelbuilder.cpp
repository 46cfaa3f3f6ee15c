#include "camera/photomodelbuilder.h"

#include "camera/cameralog.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QStandardPaths>
#include <QtConcurrent>

#include <algorithm>

namespace {

constexpr int settleMs = 250;

const QSet<QString> &imageSuffixes()
{
    static const QSet<QString> suffixes = [] {
        QSet<QString> set;
        const auto formats = QImageReader::supportedImageFormats();
        for (const QByteArray &format : formats)
            set.insert(QString::fromLatin1(format).toLower());
        return set;
    }();
    return suffixes;
}

} // namespace

PhotoModelBuilder *PhotoModelBuilder::getInstance()
{
    static PhotoModelBuilder instance(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    return &instance;
}

PhotoModelBuilder::PhotoModelBuilder(const QString &rootPath, QObject *parent)
    : QObject(parent)
    , m_rootPath(QDir::cleanPath(rootPath))
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(settleMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &PhotoModelBuilder::startScan);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &PhotoModelBuilder::changed);
    connect(&m_scan, &QFutureWatcher<Listing>::finished, this, &PhotoModelBuilder::onScanFinished);
    startScan();
}

PhotoModelBuilder::~PhotoModelBuilder()
{
    m_scan.waitForFinished();
}

void PhotoModelBuilder::changed(const QString &path)
{
    Q_UNUSED(path)
    m_settleTimer.start();
}

void PhotoModelBuilder::startScan()
{
    if (m_scan.isRunning()) {
        m_rescanWanted = true;
        return;
    }
    m_scan.setFuture(QtConcurrent::run(&PhotoModelBuilder::scan, m_rootPath));
}

void PhotoModelBuilder::onScanFinished()
{
    const Listing listing = m_scan.result();
    m_model.setPhotos(listing.photos);
    // A folder listed before it was watched may have changed in between:
    // once watched, it is listed again.
    if (watch(listing.folders))
        m_rescanWanted = true;
    if (m_rescanWanted) {
        m_rescanWanted = false;
        startScan();
    }
}

// Until the picture folder exists, its parent is watched for it to appear.
bool PhotoModelBuilder::watch(const QStringList &folders)
{
    QStringList wanted = folders;
    if (wanted.isEmpty())
        wanted.append(QFileInfo(m_rootPath).path());
    const QStringList watched = m_watcher.directories();
    QStringList gone;
    for (const QString &folder : watched) {
        if (!wanted.contains(folder))
            gone.append(folder);
    }
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    QStringList added;
    for (const QString &folder : qAsConst(wanted)) {
        if (!watched.contains(folder))
            added.append(folder);
    }
    if (added.isEmpty())
        return false;
    m_watcher.addPaths(added);
    return true;
}

PhotoModelBuilder::Listing PhotoModelBuilder::scan(const QString &rootPath)
{
    Listing listing;
    if (!QFileInfo(rootPath).isDir())
        return listing;
    QStringList pending{rootPath};
    while (!pending.isEmpty()) {
        const QString folder = pending.takeLast();
        listing.folders.append(folder);
        const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : entries) {
            if (entry.isDir()) {
                if (!entry.isSymLink())
                    pending.append(entry.filePath());
            } else if (imageSuffixes().contains(entry.suffix().toLower())) {
                listing.photos.append({entry.filePath(), entry.lastModified().toMSecsSinceEpoch()});
            }
        }
    }
    std::sort(listing.photos.begin(), listing.photos.end(), &PhotoModel::before);
    qCDebug(lcCamera) << "gallery:" << listing.photos.size() << "photos in" << listing.folders.size() << "folders";
    return listing;
}
