#include "cache/imagecacheengine.h"

#include "cache/cachelog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace {

// Writes a whole file or nothing: a crash never leaves half a picture that
// would then be "cached" for good. A link in the file's place is replaced,
// never written through.
bool writeWhole(const QString &path, const QByteArray &data)
{
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(data);
    return file.commit();
}

bool isEntryName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{32}$"));
    return pattern.match(name).hasMatch();
}

} // namespace

ImageCacheEngine::ImageCacheEngine(QObject *parent)
    : QObject(parent)
{
}

ImageCacheEngine::~ImageCacheEngine()
{
    saveIndex();
}

QString ImageCacheEngine::entryName(const QString &url)
{
    return QString::fromLatin1(QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString ImageCacheEngine::filePath(const QString &url) const
{
    return m_path + QLatin1Char('\\') + entryName(url);
}

QString ImageCacheEngine::indexPath() const
{
    return m_path + QLatin1String("\\index");
}

void ImageCacheEngine::loadIndex()
{
    QDir().mkpath(m_path);
    m_index.clear();
    QFile file(indexPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString name = in.readLine();
        // Names become file names that are deleted: anything but a digest
        // (an edited or damaged index) could point outside the cache.
        if (isEntryName(name) && !m_index.contains(name))
            m_index.append(name);
    }
}

void ImageCacheEngine::saveIndex()
{
    if (m_path.isEmpty())
        return;
    QByteArray text;
    for (const QString &name : qAsConst(m_index))
        text += name.toLatin1() + '\n';
    if (!writeWhole(indexPath(), text))
        qCDebug(lcCache) << "index not written:" << indexPath();
}

bool ImageCacheEngine::contains(const QString &url) const
{
    return QFileInfo::exists(filePath(url));
}

void ImageCacheEngine::moveToFront(const QString &name)
{
    m_index.removeAll(name);
    m_index.prepend(name);
}

void ImageCacheEngine::touch(const QString &url)
{
    const QString name = entryName(url);
    if (m_index.contains(name))
        moveToFront(name);
    saveIndex();
}

void ImageCacheEngine::store(const QString &url, const QByteArray &data)
{
    QDir().mkpath(m_path);
    const QString name = entryName(url);
    const bool known = m_index.contains(name);
    // A name whose file went missing is written again: otherwise the picture
    // would be fetched on every request until its name aged out.
    if (!known || !contains(url)) {
        if (!writeWhole(filePath(url), data))
            qCDebug(lcCache) << "entry not written:" << filePath(url);
    }
    moveToFront(name);
    while (m_index.size() > m_maxFiles) {
        // QFile::remove on a link removes the link, not what it points to.
        QFile::remove(m_path + QLatin1Char('\\') + m_index.takeLast());
    }
    saveIndex();
}
