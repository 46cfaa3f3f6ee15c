#pragma once

#include "models/roletable.h"

#include <QAbstractListModel>
#include <QVariantList>

#include <functional>

/**
 * A list model whose rows are the service's JSON objects, kept whole as
 * variant maps; every role is read from the row through a fixed table when
 * a view asks for it.
 */
class RecordListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QVariantList &rows() const { return m_rows; }

protected:
    // What a role id outside the table answers.
    enum class OtherRoles { RowNumber, Zero };
    using RowMatch = std::function<bool(const QVariantMap &row)>;

    RecordListModel(const RoleTable &roles, OtherRoles otherRoles, QObject *parent);

    // The value of a role of kind Model.
    virtual QVariant modelData(int row, int role) const;

    void replaceRows(const QVariantList &rows);
    void appendRows(const QVariantList &rows);
    // Writes the fields into every matching row where they differ; the
    // number of rows written.
    int updateRows(const RowMatch &match, const QVariantMap &fields);
    // Removes every matching row as one layout change; the number removed.
    int removeRowsAsLayoutChange(const RowMatch &match);
    void announceLayoutChange();

    QVariantList m_rows;

private:
    const RoleTable &m_roles;
    OtherRoles m_otherRoles;
};
