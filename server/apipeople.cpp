#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/sqlquery.h"

using namespace apicommon;

namespace {

QString likePattern(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

} // namespace

// People: follows and follow requests, blocks, profiles and the lists of people.

bool ApiService::follow(qint64 userId, qint64 targetId, qint64 when)
{
    if (isFollowing(userId, targetId))
        return true;
    Statement st(m_db, "SELECT protected FROM users WHERE id = ?1");
    st.bind(targetId);
    if (!st.next())
        return false;
    const QString name = username(userId);
    if (st.integer(0) != 0) {
        Statement request(m_db,
                          "INSERT OR IGNORE INTO follow_requests(follower_id, target_id, created) VALUES(?1, ?2, ?3)");
        request.bind(userId).bind(targetId).bind(when);
        request.exec();
        if (m_db.changes() > 0)
            notify(targetId, RequestType, userId, 0, 0, name + QStringLiteral(" wants to follow you"), when);
        return false;
    }
    Statement insert(m_db, "INSERT OR IGNORE INTO follows(follower_id, following_id, created) VALUES(?1, ?2, ?3)");
    insert.bind(userId).bind(targetId).bind(when);
    insert.exec();
    notify(targetId, FollowedType, userId, 0, 0, name + QStringLiteral(" is now following you"), when);
    return true;
}

bool ApiService::answerFollowRequest(qint64 userId, qint64 followerId, bool accept, qint64 when)
{
    Statement remove(m_db, "DELETE FROM follow_requests WHERE follower_id = ?1 AND target_id = ?2");
    remove.bind(followerId).bind(userId);
    remove.exec();
    if (m_db.changes() == 0)
        return false;
    const QString follower = username(followerId);
    // The waiting row turns into what the app shows once it is answered.
    Statement update(m_db, "UPDATE notifications SET type = ?3, list = 'followed', text = ?4 "
                                    "WHERE user_id = ?1 AND action_user_id = ?2 AND type = 7");
    update.bind(userId).bind(followerId).bind(accept ? FollowedType : RejectedType);
    update.bind(accept ? follower + QStringLiteral(" is now following you")
                       : follower + QStringLiteral("'s request is rejected"));
    update.exec();
    if (accept) {
        Statement insert(m_db,
                         "INSERT OR IGNORE INTO follows(follower_id, following_id, created) VALUES(?1, ?2, ?3)");
        insert.bind(followerId).bind(userId).bind(when);
        insert.exec();
        notify(followerId, AcceptedType, userId, 0, 0,
               username(userId) + QStringLiteral(" accepted your follow request"), when);
    }
    return true;
}

ApiResult ApiService::followInsert(ParamReader &in, qint64 viewer)
{
    const QString name = in.requiredText("following_username", 64);
    if (!in.ok())
        return badParameter(in);
    const qint64 target = userIdByName(name);
    if (!target)
        return error(404, NotFound, QStringLiteral("No such user"));
    if (target == viewer)
        return error(400, InvalidParameter, QStringLiteral("You cannot follow yourself"));
    if (isBlockedEitherWay(viewer, target))
        return error(403, Blocked, QStringLiteral("This user is blocked"));
    const bool following = follow(viewer, target, now());
    return success({{QStringLiteral("followed"), following}, {QStringLiteral("follow_requested"), !following}});
}

ApiResult ApiService::followDelete(ParamReader &in, qint64 viewer)
{
    const QString name = in.requiredText("following_username", 64);
    if (!in.ok())
        return badParameter(in);
    const qint64 target = userIdByName(name);
    if (!target)
        return error(404, NotFound, QStringLiteral("No such user"));
    Statement unfollow(m_db, "DELETE FROM follows WHERE follower_id = ?1 AND following_id = ?2");
    unfollow.bind(viewer).bind(target);
    unfollow.exec();
    Statement request(m_db, "DELETE FROM follow_requests WHERE follower_id = ?1 AND target_id = ?2");
    request.bind(viewer).bind(target);
    request.exec();
    Statement waiting(m_db, "DELETE FROM notifications WHERE user_id = ?2 AND action_user_id = ?1 AND type = 7");
    waiting.bind(viewer).bind(target);
    waiting.exec();
    return success({{QStringLiteral("followed"), false}, {QStringLiteral("follow_requested"), false}});
}

ApiResult ApiService::userSelect(ParamReader &in, qint64 viewer)
{
    qint64 userId = in.integer("user_id", 0, 1, kMaxId);
    const QString name = in.text("username", 64);
    if (!in.ok())
        return badParameter(in);
    if (!userId)
        userId = name.isEmpty() ? viewer : userIdByName(name);
    if (!userId || !userExists(userId))
        return error(404, NotFound, QStringLiteral("No such user"));
    Statement blockedBy(m_db, "SELECT 1 FROM blocks WHERE user_id = ?1 AND blocked_id = ?2");
    blockedBy.bind(userId).bind(viewer);
    if (blockedBy.next())
        return refusal(Blocked, QStringLiteral("This user is not available"));
    return {200, profile(viewer, userId)};
}

ApiResult ApiService::userList(const std::string &name, ParamReader &in, qint64 viewer)
{
    const int count = static_cast<int>(qMin<qint64>(in.integer("count", 20, 1, 1000), 100));
    const qint64 sinceId = in.integer("since_id", 0, 0, kMaxId);
    const qint64 beforeId = in.integer("before_id", 0, 0, kMaxId);
    const QString text = in.text("username", 64);
    if (!in.ok())
        return badParameter(in);
    const QString notBlocked =
        QStringLiteral(" AND NOT EXISTS(SELECT 1 FROM blocks b WHERE (b.user_id = u.id AND b.blocked_id = ?1) "
                       "OR (b.user_id = ?1 AND b.blocked_id = u.id))");
    const QString notFollowed =
        QStringLiteral(" AND u.id <> ?1 AND NOT EXISTS(SELECT 1 FROM follows f WHERE f.follower_id = ?1 AND "
                       "f.following_id = u.id)");
    QJsonArray rows;
    if (name == "follower_list" || name == "following_list") {
        const qint64 target = text.isEmpty() ? viewer : userIdByName(text);
        if (!target)
            return error(404, NotFound, QStringLiteral("No such user"));
        if (isBlockedEitherWay(viewer, target))
            return refusal(Blocked, QStringLiteral("This user is blocked"));
        if (!canSeeUserPhotos(viewer, target))
            return refusal(PrivateAccount, QStringLiteral("This account is private"));
        const bool followers = name == "follower_list";
        const SqlQuery from = SqlQuery().add(
            QStringLiteral("FROM follows r JOIN users u ON u.id = r.%1 WHERE r.%2 = ?")
                .arg(followers ? QStringLiteral("follower_id") : QStringLiteral("following_id"),
                     followers ? QStringLiteral("following_id") : QStringLiteral("follower_id")),
            target);
        rows = users(viewer, from, QStringLiteral("r.id"), sinceId, beforeId, count, QStringLiteral("r.id DESC"));
    } else if (name == "blocked_user_list") {
        const SqlQuery from(QStringLiteral("FROM blocks r JOIN users u ON u.id = r.blocked_id WHERE r.user_id = ?1"));
        rows = users(viewer, from, QStringLiteral("r.id"), sinceId, beforeId, count, QStringLiteral("r.id DESC"));
    } else if (name == "user_search") {
        if (text.trimmed().isEmpty())
            return error(400, InvalidParameter, QStringLiteral("username is missing"));
        SqlQuery from;
        from.add(QStringLiteral("FROM users u WHERE u.username LIKE ? ESCAPE '\\'"), likePattern(text.trimmed()))
            .add(notBlocked);
        rows = users(viewer, from, QStringLiteral("u.id"), sinceId, beforeId, count,
                     QStringLiteral("length(u.username), u.username"));
    } else {
        SqlQuery from(QStringLiteral("FROM users u WHERE 1") + notBlocked + notFollowed);
        if (name == "friend_facebook" || name == "friend_twitter") {
            from.add(QStringLiteral(" AND EXISTS(SELECT 1 FROM links k WHERE k.user_id = u.id AND k.network = ?)"),
                     name == "friend_facebook" ? QStringLiteral("facebook") : QStringLiteral("twitter"));
        }
        rows = users(viewer, from, QStringLiteral("u.id"), sinceId, beforeId, count,
                     QStringLiteral("(SELECT COUNT(*) FROM follows x WHERE x.following_id = u.id) DESC, u.id"));
    }
    return success({{QStringLiteral("data"), rows}});
}

ApiResult ApiService::followRequests(ParamReader &in, qint64 viewer)
{
    const qint64 userId = in.integer("user_id", viewer, 0, kMaxId);
    const int count = static_cast<int>(qMin<qint64>(in.integer("request_per_page", 20, 1, 1000), 100));
    const qint64 beforeId = in.integer("before_id", 0, 0, kMaxId);
    if (!in.ok())
        return badParameter(in);
    if (userId != viewer)
        return error(403, NotPermitted, QStringLiteral("Follow requests are the signed-in user's own"));
    SqlQuery query(QStringLiteral(
        "SELECT r.id, u.id, u.username, (SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), "
        "EXISTS(SELECT 1 FROM follows f WHERE f.follower_id = ?1 AND f.following_id = u.id), u.protected, r.created "
        "FROM follow_requests r JOIN users u ON u.id = r.follower_id WHERE r.target_id = ?1"));
    query.addRange(QStringLiteral("r.id"), 0, beforeId);
    query.add(QStringLiteral(" ORDER BY r.id DESC LIMIT ?"), qint64(count) + 1);
    QJsonArray rows;
    Statement st(m_db, query.sql().constData());
    st.bind(viewer);
    query.bindValues(st);
    const bool hasMore = readPage(st, count, [&](Statement &st) {
        rows.append(QJsonObject{{QStringLiteral("follow_request_id"), st.integer(0)},
                                {QStringLiteral("user_id"), st.integer(1)},
                                {QStringLiteral("username"), st.text(2)},
                                {QStringLiteral("profile_picture_code"), codeOrNull(st.text(3))},
                                {QStringLiteral("follow"), st.integer(4) != 0},
                                {QStringLiteral("protected"), st.integer(5) != 0 ? 1 : 0},
                                {QStringLiteral("create_time"), formatTime(st.integer(6))}});
    });
    return success({{QStringLiteral("data"), rows}, {QStringLiteral("has_more"), hasMore}});
}

ApiResult ApiService::answerRequest(ParamReader &in, qint64 viewer)
{
    const qint64 follower = in.requiredInteger("follower_user_id", 1, kMaxId);
    const bool accept = in.boolean("accept", false);
    if (!in.has("accept"))
        return error(400, InvalidParameter, QStringLiteral("accept is missing"));
    if (!in.ok())
        return badParameter(in);
    if (!answerFollowRequest(viewer, follower, accept, now()))
        return error(404, NotFound, QStringLiteral("No follow request from that user"));
    return success({{QStringLiteral("accepted"), accept}});
}

ApiResult ApiService::block(ParamReader &in, qint64 viewer, bool add)
{
    const qint64 target = in.requiredInteger("blocked_user_id", 1, kMaxId);
    if (!in.ok())
        return badParameter(in);
    if (!userExists(target))
        return error(404, NotFound, QStringLiteral("No such user"));
    if (target == viewer)
        return error(400, InvalidParameter, QStringLiteral("You cannot block yourself"));
    if (!add) {
        Statement st(m_db, "DELETE FROM blocks WHERE user_id = ?1 AND blocked_id = ?2");
        st.bind(viewer).bind(target);
        st.exec();
        return success({{QStringLiteral("blocked"), false}});
    }
    Statement st(m_db, "INSERT OR IGNORE INTO blocks(user_id, blocked_id, created) VALUES(?1, ?2, ?3)");
    st.bind(viewer).bind(target).bind(now());
    st.exec();
    // A block ends every tie between the two.
    Statement follows(m_db, "DELETE FROM follows WHERE (follower_id = ?1 AND following_id = ?2) "
                                     "OR (follower_id = ?2 AND following_id = ?1)");
    follows.bind(viewer).bind(target);
    follows.exec();
    Statement requests(m_db, "DELETE FROM follow_requests WHERE (follower_id = ?1 AND target_id = ?2) "
                                      "OR (follower_id = ?2 AND target_id = ?1)");
    requests.bind(viewer).bind(target);
    requests.exec();
    return success({{QStringLiteral("blocked"), true}});
}
