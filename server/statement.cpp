#include "server/statement.h"

#include "server/database.h"
#include "server/serverlog.h"

#include <sqlite3.h>

Statement::Statement(Database &db, const char *sql)
    : m_database(db)
    , m_db(db.handle())
{
    const int rc = sqlite3_prepare_v2(m_db, sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        qCWarning(lcServer) << "SQL prepare failed:" << sqlite3_errmsg(m_db) << sql;
        m_stmt = nullptr;
        failed(rc, "prepare");
    }
}

void Statement::failed(int result, const char *what)
{
    m_lastResult = result;
    m_database.noteFailure(result);
    if (!violatedConstraint())
        qCWarning(lcServer) << "SQL" << what << "failed:" << sqlite3_errmsg(m_db);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement &Statement::bind(qint64 value)
{
    sqlite3_bind_int64(m_stmt, m_nextIndex++, value);
    return *this;
}

Statement &Statement::bind(double value)
{
    sqlite3_bind_double(m_stmt, m_nextIndex++, value);
    return *this;
}

Statement &Statement::bind(const std::string &value)
{
    sqlite3_bind_text(m_stmt, m_nextIndex++, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bindNull()
{
    sqlite3_bind_null(m_stmt, m_nextIndex++);
    return *this;
}

bool Statement::next()
{
    if (!m_stmt)
        return false;
    const int rc = sqlite3_step(m_stmt);
    m_lastResult = rc;
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        failed(rc, "step");
    return false;
}

bool Statement::exec()
{
    if (!m_stmt)
        return false;
    int rc;
    while ((rc = sqlite3_step(m_stmt)) == SQLITE_ROW) {
    }
    m_lastResult = rc;
    if (rc != SQLITE_DONE) {
        failed(rc, "exec");
        return false;
    }
    return true;
}

bool Statement::violatedConstraint() const
{
    return (m_lastResult & 0xff) == SQLITE_CONSTRAINT;
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}
