#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QVector>

#include <initializer_list>

// Role ids below this are Qt's own (display, size hint, colours...), whose
// values have fixed types; the feed models' ids start above it.
constexpr int kFirstFeedRole = 32;

/** How a role's value is read from a row's JSON object. */
enum class RoleKind {
    Record,      // the whole object
    Integer,     // the key as integer, 0 when absent
    Text,        // the key as string, empty when absent
    Flag,        // the key as boolean, false when absent
    FirstObject, // the first element of the key's array, as an object
    RowNumber,   // the row number; no lookup
    Model,       // a value the model itself holds
};

/** One line of a role table, as written in the models' sources. */
struct RoleSpec {
    int id;
    const char *name;
    const char *key;
    RoleKind kind;
};

/** A model's fixed role table: ids, names and the row keys behind them. */
class RoleTable
{
public:
    struct Role {
        int id;
        QString key;
        RoleKind kind;
    };

    RoleTable(std::initializer_list<RoleSpec> roles);

    const Role *find(int role) const;
    QHash<int, QByteArray> names() const;

    // The value of a role of kind Record, Integer, Text, Flag or FirstObject.
    static QVariant read(const QVariantMap &row, const Role &role);

private:
    QVector<Role> m_roles;
    QHash<int, QByteArray> m_names;
};
