#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/sqlquery.h"

using namespace apicommon;

namespace {

const QStringList &notificationLists()
{
    static const QStringList lists{QStringLiteral("all"), QStringLiteral("loved"), QStringLiteral("commented"),
                                   QStringLiteral("badged"), QStringLiteral("followed")};
    return lists;
}

QString listOfType(int type)
{
    switch (type) {
    case LovedType:
        return QStringLiteral("loved");
    case CommentedType:
    case RepliedType:
        return QStringLiteral("commented");
    case BadgeType:
        return QStringLiteral("badged");
    default:
        return QStringLiteral("followed");
    }
}

} // namespace

// Notifications: recording them and the paged lists of the five tabs.

void ApiService::notify(qint64 userId, int type, qint64 actionUserId, qint64 photoId, qint64 badgeId,
                        const QString &text, qint64 when)
{
    if (userId == actionUserId && type != BadgeType)
        return;
    Statement st(m_db, "INSERT INTO notifications(user_id, type, list, action_user_id, action, photo_id, "
                                "badge_id, text, created) VALUES(?1, ?2, ?3, ?4, ?2, ?5, ?6, ?7, ?8)");
    st.bind(userId).bind(type).bind(listOfType(type)).bind(actionUserId).bind(photoId).bind(badgeId).bind(text).bind(when);
    st.exec();
}

QJsonArray ApiService::notificationList(qint64 viewer, const QString &list, qint64 sinceId, qint64 beforeId,
                                        int count)
{
    SqlQuery query(QStringLiteral(
        "SELECT n.id, n.type, n.action_user_id, n.action, n.photo_id, n.badge_id, n.text, n.created, u.username, "
        "(SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), "
        "EXISTS(SELECT 1 FROM follows f WHERE f.follower_id = ?1 AND f.following_id = u.id), "
        "EXISTS(SELECT 1 FROM follows f WHERE f.follower_id = u.id AND f.following_id = ?1), "
        "(SELECT code FROM photos p WHERE p.id = n.photo_id) "
        "FROM notifications n JOIN users u ON u.id = n.action_user_id WHERE n.user_id = ?1"));
    if (list != QLatin1String("all"))
        query.add(QStringLiteral(" AND n.list = ?"), list);
    query.addRange(QStringLiteral("n.id"), sinceId, beforeId);
    query.add(QStringLiteral(" ORDER BY n.id DESC LIMIT ?"), qint64(count));

    QJsonArray rows;
    Statement st(m_db, query.sql().constData());
    st.bind(viewer);
    query.bindValues(st);
    while (st.next()) {
        const qint64 photoId = st.integer(4);
        const qint64 badgeId = st.integer(5);
        const QString username = st.text(8);
        const QString photoCode = st.text(12);
        QJsonObject row{
            {QStringLiteral("id"), st.integer(0)},
            {QStringLiteral("notification_type"), st.integer(1)},
            {QStringLiteral("pinned"), false},
            {QStringLiteral("text"), st.text(6)},
            {QStringLiteral("user_id"), st.integer(2)},
            {QStringLiteral("username"), username},
            {QStringLiteral("profile_picture_code"), codeOrNull(st.text(9))},
            {QStringLiteral("action_user_id"), st.integer(2)},
            {QStringLiteral("action"), st.integer(3)},
            {QStringLiteral("follow"), st.integer(10) != 0},
            {QStringLiteral("be_followed"), st.integer(11) != 0},
            {QStringLiteral("timestamp"), formatTime(st.integer(7))},
            {QStringLiteral("picture_code"), photoCode},
        };
        QJsonArray pictureInfo;
        if (photoId > 0) {
            const QJsonObject record = photoRecord(viewer, photoId);
            if (!record.isEmpty())
                pictureInfo.append(record);
        }
        row.insert(QStringLiteral("picture_info"), pictureInfo);
        QJsonArray badgeInfo;
        if (badgeId > 0)
            badgeInfo.append(badge(badgeId));
        row.insert(QStringLiteral("badge_info"), badgeInfo);
        if (!photoCode.isEmpty())
            row.insert(QStringLiteral("url"), m_webBase + QStringLiteral("/p/") + photoCode);
        else if (badgeId > 0)
            row.insert(QStringLiteral("url"), m_webBase + QStringLiteral("/badges/%1/96x96").arg(badgeId));
        else
            row.insert(QStringLiteral("url"), m_webBase + QStringLiteral("/u/") + username);
        rows.append(row);
    }
    return rows;
}

