#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QVector>

/**
 * The gallery's photos, newest first, with the roles url (a file URL) and
 * trackerid (a stable number per file). A new listing is applied as row
 * insertions and removals, so views keep their place.
 */
class PhotoModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        UrlRole = Qt::UserRole + 1,
        TrackerIdRole,
    };

    struct Photo {
        QString path;
        qint64 modified = 0; // milliseconds since the epoch
    };

    explicit PhotoModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Replaces the rows by photos, which must be in display order (see before()).
    void setPhotos(const QVector<Photo> &photos);

    // Display order: newest first, then by path.
    static bool before(const Photo &a, const Photo &b);
    static qint64 trackerId(const QString &path);

private:
    QVector<Photo> m_photos;
};
