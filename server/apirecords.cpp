#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/photostore.h"
#include "server/sqlquery.h"

#include <QSet>

using namespace apicommon;

namespace {

// Columns of a photo record; ?1 is the viewer.
const char kPhotoSelect[] =
    "SELECT p.id, p.code, p.user_id, u.username, p.name, p.description, p.latitude, p.longitude, "
    "p.effect_filter_type, p.image_source, p.access_level, p.salt, p.created, "
    "(SELECT COUNT(*) FROM loves l WHERE l.photo_id = p.id), "
    "(SELECT COUNT(*) FROM comments c WHERE c.photo_id = p.id), "
    "EXISTS(SELECT 1 FROM loves l WHERE l.photo_id = p.id AND l.user_id = ?1), "
    "EXISTS(SELECT 1 FROM comments c WHERE c.photo_id = p.id AND c.user_id = ?1), "
    "(SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), u.protected "
    "FROM photos p JOIN users u ON u.id = p.user_id WHERE ";

// Columns of a person row; ?1 is the viewer. A cursor column follows.
const char kUserColumns[] =
    "u.id, u.username, u.protected, (SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), "
    "(SELECT COUNT(*) FROM photos x WHERE x.user_id = u.id), "
    "(SELECT COUNT(*) FROM follows x WHERE x.following_id = u.id), "
    "(SELECT COUNT(*) FROM follows x WHERE x.follower_id = u.id), "
    "(SELECT x.id FROM follows x WHERE x.follower_id = ?1 AND x.following_id = u.id), "
    "EXISTS(SELECT 1 FROM follow_requests x WHERE x.follower_id = ?1 AND x.target_id = u.id), "
    "EXISTS(SELECT 1 FROM blocks x WHERE x.user_id = ?1 AND x.blocked_id = u.id), "
    "EXISTS(SELECT 1 FROM follows x WHERE x.follower_id = u.id AND x.following_id = ?1)";

} // namespace

// The records the calls answer with: photos, people, badges, profiles.

QJsonArray ApiService::photos(qint64 viewer, const SqlQuery &condition, const Paging &paging, const QString &order)
{
    SqlQuery query(QLatin1String(kPhotoSelect) + QLatin1String(kPhotoVisible) + QStringLiteral(" AND ("));
    query.add(condition).add(QStringLiteral(")"));
    query.addRange(QStringLiteral("p.id"), paging.sinceId, paging.beforeId);
    const qint64 offset = (paging.sinceId > 0 || paging.beforeId > 0) ? 0 : qint64(paging.page - 1) * paging.perPage;
    query.add(QStringLiteral(" ORDER BY ") + order).add(QStringLiteral(" LIMIT ?"), qint64(paging.perPage));
    query.add(QStringLiteral(" OFFSET ?"), offset);

    QJsonArray list;
    Statement st(m_db, query.sql().constData());
    st.bind(viewer);
    query.bindValues(st);
    while (st.next()) {
        const QString code = st.text(1);
        const int level = static_cast<int>(st.integer(10));
        const QString salt = st.text(11);
        QJsonObject record{
            {QStringLiteral("picture_id"), st.integer(0)},
            {QStringLiteral("picture_code"), code},
            {QStringLiteral("user_id"), st.integer(2)},
            {QStringLiteral("username"), st.text(3)},
            {QStringLiteral("name"), st.text(4)},
            {QStringLiteral("description"), st.text(5)},
            {QStringLiteral("geo_location_lat"), st.real(6)},
            {QStringLiteral("geo_location_long"), st.real(7)},
            {QStringLiteral("effect_filter_type"), st.integer(8)},
            {QStringLiteral("image_source"), st.integer(9)},
            {QStringLiteral("access_level"), QString::number(level)},
            {QStringLiteral("salt"), salt},
            {QStringLiteral("create_time"), formatTime(st.integer(12))},
            {QStringLiteral("love_count"), st.integer(13)},
            {QStringLiteral("comment_count"), st.integer(14)},
            {QStringLiteral("done_love"), st.integer(15) != 0},
            {QStringLiteral("done_comment"), st.integer(16) != 0},
            {QStringLiteral("profile_picture_code"), codeOrNull(st.text(17))},
            {QStringLiteral("page_url"), m_webBase + QStringLiteral("/p/") + code},
        };
        // Files of a photo that is not open to everyone (its level, or a
        // private owner) are served only with the salt.
        const bool open = level == 0 && st.integer(18) == 0;
        const QString query = open ? QString() : QStringLiteral("?salt=") + salt;
        for (const QString &size : PhotoStore::sizeNames()) {
            record.insert(QStringLiteral("image_url_") + size,
                          m_webBase + QStringLiteral("/photos/") + code + QLatin1Char('/') + size + query);
        }
        list.append(record);
    }
    return list;
}

QJsonObject ApiService::photoRecord(qint64 viewer, qint64 photoId)
{
    Paging one;
    one.perPage = 1;
    const QJsonArray list = photos(viewer, SqlQuery().add(QStringLiteral("p.id = ?"), photoId), one, QStringLiteral("p.id"));
    return list.isEmpty() ? QJsonObject() : list.first().toObject();
}

QJsonObject ApiService::photoStats(qint64 viewer, qint64 photoId)
{
    Statement st(m_db, "SELECT (SELECT COUNT(*) FROM loves WHERE photo_id = ?2), "
                                "(SELECT COUNT(*) FROM comments WHERE photo_id = ?2), "
                                "EXISTS(SELECT 1 FROM loves WHERE photo_id = ?2 AND user_id = ?1)");
    st.bind(viewer).bind(photoId);
    st.next();
    return {{QStringLiteral("love_count"), st.integer(0)},
            {QStringLiteral("comment_count"), st.integer(1)},
            {QStringLiteral("done_love"), st.integer(2) != 0}};
}

