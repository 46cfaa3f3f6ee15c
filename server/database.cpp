#include "server/database.h"

#include "server/serverlog.h"

#include <sqlite3.h>

namespace {

const char kSchema[] = R"SQL(
PRAGMA foreign_keys = ON;
CREATE TABLE IF NOT EXISTS users(
    id INTEGER PRIMARY KEY,
    username TEXT NOT NULL UNIQUE COLLATE NOCASE,
    email TEXT NOT NULL DEFAULT '',
    password_hash TEXT NOT NULL,
    password_salt TEXT NOT NULL,
    description TEXT NOT NULL DEFAULT '',
    protected INTEGER NOT NULL DEFAULT 0,
    profile_picture_id INTEGER,
    last_read_notification_id INTEGER NOT NULL DEFAULT 0,
    terms_package TEXT NOT NULL DEFAULT '',
    created INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS tokens(
    token TEXT PRIMARY KEY,
    secret TEXT NOT NULL,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    created INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS links(
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    network TEXT NOT NULL,
    account TEXT NOT NULL DEFAULT '',
    token TEXT NOT NULL DEFAULT '',
    token_secret TEXT NOT NULL DEFAULT '',
    PRIMARY KEY(user_id, network));
CREATE TABLE IF NOT EXISTS follows(
    id INTEGER PRIMARY KEY,
    follower_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    following_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    created INTEGER NOT NULL,
    UNIQUE(follower_id, following_id));
CREATE INDEX IF NOT EXISTS follows_following ON follows(following_id);
CREATE TABLE IF NOT EXISTS follow_requests(
    id INTEGER PRIMARY KEY,
    follower_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    target_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    created INTEGER NOT NULL,
    UNIQUE(follower_id, target_id));
CREATE TABLE IF NOT EXISTS blocks(
    id INTEGER PRIMARY KEY,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    blocked_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    created INTEGER NOT NULL,
    UNIQUE(user_id, blocked_id));
CREATE TABLE IF NOT EXISTS photos(
    id INTEGER PRIMARY KEY,
    code TEXT NOT NULL UNIQUE,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    name TEXT NOT NULL DEFAULT '',
    description TEXT NOT NULL DEFAULT '',
    latitude REAL NOT NULL DEFAULT 0,
    longitude REAL NOT NULL DEFAULT 0,
    effect_filter_type INTEGER NOT NULL DEFAULT 0,
    image_source INTEGER NOT NULL DEFAULT 0,
    access_level INTEGER NOT NULL DEFAULT 0,
    salt TEXT NOT NULL,
    taken INTEGER NOT NULL DEFAULT 0,
    created INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS photos_user ON photos(user_id, id);
CREATE TABLE IF NOT EXISTS loves(
    photo_id INTEGER NOT NULL REFERENCES photos(id) ON DELETE CASCADE,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    created INTEGER NOT NULL,
    PRIMARY KEY(photo_id, user_id));
CREATE TABLE IF NOT EXISTS comments(
    id INTEGER PRIMARY KEY,
    photo_id INTEGER NOT NULL REFERENCES photos(id) ON DELETE CASCADE,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    text TEXT NOT NULL,
    in_reply_to_id INTEGER NOT NULL DEFAULT 0,
    source TEXT NOT NULL DEFAULT 'taviro',
    created INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS comments_photo ON comments(photo_id, id);
CREATE TABLE IF NOT EXISTS badges(
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    description TEXT NOT NULL,
    colour TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS user_badges(
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    badge_id INTEGER NOT NULL REFERENCES badges(id) ON DELETE CASCADE,
    created INTEGER NOT NULL,
    PRIMARY KEY(user_id, badge_id));
CREATE TABLE IF NOT EXISTS notifications(
    id INTEGER PRIMARY KEY,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    type INTEGER NOT NULL,
    list TEXT NOT NULL,
    action_user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    action INTEGER NOT NULL,
    photo_id INTEGER NOT NULL DEFAULT 0,
    badge_id INTEGER NOT NULL DEFAULT 0,
    text TEXT NOT NULL,
    created INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS notifications_user ON notifications(user_id, list, id);
CREATE TABLE IF NOT EXISTS flags(
    id INTEGER PRIMARY KEY,
    photo_id INTEGER NOT NULL,
    user_id INTEGER NOT NULL,
    reason TEXT NOT NULL,
    created INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS shares(
    id INTEGER PRIMARY KEY,
    photo_id INTEGER NOT NULL,
    user_id INTEGER NOT NULL,
    caption TEXT NOT NULL,
    networks TEXT NOT NULL,
    created INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS password_reminders(
    id INTEGER PRIMARY KEY,
    user_id INTEGER NOT NULL,
    created INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS nonces(
    consumer_key TEXT NOT NULL,
    token TEXT NOT NULL,
    nonce TEXT NOT NULL,
    timestamp INTEGER NOT NULL,
    PRIMARY KEY(consumer_key, token, nonce, timestamp));
CREATE INDEX IF NOT EXISTS nonces_time ON nonces(timestamp);
CREATE TABLE IF NOT EXISTS network_tokens(
    token TEXT PRIMARY KEY,
    network TEXT NOT NULL,
    secret TEXT NOT NULL,
    kind TEXT NOT NULL,
    callback TEXT NOT NULL DEFAULT '',
    verifier TEXT NOT NULL DEFAULT '',
    account TEXT NOT NULL DEFAULT '',
    created INTEGER NOT NULL);
)SQL";

} // namespace

Database::~Database()
{
    sqlite3_close(m_db);
}

bool Database::open(const QString &path)
{
    if (sqlite3_open(path.toUtf8().constData(), &m_db) != SQLITE_OK) {
        qCWarning(lcServer) << "Cannot open" << path << sqlite3_errmsg(m_db);
        return false;
    }
    sqlite3_busy_timeout(m_db, 5000);
    exec("PRAGMA journal_mode = WAL;");
    return exec(kSchema);
}

bool Database::isEmpty()
{
    Statement st(*this, "SELECT COUNT(*) FROM users");
    return !st.next() || st.integer(0) == 0;
}

bool Database::exec(const char *sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        qCWarning(lcServer) << "SQL failed:" << error;
        sqlite3_free(error);
        noteFailure(rc);
        return false;
    }
    return true;
}

void Database::noteFailure(int result)
{
    if ((result & 0xff) != SQLITE_CONSTRAINT)
        ++m_storeFailures;
}

qint64 Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}
