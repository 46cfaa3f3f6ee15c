#include "models/roletable.h"

#include "models/jsonrows.h"

RoleTable::RoleTable(std::initializer_list<RoleSpec> roles)
{
    m_roles.reserve(int(roles.size()));
    for (const RoleSpec &spec : roles) {
        m_roles.append({spec.id, QString::fromLatin1(spec.key), spec.kind});
        m_names.insert(spec.id, spec.name);
    }
}

const RoleTable::Role *RoleTable::find(int role) const
{
    for (const Role &entry : m_roles) {
        if (entry.id == role)
            return &entry;
    }
    return nullptr;
}

QHash<int, QByteArray> RoleTable::names() const
{
    return m_names;
}

QVariant RoleTable::read(const QVariantMap &row, const Role &role)
{
    switch (role.kind) {
    case RoleKind::Record:
        return row;
    case RoleKind::Integer:
        return row.value(role.key).toInt();
    case RoleKind::Text:
        return row.value(role.key).toString();
    case RoleKind::Flag:
        return row.value(role.key).toBool();
    case RoleKind::FirstObject:
        return JsonRows::firstObject(row.value(role.key));
    case RoleKind::RowNumber:
    case RoleKind::Model:
        break;
    }
    return {};
}