QJsonArray ApiService::users(qint64 viewer, const SqlQuery &fromWhere, const QString &cursor, qint64 sinceId,
                             qint64 beforeId, int count, const QString &order)
{
    SqlQuery query(QStringLiteral("SELECT %1, %2 ").arg(QLatin1String(kUserColumns), cursor));
    query.add(fromWhere);
    query.addRange(cursor, sinceId, beforeId);
    query.add(QStringLiteral(" ORDER BY ") + order).add(QStringLiteral(" LIMIT ?"), qint64(count));
    QJsonArray list;
    Statement st(m_db, query.sql().constData());
    st.bind(viewer);
    query.bindValues(st);
    while (st.next()) {
        list.append(QJsonObject{
            {QStringLiteral("id"), st.integer(11)},
            {QStringLiteral("user_id"), st.integer(0)},
            {QStringLiteral("username"), st.text(1)},
            {QStringLiteral("protected"), st.integer(2) != 0 ? 1 : 0},
            {QStringLiteral("profile_picture_code"), codeOrNull(st.text(3))},
            {QStringLiteral("photo_cnt"), st.integer(4)},
            {QStringLiteral("follower_cnt"), st.integer(5)},
            {QStringLiteral("following_cnt"), st.integer(6)},
            {QStringLiteral("follow_id"), st.integer(7)},
            {QStringLiteral("follow"), !st.isNull(7)},
            {QStringLiteral("follow_requested"), st.integer(8) != 0},
            {QStringLiteral("blocked"), st.integer(9) != 0},
            {QStringLiteral("be_followed"), st.integer(10) != 0},
        });
    }
    return list;
}

QJsonObject ApiService::badge(qint64 badgeId)
{
    Statement st(m_db, "SELECT id, name, description FROM badges WHERE id = ?1");
    st.bind(badgeId);
    if (!st.next())
        return {};
    const QString base = m_webBase + QStringLiteral("/badges/%1/").arg(badgeId);
    return {{QStringLiteral("badge_id"), st.integer(0)},
            {QStringLiteral("name"), st.text(1)},
            {QStringLiteral("description"), st.text(2)},
            {QStringLiteral("path"), base + QStringLiteral("small")},
            {QStringLiteral("path96x96"), base + QStringLiteral("96x96")}};
}

QJsonObject ApiService::profile(qint64 viewer, qint64 userId)
{
    Statement st(m_db,
                 "SELECT u.username, u.email, u.description, u.protected, u.profile_picture_id, "
                 "(SELECT COUNT(*) FROM photos x WHERE x.user_id = u.id), "
                 "(SELECT COUNT(*) FROM follows x WHERE x.following_id = u.id), "
                 "(SELECT COUNT(*) FROM follows x WHERE x.follower_id = u.id), "
                 "EXISTS(SELECT 1 FROM follows x WHERE x.follower_id = ?1 AND x.following_id = u.id), "
                 "EXISTS(SELECT 1 FROM follow_requests x WHERE x.follower_id = ?1 AND x.target_id = u.id), "
                 "EXISTS(SELECT 1 FROM blocks x WHERE x.user_id = ?1 AND x.blocked_id = u.id) "
                 "FROM users u WHERE u.id = ?2");
    st.bind(viewer).bind(userId);
    if (!st.next())
        return {};
    QJsonObject answer{
        {QStringLiteral("success"), true},
        {QStringLiteral("user_id"), userId},
        {QStringLiteral("username"), st.text(0)},
        {QStringLiteral("description"), st.text(2)},
        {QStringLiteral("protected"), st.integer(3) != 0},
        {QStringLiteral("photo_cnt"), st.integer(5)},
        {QStringLiteral("follower_cnt"), st.integer(6)},
        {QStringLiteral("following_cnt"), st.integer(7)},
        {QStringLiteral("followed"), st.integer(8) != 0},
        {QStringLiteral("follow_requested"), st.integer(9) != 0},
        {QStringLiteral("blocked"), st.integer(10) != 0},
        {QStringLiteral("email"), viewer == userId ? st.text(1) : QString()},
    };
    const qint64 pictureId = st.isNull(4) ? 0 : st.integer(4);
    const QJsonObject picture = pictureId ? photoRecord(viewer, pictureId) : QJsonObject();
    if (picture.isEmpty()) {
        answer.insert(QStringLiteral("profile_picture_code"), QJsonValue::Null);
        answer.insert(QStringLiteral("profile_picture_info"), QJsonObject());
    } else {
        answer.insert(QStringLiteral("profile_picture_code"), picture.value(QStringLiteral("picture_code")));
        answer.insert(QStringLiteral("profile_picture_info"), picture);
    }

    QSet<QString> linked;
    Statement links(m_db, "SELECT network FROM links WHERE user_id = ?1");
    links.bind(userId);
    while (links.next())
        linked.insert(links.text(0));
    for (const char *network : kNetworks)
        answer.insert(QStringLiteral("use_") + QLatin1String(network), linked.contains(QLatin1String(network)));

    Paging recent;
    recent.perPage = 9;
    answer.insert(QStringLiteral("recent_photos"),
                  canSeeUserPhotos(viewer, userId)
                      ? photos(viewer, SqlQuery().add(QStringLiteral("p.user_id = ?"), userId), recent, QStringLiteral("p.id DESC"))
                      : QJsonArray());

    QJsonArray badges;
    Statement awarded(m_db, "SELECT badge_id FROM user_badges WHERE user_id = ?1 ORDER BY created DESC");
    awarded.bind(userId);
    while (awarded.next())
        badges.append(badge(awarded.integer(0)));
    answer.insert(QStringLiteral("badge"), badges);
    return answer;
}
