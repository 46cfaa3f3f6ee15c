#include "camera/photomodel.h"

#include <QCryptographicHash>
#include <QUrl>

#include <algorithm>

PhotoModel::PhotoModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int PhotoModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_photos.size();
}

QVariant PhotoModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Photo &photo = m_photos.at(index.row());
    switch (role) {
    case UrlRole:
        return QUrl::fromLocalFile(photo.path);
    case TrackerIdRole:
        return trackerId(photo.path);
    default:
        return {};
    }
}

QHash<int, QByteArray> PhotoModel::roleNames() const
{
    return {{UrlRole, QByteArrayLiteral("url")}, {TrackerIdRole, QByteArrayLiteral("trackerid")}};
}

bool PhotoModel::before(const Photo &a, const Photo &b)
{
    if (a.modified != b.modified)
        return a.modified > b.modified;
    return a.path < b.path;
}

// The first 48 bits of the path's SHA-1: the same number in every run, and
// exact as a JavaScript number.
qint64 PhotoModel::trackerId(const QString &path)
{
    const QByteArray digest = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1);
    qint64 id = 0;
    for (int i = 0; i < 6; ++i)
        id = (id << 8) | quint8(digest.at(i));
    return id;
}

// Both lists are in display order, so one merge pass finds the runs of rows
// that went and came.
void PhotoModel::setPhotos(const QVector<Photo> &photos)
{
    int row = 0;
    int next = 0;
    while (row < m_photos.size() || next < photos.size()) {
        if (row < m_photos.size() && next < photos.size() && m_photos.at(row).path == photos.at(next).path
            && m_photos.at(row).modified == photos.at(next).modified) {
            ++row;
            ++next;
            continue;
        }
        const auto gone = [&](int r) {
            return r < m_photos.size() && (next >= photos.size() || before(m_photos.at(r), photos.at(next)));
        };
        if (gone(row)) {
            int end = row;
            while (gone(end))
                ++end;
            beginRemoveRows({}, row, end - 1);
            m_photos.remove(row, end - row);
            endRemoveRows();
            continue;
        }
        int end = next;
        while (end < photos.size() && (row >= m_photos.size() || before(photos.at(end), m_photos.at(row))))
            ++end;
        beginInsertRows({}, row, row + end - next - 1);
        m_photos.insert(row, end - next, Photo());
        std::copy(photos.cbegin() + next, photos.cbegin() + end, m_photos.begin() + row);
        endInsertRows();
        row += end - next;
        next = end;
    }
}
