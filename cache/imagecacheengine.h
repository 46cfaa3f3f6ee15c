#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

/**
 * The disk side of one cache mode: at most a fixed number of downloaded
 * pictures, named by the MD5 of their URL, with an index of names, most
 * recently used first. Entry and index files are named path + "\" + name,
 * so on disk they all lie in the folder above path (that is how phones
 * already hold them).
 */
class ImageCacheEngine : public QObject
{
    Q_OBJECT
public:
    explicit ImageCacheEngine(QObject *parent = nullptr);
    ~ImageCacheEngine() override;

    void setPath(const QString &path) { m_path = path; }
    QString path() const { return m_path; }
    void setMaxFiles(int maxFiles) { m_maxFiles = maxFiles; }
    int maxFiles() const { return m_maxFiles; }
    QStringList index() const { return m_index; }

    void loadIndex();
    void saveIndex();
    bool contains(const QString &url) const;
    QString filePath(const QString &url) const;
    void touch(const QString &url);
    void store(const QString &url, const QByteArray &data);

    static QString entryName(const QString &url);

private:
    QString indexPath() const;
    void moveToFront(const QString &name);

    QString m_path;
    int m_maxFiles = 0;
    QStringList m_index;
};
