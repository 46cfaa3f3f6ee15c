#pragma once

#include <QByteArray>
#include <QString>

#include <string>

class Database;
struct sqlite3;
struct sqlite3_stmt;

/**
 * One prepared SQLite statement. Parameters are bound in order with the
 * chained `bind` calls; `next()` steps to the following row. Failures are
 * also told to the database, so that a piece of work notices any of them.
 */
class Statement
{
public:
    Statement(Database &db, const char *sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(qint64 value);
    Statement &bind(int value) { return bind(static_cast<qint64>(value)); }
    Statement &bind(bool value) { return bind(static_cast<qint64>(value ? 1 : 0)); }
    Statement &bind(double value);
    Statement &bind(const std::string &value);
    Statement &bind(const QString &value) { return bind(value.toStdString()); }
    Statement &bind(const char *value) { return bind(std::string(value)); }
    Statement &bindNull();

    // True while a row is available; false at the end or on an error.
    bool next();
    // Runs to completion; false on an error (a broken constraint, say).
    bool exec();
    // Whether the last step failed on a constraint (a unique key, say).
    bool violatedConstraint() const;

    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    bool isNull(int column) const;

private:
    void failed(int result, const char *what);

    Database &m_database;
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    int m_nextIndex = 1;
    int m_lastResult = 0;
};
