#pragma once

#include <QByteArray>
#include <QString>

#include <variant>
#include <vector>

class Statement;

/**
 * An SQL text assembled from the code's own fragments, with every value
 * that came from a request kept apart and bound: a fragment names its
 * values with "?" and they are bound in the order the fragments were added,
 * after any numbered parameters ("?1") the statement binds first.
 */
class SqlQuery
{
public:
    using Value = std::variant<qint64, QString>;

    SqlQuery() = default;
    explicit SqlQuery(const QString &fragment) : m_sql(fragment) {}

    SqlQuery &add(const QString &fragment);
    SqlQuery &add(const QString &fragment, const Value &value);
    SqlQuery &add(const SqlQuery &other);
    // The paging window of a list, "since_id" and "before_id" on `column`
    // (0 leaves that side open).
    SqlQuery &addRange(const QString &column, qint64 sinceId, qint64 beforeId);

    QByteArray sql() const { return m_sql.toUtf8(); }
    void bindValues(Statement &statement) const;

private:
    QString m_sql;
    std::vector<Value> m_values;
};
