#pragma once

#include "server/statement.h"

#include <QString>

#include <mutex>

struct sqlite3;

/**
 * The service's SQLite file: opens it, creates the schema and hands out
 * statements. Not thread-safe by itself: callers hold `mutex()` around
 * every piece of work.
 */
class Database
{
public:
    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    bool open(const QString &path);
    bool isEmpty();

    bool exec(const char *sql);
    // Failures of the store itself, counted since open; a broken constraint
    // (a unique key, say) is an answer about the data and is not counted.
    int storeFailures() const { return m_storeFailures; }
    void noteFailure(int result);
    qint64 lastInsertId() const;
    int changes() const;
    sqlite3 *handle() const { return m_db; }
    std::recursive_mutex &mutex() { return m_mutex; }

private:
    sqlite3 *m_db = nullptr;
    std::recursive_mutex m_mutex;
    int m_storeFailures = 0;
};
