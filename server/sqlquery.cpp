#include "server/sqlquery.h"

#include "server/statement.h"

SqlQuery &SqlQuery::add(const QString &fragment)
{
    m_sql += fragment;
    return *this;
}

SqlQuery &SqlQuery::add(const QString &fragment, const Value &value)
{
    m_sql += fragment;
    m_values.push_back(value);
    return *this;
}

SqlQuery &SqlQuery::add(const SqlQuery &other)
{
    m_sql += other.m_sql;
    m_values.insert(m_values.end(), other.m_values.begin(), other.m_values.end());
    return *this;
}

SqlQuery &SqlQuery::addRange(const QString &column, qint64 sinceId, qint64 beforeId)
{
    if (sinceId > 0)
        add(QStringLiteral(" AND ") + column + QStringLiteral(" > ?"), sinceId);
    if (beforeId > 0)
        add(QStringLiteral(" AND ") + column + QStringLiteral(" < ?"), beforeId);
    return *this;
}

void SqlQuery::bindValues(Statement &statement) const
{
    for (const Value &value : m_values) {
        if (const qint64 *number = std::get_if<qint64>(&value))
            statement.bind(*number);
        else
            statement.bind(std::get<QString>(value));
    }
}
