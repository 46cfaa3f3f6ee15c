#include "models/recordlistmodel.h"

RecordListModel::RecordListModel(const RoleTable &roles, OtherRoles otherRoles, QObject *parent)
    : QAbstractListModel(parent)
    , m_roles(roles)
    , m_otherRoles(otherRoles)
{
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= m_rows.size())
        return {};
    // A row number would break the typed values of Qt's own roles; QML only
    // asks for the roles of the table.
    if (role < kFirstFeedRole)
        return {};
    const RoleTable::Role *entry = m_roles.find(role);
    if (!entry)
        return m_otherRoles == OtherRoles::RowNumber ? row : 0;
    switch (entry->kind) {
    case RoleKind::RowNumber:
        return row;
    case RoleKind::Model:
        return modelData(row, role);
    default:
        return RoleTable::read(m_rows.at(row).toMap(), *entry);
    }
}

QHash<int, QByteArray> RecordListModel::roleNames() const
{
    return m_roles.names();
}

QVariant RecordListModel::modelData(int, int) const
{
    return {};
}

void RecordListModel::replaceRows(const QVariantList &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void RecordListModel::appendRows(const QVariantList &rows)
{
    beginResetModel();
    m_rows.append(rows);
    endResetModel();
}

int RecordListModel::updateRows(const RowMatch &match, const QVariantMap &fields)
{
    int written = 0;
    for (QVariant &row : m_rows) {
        QVariantMap map = row.toMap();
        if (!match(map))
            continue;
        bool changed = false;
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            auto field = map.find(it.key());
            if (field != map.end() && *field == *it && field->userType() == it->userType())
                continue;
            map.insert(it.key(), *it);
            changed = true;
        }
        if (changed) {
            row = map;
            ++written;
        }
    }
    return written;
}

int RecordListModel::removeRowsAsLayoutChange(const RowMatch &match)
{
    emit layoutAboutToBeChanged();
    QVector<int> newRow(m_rows.size(), -1);
    QVariantList kept;
    kept.reserve(m_rows.size());
    for (int row = 0; row < m_rows.size(); ++row) {
        if (match(m_rows.at(row).toMap()))
            continue;
        newRow[row] = kept.size();
        kept.append(m_rows.at(row));
    }
    const int removed = m_rows.size() - kept.size();
    m_rows = kept;

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from) {
        const int row = index.row() < newRow.size() ? newRow.at(index.row()) : -1;
        to.append(row < 0 ? QModelIndex() : this->index(row, 0));
    }
    changePersistentIndexList(from, to);
    emit layoutChanged();
    return removed;
}

void RecordListModel::announceLayoutChange()
{
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}