QJsonObject ApiService::pendingSummary(qint64 viewer)
{
    Statement st(m_db, "SELECT COUNT(*), MAX(created) FROM follow_requests WHERE target_id = ?1");
    st.bind(viewer);
    if (!st.next() || st.integer(0) == 0)
        return {};
    const qint64 count = st.integer(0);
    return {{QStringLiteral("id"), 0},
            {QStringLiteral("notification_type"), PendingSummaryType},
            {QStringLiteral("pinned"), true},
            {QStringLiteral("text"), QStringLiteral("%1 Pending Friend Requests").arg(count)},
            {QStringLiteral("user_id"), 0},
            {QStringLiteral("username"), QString()},
            {QStringLiteral("profile_picture_code"), QJsonValue::Null},
            {QStringLiteral("action_user_id"), 0},
            {QStringLiteral("action"), PendingSummaryType},
            {QStringLiteral("follow"), false},
            {QStringLiteral("be_followed"), false},
            {QStringLiteral("timestamp"), formatTime(st.integer(1))},
            {QStringLiteral("picture_code"), QString()},
            {QStringLiteral("picture_info"), QJsonArray()},
            {QStringLiteral("badge_info"), QJsonArray()},
            {QStringLiteral("url"), m_webBase + QStringLiteral("/u/") + username(viewer)}};
}

ApiResult ApiService::notifications(ParamReader &in, qint64 viewer)
{
    const int count = static_cast<int>(qMin<qint64>(in.integer("count", 20, 1, 1000), 100));
    in.boolean("allow_friend_request", true);
    static const char *const idNames[5][2] = {{"all_since_id", "all_before_id"},
                                              {"loved_since_id", "loved_before_id"},
                                              {"commented_since_id", "commented_before_id"},
                                              {"badged_since_id", "badged_before_id"},
                                              {"followed_since_id", "followed_before_id"}};
    qint64 ids[5][2];
    bool anySince = false;
    bool anyBefore = false;
    for (int i = 0; i < 5; ++i) {
        ids[i][0] = in.integer(idNames[i][0], 0, 0, kMaxId);
        ids[i][1] = in.integer(idNames[i][1], 0, 0, kMaxId);
        anySince |= ids[i][0] > 0;
        anyBefore |= ids[i][1] > 0;
    }
    const qint64 lastRead = in.integer("last_read_notification_id", 0, 0, kMaxId);
    if (!in.ok())
        return badParameter(in);

    Statement mark(m_db, "UPDATE users SET last_read_notification_id = ?2 "
                                  "WHERE id = ?1 AND last_read_notification_id < ?2");
    mark.bind(viewer).bind(lastRead);
    mark.exec();

    // A list is answered when the request names an id of it, or names none at
    // all: a page for one tab must not repeat the other tabs' rows.
    const QJsonObject summary = pendingSummary(viewer);
    QJsonArray data;
    for (int i = 0; i < 5; ++i) {
        const bool named = anyBefore ? ids[i][1] > 0 : (anySince ? ids[i][0] > 0 : true);
        if (!named)
            continue;
        const QString list = notificationLists().at(i);
        QJsonArray rows = notificationList(viewer, list, anyBefore ? 0 : ids[i][0], ids[i][1], count);
        if (!summary.isEmpty() && (i == 0 || i == 4))
            rows.prepend(summary);
        data.append(QJsonObject{{QStringLiteral("type"), list}, {QStringLiteral("result"), rows}});
    }

    Statement counts(m_db,
                     "SELECT COUNT(*), SUM(list = 'loved'), SUM(list = 'commented'), SUM(list = 'badged'), "
                     "SUM(list = 'followed'), (SELECT last_read_notification_id FROM users WHERE id = ?1) "
                     "FROM notifications WHERE user_id = ?1 AND id > "
                     "(SELECT last_read_notification_id FROM users WHERE id = ?1)");
    counts.bind(viewer);
    counts.next();
    Statement pending(m_db, "SELECT COUNT(*) FROM follow_requests WHERE target_id = ?1");
    pending.bind(viewer);
    pending.next();
    const QJsonObject stats{{QStringLiteral("total_count"), counts.integer(0)},
                            {QStringLiteral("love_count"), counts.integer(1)},
                            {QStringLiteral("comment_count"), counts.integer(2)},
                            {QStringLiteral("badge_count"), counts.integer(3)},
                            {QStringLiteral("follow_count"), counts.integer(4)},
                            {QStringLiteral("follow_request_count"), pending.integer(0)},
                            {QStringLiteral("last_read_notification_id"), counts.integer(5)}};
    return success({{QStringLiteral("stats"), stats}, {QStringLiteral("data"), data}});
}
