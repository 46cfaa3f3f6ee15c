#include "server/apiservice.h"

#include "server/credentials.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/photostore.h"
#include "server/serverlog.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSet>

#include <limits>

namespace {

// Notification kinds. The app itself acts on 4, 7, 8 and 9.
enum NotificationType {
    LovedType = 1,
    CommentedType = 2,
    BadgeType = 3,
    FollowedType = 4,
    RepliedType = 5,
    AcceptedType = 6,
    RequestType = 7,
    RejectedType = 8,
    PendingSummaryType = 9,
};

constexpr qint64 kMaxId = std::numeric_limits<qint64>::max();
constexpr int kMaxText = 1000;

const char *const kNetworks[] = {"twitter", "facebook", "tumblr", "flickr", "weibo", "vk", "dropbox", "gdrive", "picasa"};

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

// Whether the viewer (?1) may see photo p of owner u.
const char kPhotoVisible[] =
    "(p.user_id = ?1 OR (p.access_level = 0 AND u.protected = 0) OR (p.access_level <= 1 AND EXISTS("
    "SELECT 1 FROM follows f WHERE f.follower_id = ?1 AND f.following_id = p.user_id))) "
    "AND NOT EXISTS(SELECT 1 FROM blocks b WHERE (b.user_id = p.user_id AND b.blocked_id = ?1) "
    "OR (b.user_id = ?1 AND b.blocked_id = p.user_id))";

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

QJsonValue codeOrNull(const QString &code)
{
    return code.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(code);
}

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

ApiResult success(QJsonObject body = {})
{
    body.insert(QStringLiteral("success"), true);
    return {200, body};
}

// A refusal that the app's models read from a successful HTTP answer.
ApiResult refusal(ApiService::ErrorCode code, const QString &reason)
{
    return {200, QJsonObject{{QStringLiteral("success"), false},
                             {QStringLiteral("error_code"), code},
                             {QStringLiteral("reason"), reason}}};
}

ApiResult badParameter(const ParamReader &in)
{
    return ApiService::error(400, ApiService::InvalidParameter, in.error());
}

QString likePattern(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

bool validEmail(const QString &email)
{
    static const QRegularExpression pattern(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    return pattern.match(email).hasMatch();
}

} // namespace

ApiService::ApiService(Database &db, PhotoStore &photos, const QString &webBase)
    : m_db(db)
    , m_photos(photos)
    , m_webBase(webBase)
{
}

QString ApiService::formatTime(qint64 secondsSinceEpoch)
{
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC).toString(QStringLiteral("yyyy-MM-d hh:mm:ss"));
}

ApiResult ApiService::error(int status, ErrorCode code, const QString &reason)
{
    return {status, QJsonObject{{QStringLiteral("success"), false},
                                {QStringLiteral("error_code"), code},
                                {QStringLiteral("reason"), reason}}};
}

bool ApiService::isKnownCall(const std::string &name)
{
    static const QSet<QString> calls{
        "home_timeline", "popular_timeline", "frontpage_timeline", "notifications_all", "follow_insert",
        "follow_delete", "love_insert", "love_delete", "user_select", "picture_select", "friend_suggestion",
        "friend_facebook", "friend_twitter", "follower_list", "following_list", "blocked_user_list", "user_search",
        "get_follow_request", "comment_select", "comment_delete", "comment_insert", "flags", "picture_delete",
        "user_update", "picture_update", "share", "photo_summary", "link_twitter", "link_tumblr", "link_gdrive",
        "unlink_gdrive", "link_picasa", "unlink_picasa", "block_user", "unblock_user", "set_picture_privacy",
        "answer_friend_request", "answer_terms_condition", "picture_insert"};
    return calls.contains(QString::fromStdString(name));
}

bool ApiService::allowsAnonymous(const std::string &name)
{
    return name == "popular_timeline" || name == "frontpage_timeline";
}

ApiResult ApiService::call(const std::string &name, const FormBody &params, qint64 userId)
{
    ParamReader in(params);
    if (name == "home_timeline")
        return homeTimeline(in, userId);
    if (name == "popular_timeline" || name == "frontpage_timeline")
        return publicTimeline(in, userId, name == "popular_timeline");
    if (name == "picture_select")
        return userTimeline(in, userId);
    if (name == "notifications_all")
        return notifications(in, userId);
    if (name == "follow_insert")
        return followInsert(in, userId);
    if (name == "follow_delete")
        return followDelete(in, userId);
    if (name == "love_insert" || name == "love_delete")
        return loveCall(in, userId, name == "love_insert");
    if (name == "user_select")
        return userSelect(in, userId);
    if (name == "friend_suggestion" || name == "friend_facebook" || name == "friend_twitter"
        || name == "follower_list" || name == "following_list" || name == "blocked_user_list"
        || name == "user_search")
        return userList(name, in, userId);
    if (name == "get_follow_request")
        return followRequests(in, userId);
    if (name == "comment_select")
        return commentSelect(in, userId);
    if (name == "comment_insert")
        return commentInsert(in, userId);
    if (name == "comment_delete")
        return commentDelete(in, userId);
    if (name == "flags")
        return flag(in, userId);
    if (name == "picture_delete")
        return pictureDelete(in, userId);
    if (name == "picture_update")
        return pictureUpdate(in, userId);
    if (name == "set_picture_privacy")
        return pictureAccess(in, userId);
    if (name == "share")
        return share(in, userId);
    if (name == "photo_summary")
        return photoSummary(in, userId);
    if (name == "user_update")
        return userUpdate(in, userId);
    if (name.rfind("link_", 0) == 0 || name.rfind("unlink_", 0) == 0)
        return linkCall(name, in, userId);
    if (name == "block_user" || name == "unblock_user")
        return block(in, userId, name == "block_user");
    if (name == "answer_friend_request")
        return answerRequest(in, userId);
    if (name == "answer_terms_condition")
        return answerTerms(in, userId);
    return error(404, UnknownCall, QStringLiteral("Unknown call"));
}

// ---- reading helpers -------------------------------------------------------

bool ApiService::readPaging(ParamReader &in, Paging *paging, const char *perPageName)
{
    paging->sinceId = in.integer("since_id", 0, 0, kMaxId);
    paging->beforeId = in.integer("before_id", 0, 0, kMaxId);
    paging->page = static_cast<int>(in.integer("page", 1, 1, 100000));
    paging->perPage = static_cast<int>(qMin<qint64>(in.integer(perPageName, 20, 1, 1000), 100));
    return in.ok();
}

qint64 ApiService::userIdByName(const QString &name)
{
    Statement st(m_db.handle(), "SELECT id FROM users WHERE username = ?1");
    st.bind(name);
    return st.next() ? st.integer(0) : 0;
}

bool ApiService::userExists(qint64 userId)
{
    Statement st(m_db.handle(), "SELECT 1 FROM users WHERE id = ?1");
    st.bind(userId);
    return st.next();
}

QString ApiService::username(qint64 userId)
{
    Statement st(m_db.handle(), "SELECT username FROM users WHERE id = ?1");
    st.bind(userId);
    return st.next() ? st.text(0) : QString();
}

bool ApiService::isFollowing(qint64 follower, qint64 target)
{
    Statement st(m_db.handle(), "SELECT 1 FROM follows WHERE follower_id = ?1 AND following_id = ?2");
    st.bind(follower).bind(target);
    return st.next();
}

bool ApiService::isBlockedEitherWay(qint64 a, qint64 b)
{
    Statement st(m_db.handle(), "SELECT 1 FROM blocks WHERE (user_id = ?1 AND blocked_id = ?2) "
                                "OR (user_id = ?2 AND blocked_id = ?1)");
    st.bind(a).bind(b);
    return st.next();
}

bool ApiService::canSeeUserPhotos(qint64 viewer, qint64 userId)
{
    if (viewer == userId)
        return true;
    Statement st(m_db.handle(), "SELECT protected FROM users WHERE id = ?1");
    st.bind(userId);
    if (!st.next())
        return false;
    return st.integer(0) == 0 || isFollowing(viewer, userId);
}

bool ApiService::canSeePhoto(qint64 viewer, qint64 photoId)
{
    const QString sql = QString::fromLatin1("SELECT 1 FROM photos p JOIN users u ON u.id = p.user_id WHERE p.id = ?2 AND ")
        + QLatin1String(kPhotoVisible);
    Statement st(m_db.handle(), sql.toUtf8().constData());
    st.bind(viewer).bind(photoId);
    return st.next();
}

qint64 ApiService::photoOwner(qint64 photoId)
{
    Statement st(m_db.handle(), "SELECT user_id FROM photos WHERE id = ?1");
    st.bind(photoId);
    return st.next() ? st.integer(0) : 0;
}

// ---- records ---------------------------------------------------------------

QJsonArray ApiService::photos(qint64 viewer, const QString &condition, const Paging &paging, const QString &order)
{
    QString sql = QLatin1String(kPhotoSelect) + QLatin1String(kPhotoVisible) + QStringLiteral(" AND (")
        + condition + QLatin1Char(')');
    if (paging.sinceId > 0)
        sql += QStringLiteral(" AND p.id > %1").arg(paging.sinceId);
    if (paging.beforeId > 0)
        sql += QStringLiteral(" AND p.id < %1").arg(paging.beforeId);
    const int offset = (paging.sinceId > 0 || paging.beforeId > 0) ? 0 : (paging.page - 1) * paging.perPage;
    sql += QStringLiteral(" ORDER BY %1 LIMIT %2 OFFSET %3").arg(order).arg(paging.perPage).arg(offset);

    QJsonArray list;
    Statement st(m_db.handle(), sql.toUtf8().constData());
    st.bind(viewer);
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
    const QJsonArray list = photos(viewer, QStringLiteral("p.id = %1").arg(photoId), one, QStringLiteral("p.id"));
    return list.isEmpty() ? QJsonObject() : list.first().toObject();
}

QJsonObject ApiService::photoStats(qint64 viewer, qint64 photoId)
{
    Statement st(m_db.handle(), "SELECT (SELECT COUNT(*) FROM loves WHERE photo_id = ?2), "
                                "(SELECT COUNT(*) FROM comments WHERE photo_id = ?2), "
                                "EXISTS(SELECT 1 FROM loves WHERE photo_id = ?2 AND user_id = ?1)");
    st.bind(viewer).bind(photoId);
    st.next();
    return {{QStringLiteral("love_count"), st.integer(0)},
            {QStringLiteral("comment_count"), st.integer(1)},
            {QStringLiteral("done_love"), st.integer(2) != 0}};
}

QJsonArray ApiService::users(qint64 viewer, const QString &fromWhere, const QString &cursor, qint64 sinceId,
                             qint64 beforeId, int count, const QString &order)
{
    QString sql = QStringLiteral("SELECT %1, %2 %3").arg(QLatin1String(kUserColumns), cursor, fromWhere);
    if (sinceId > 0)
        sql += QStringLiteral(" AND %1 > %2").arg(cursor).arg(sinceId);
    if (beforeId > 0)
        sql += QStringLiteral(" AND %1 < %2").arg(cursor).arg(beforeId);
    sql += QStringLiteral(" ORDER BY %1 LIMIT %2").arg(order).arg(count);
    QJsonArray list;
    Statement st(m_db.handle(), sql.toUtf8().constData());
    st.bind(viewer);
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
    Statement st(m_db.handle(), "SELECT id, name, description FROM badges WHERE id = ?1");
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
    Statement st(m_db.handle(),
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
    Statement links(m_db.handle(), "SELECT network FROM links WHERE user_id = ?1");
    links.bind(userId);
    while (links.next())
        linked.insert(links.text(0));
    for (const char *network : kNetworks)
        answer.insert(QStringLiteral("use_") + QLatin1String(network), linked.contains(QLatin1String(network)));

    Paging recent;
    recent.perPage = 9;
    answer.insert(QStringLiteral("recent_photos"),
                  canSeeUserPhotos(viewer, userId)
                      ? photos(viewer, QStringLiteral("p.user_id = %1").arg(userId), recent, QStringLiteral("p.id DESC"))
                      : QJsonArray());

    QJsonArray badges;
    Statement awarded(m_db.handle(), "SELECT badge_id FROM user_badges WHERE user_id = ?1 ORDER BY created DESC");
    awarded.bind(userId);
    while (awarded.next())
        badges.append(badge(awarded.integer(0)));
    answer.insert(QStringLiteral("badge"), badges);
    return answer;
}

// ---- timelines -------------------------------------------------------------

ApiResult ApiService::homeTimeline(ParamReader &in, qint64 viewer)
{
    Paging paging;
    const qint64 userId = in.integer("user_id", viewer, 0, kMaxId);
    if (!readPaging(in, &paging, "picture_per_page"))
        return badParameter(in);
    if (userId != viewer)
        return error(403, NotPermitted, QStringLiteral("The home timeline is the signed-in user's own"));
    const QString condition = QStringLiteral("p.user_id = %1 OR EXISTS(SELECT 1 FROM follows h WHERE "
                                             "h.follower_id = %1 AND h.following_id = p.user_id)")
                                  .arg(viewer);
    return success({{QStringLiteral("data"), photos(viewer, condition, paging, QStringLiteral("p.id DESC"))}});
}

ApiResult ApiService::publicTimeline(ParamReader &in, qint64 viewer, bool popular)
{
    Paging paging;
    if (!readPaging(in, &paging, "picture_per_page"))
        return badParameter(in);
    // Both show what everybody may see, whoever asks.
    const QString condition = QStringLiteral("p.access_level = 0 AND u.protected = 0");
    const QString order = popular ? QStringLiteral("(SELECT COUNT(*) FROM loves l WHERE l.photo_id = p.id) DESC, p.id DESC")
                                  : QStringLiteral("p.id DESC");
    return success({{QStringLiteral("data"), photos(viewer, condition, paging, order)}});
}

ApiResult ApiService::userTimeline(ParamReader &in, qint64 viewer)
{
    Paging paging;
    qint64 userId = in.integer("user_id", 0, 1, kMaxId);
    const QString name = in.text("username", 64);
    if (!readPaging(in, &paging, "picture_per_page"))
        return badParameter(in);
    if (!userId && !name.isEmpty())
        userId = userIdByName(name);
    if (!userId || !userExists(userId))
        return error(404, NotFound, QStringLiteral("No such user"));
    if (isBlockedEitherWay(viewer, userId))
        return refusal(Blocked, QStringLiteral("This user is blocked"));
    if (!canSeeUserPhotos(viewer, userId))
        return refusal(PrivateAccount, QStringLiteral("This account is private: follow it to see its photos"));
    return success({{QStringLiteral("data"),
                     photos(viewer, QStringLiteral("p.user_id = %1").arg(userId), paging, QStringLiteral("p.id DESC"))}});
}

ApiResult ApiService::photoSummary(ParamReader &in, qint64 viewer)
{
    const QString codes = in.requiredText("picture_codes", 20000);
    if (!in.ok())
        return badParameter(in);
    QJsonArray data;
    const QStringList list = codes.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (list.size() > 200)
        return error(400, InvalidParameter, QStringLiteral("At most 200 picture codes"));
    for (const QString &code : list) {
        Statement st(m_db.handle(), "SELECT id FROM photos WHERE code = ?1");
        st.bind(code.trimmed());
        if (!st.next() || !canSeePhoto(viewer, st.integer(0)))
            continue;
        const QJsonObject record = photoRecord(viewer, st.integer(0));
        QJsonObject summary;
        for (const char *key : {"picture_id", "picture_code", "love_count", "comment_count", "done_love",
                                "done_comment", "access_level", "salt"})
            summary.insert(QLatin1String(key), record.value(QLatin1String(key)));
        data.append(summary);
    }
    return success({{QStringLiteral("data"), data}});
}

// ---- notifications ---------------------------------------------------------

void ApiService::notify(qint64 userId, int type, qint64 actionUserId, qint64 photoId, qint64 badgeId,
                        const QString &text, qint64 when)
{
    if (userId == actionUserId && type != BadgeType)
        return;
    Statement st(m_db.handle(), "INSERT INTO notifications(user_id, type, list, action_user_id, action, photo_id, "
                                "badge_id, text, created) VALUES(?1, ?2, ?3, ?4, ?2, ?5, ?6, ?7, ?8)");
    st.bind(userId).bind(type).bind(listOfType(type)).bind(actionUserId).bind(photoId).bind(badgeId).bind(text).bind(when);
    st.exec();
}

QJsonArray ApiService::notificationList(qint64 viewer, const QString &list, qint64 sinceId, qint64 beforeId,
                                        int count)
{
    QString sql = QStringLiteral(
        "SELECT n.id, n.type, n.action_user_id, n.action, n.photo_id, n.badge_id, n.text, n.created, u.username, "
        "(SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), "
        "EXISTS(SELECT 1 FROM follows f WHERE f.follower_id = ?1 AND f.following_id = u.id), "
        "EXISTS(SELECT 1 FROM follows f WHERE f.follower_id = u.id AND f.following_id = ?1), "
        "(SELECT code FROM photos p WHERE p.id = n.photo_id) "
        "FROM notifications n JOIN users u ON u.id = n.action_user_id WHERE n.user_id = ?1");
    if (list != QLatin1String("all"))
        sql += QStringLiteral(" AND n.list = '%1'").arg(list);
    if (sinceId > 0)
        sql += QStringLiteral(" AND n.id > %1").arg(sinceId);
    if (beforeId > 0)
        sql += QStringLiteral(" AND n.id < %1").arg(beforeId);
    sql += QStringLiteral(" ORDER BY n.id DESC LIMIT %1").arg(count);

    QJsonArray rows;
    Statement st(m_db.handle(), sql.toUtf8().constData());
    st.bind(viewer);
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
    Statement st(m_db.handle(), "SELECT COUNT(*), MAX(created) FROM follow_requests WHERE target_id = ?1");
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

    Statement mark(m_db.handle(), "UPDATE users SET last_read_notification_id = ?2 "
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

    Statement counts(m_db.handle(),
                     "SELECT COUNT(*), SUM(list = 'loved'), SUM(list = 'commented'), SUM(list = 'badged'), "
                     "SUM(list = 'followed'), (SELECT last_read_notification_id FROM users WHERE id = ?1) "
                     "FROM notifications WHERE user_id = ?1 AND id > "
                     "(SELECT last_read_notification_id FROM users WHERE id = ?1)");
    counts.bind(viewer);
    counts.next();
    Statement pending(m_db.handle(), "SELECT COUNT(*) FROM follow_requests WHERE target_id = ?1");
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

// ---- people ----------------------------------------------------------------

bool ApiService::follow(qint64 userId, qint64 targetId, qint64 when)
{
    if (isFollowing(userId, targetId))
        return true;
    Statement st(m_db.handle(), "SELECT protected FROM users WHERE id = ?1");
    st.bind(targetId);
    if (!st.next())
        return false;
    const QString name = username(userId);
    if (st.integer(0) != 0) {
        Statement request(m_db.handle(),
                          "INSERT OR IGNORE INTO follow_requests(follower_id, target_id, created) VALUES(?1, ?2, ?3)");
        request.bind(userId).bind(targetId).bind(when);
        request.exec();
        if (m_db.changes() > 0)
            notify(targetId, RequestType, userId, 0, 0, name + QStringLiteral(" wants to follow you"), when);
        return false;
    }
    Statement insert(m_db.handle(), "INSERT OR IGNORE INTO follows(follower_id, following_id, created) VALUES(?1, ?2, ?3)");
    insert.bind(userId).bind(targetId).bind(when);
    insert.exec();
    notify(targetId, FollowedType, userId, 0, 0, name + QStringLiteral(" is now following you"), when);
    return true;
}

bool ApiService::answerFollowRequest(qint64 userId, qint64 followerId, bool accept, qint64 when)
{
    Statement remove(m_db.handle(), "DELETE FROM follow_requests WHERE follower_id = ?1 AND target_id = ?2");
    remove.bind(followerId).bind(userId);
    remove.exec();
    if (m_db.changes() == 0)
        return false;
    const QString follower = username(followerId);
    // The waiting row turns into what the app shows once it is answered.
    Statement update(m_db.handle(), "UPDATE notifications SET type = ?3, list = 'followed', text = ?4 "
                                    "WHERE user_id = ?1 AND action_user_id = ?2 AND type = 7");
    update.bind(userId).bind(followerId).bind(accept ? FollowedType : RejectedType);
    update.bind(accept ? follower + QStringLiteral(" is now following you")
                       : follower + QStringLiteral("'s request is rejected"));
    update.exec();
    if (accept) {
        Statement insert(m_db.handle(),
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
    Statement unfollow(m_db.handle(), "DELETE FROM follows WHERE follower_id = ?1 AND following_id = ?2");
    unfollow.bind(viewer).bind(target);
    unfollow.exec();
    Statement request(m_db.handle(), "DELETE FROM follow_requests WHERE follower_id = ?1 AND target_id = ?2");
    request.bind(viewer).bind(target);
    request.exec();
    Statement waiting(m_db.handle(), "DELETE FROM notifications WHERE user_id = ?2 AND action_user_id = ?1 AND type = 7");
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
    Statement blockedBy(m_db.handle(), "SELECT 1 FROM blocks WHERE user_id = ?1 AND blocked_id = ?2");
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
        const QString from = QStringLiteral("FROM follows r JOIN users u ON u.id = r.%1 WHERE r.%2 = %3")
                                 .arg(followers ? QStringLiteral("follower_id") : QStringLiteral("following_id"),
                                      followers ? QStringLiteral("following_id") : QStringLiteral("follower_id"))
                                 .arg(target);
        rows = users(viewer, from, QStringLiteral("r.id"), sinceId, beforeId, count, QStringLiteral("r.id DESC"));
    } else if (name == "blocked_user_list") {
        const QString from = QStringLiteral("FROM blocks r JOIN users u ON u.id = r.blocked_id WHERE r.user_id = %1").arg(viewer);
        rows = users(viewer, from, QStringLiteral("r.id"), sinceId, beforeId, count, QStringLiteral("r.id DESC"));
    } else if (name == "user_search") {
        if (text.trimmed().isEmpty())
            return error(400, InvalidParameter, QStringLiteral("username is missing"));
        QString pattern = likePattern(text.trimmed());
        pattern.replace(QLatin1Char('\''), QStringLiteral("''"));
        const QString from = QStringLiteral("FROM users u WHERE u.username LIKE '%1' ESCAPE '\\'").arg(pattern) + notBlocked;
        rows = users(viewer, from, QStringLiteral("u.id"), sinceId, beforeId, count,
                     QStringLiteral("length(u.username), u.username"));
    } else {
        QString from = QStringLiteral("FROM users u WHERE 1") + notBlocked + notFollowed;
        if (name == "friend_facebook" || name == "friend_twitter") {
            from += QStringLiteral(" AND EXISTS(SELECT 1 FROM links k WHERE k.user_id = u.id AND k.network = '%1')")
                        .arg(name == "friend_facebook" ? QStringLiteral("facebook") : QStringLiteral("twitter"));
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
    QString sql = QStringLiteral(
        "SELECT r.id, u.id, u.username, (SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), "
        "EXISTS(SELECT 1 FROM follows f WHERE f.follower_id = ?1 AND f.following_id = u.id), u.protected, r.created "
        "FROM follow_requests r JOIN users u ON u.id = r.follower_id WHERE r.target_id = ?1");
    if (beforeId > 0)
        sql += QStringLiteral(" AND r.id < %1").arg(beforeId);
    sql += QStringLiteral(" ORDER BY r.id DESC LIMIT %1").arg(count + 1);
    QJsonArray rows;
    Statement st(m_db.handle(), sql.toUtf8().constData());
    st.bind(viewer);
    bool hasMore = false;
    while (st.next()) {
        if (rows.size() == count) {
            hasMore = true;
            break;
        }
        rows.append(QJsonObject{{QStringLiteral("follow_request_id"), st.integer(0)},
                                {QStringLiteral("user_id"), st.integer(1)},
                                {QStringLiteral("username"), st.text(2)},
                                {QStringLiteral("profile_picture_code"), codeOrNull(st.text(3))},
                                {QStringLiteral("follow"), st.integer(4) != 0},
                                {QStringLiteral("protected"), st.integer(5) != 0 ? 1 : 0},
                                {QStringLiteral("create_time"), formatTime(st.integer(6))}});
    }
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
        Statement st(m_db.handle(), "DELETE FROM blocks WHERE user_id = ?1 AND blocked_id = ?2");
        st.bind(viewer).bind(target);
        st.exec();
        return success({{QStringLiteral("blocked"), false}});
    }
    Statement st(m_db.handle(), "INSERT OR IGNORE INTO blocks(user_id, blocked_id, created) VALUES(?1, ?2, ?3)");
    st.bind(viewer).bind(target).bind(now());
    st.exec();
    // A block ends every tie between the two.
    Statement follows(m_db.handle(), "DELETE FROM follows WHERE (follower_id = ?1 AND following_id = ?2) "
                                     "OR (follower_id = ?2 AND following_id = ?1)");
    follows.bind(viewer).bind(target);
    follows.exec();
    Statement requests(m_db.handle(), "DELETE FROM follow_requests WHERE (follower_id = ?1 AND target_id = ?2) "
                                      "OR (follower_id = ?2 AND target_id = ?1)");
    requests.bind(viewer).bind(target);
    requests.exec();
    return success({{QStringLiteral("blocked"), true}});
}

// ---- loves and comments ----------------------------------------------------

bool ApiService::love(qint64 userId, qint64 photoId, qint64 when)
{
    Statement st(m_db.handle(), "INSERT OR IGNORE INTO loves(photo_id, user_id, created) VALUES(?1, ?2, ?3)");
    st.bind(photoId).bind(userId).bind(when);
    if (!st.exec())
        return false;
    if (m_db.changes() > 0) {
        notify(photoOwner(photoId), LovedType, userId, photoId, 0,
               username(userId) + QStringLiteral(" loved your photo"), when);
    }
    return true;
}

ApiResult ApiService::loveCall(ParamReader &in, qint64 viewer, bool add)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    if (!in.ok())
        return badParameter(in);
    if (!canSeePhoto(viewer, photoId))
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (add) {
        love(viewer, photoId, now());
    } else {
        Statement st(m_db.handle(), "DELETE FROM loves WHERE photo_id = ?1 AND user_id = ?2");
        st.bind(photoId).bind(viewer);
        st.exec();
        Statement note(m_db.handle(), "DELETE FROM notifications WHERE photo_id = ?1 AND action_user_id = ?2 AND type = 1");
        note.bind(photoId).bind(viewer);
        note.exec();
    }
    return success({{QStringLiteral("picture_id"), photoId}, {QStringLiteral("stats"), photoStats(viewer, photoId)}});
}

qint64 ApiService::comment(qint64 userId, qint64 photoId, const QString &text, qint64 inReplyTo, qint64 when)
{
    Statement st(m_db.handle(), "INSERT INTO comments(photo_id, user_id, text, in_reply_to_id, created) "
                                "VALUES(?1, ?2, ?3, ?4, ?5)");
    st.bind(photoId).bind(userId).bind(text).bind(inReplyTo).bind(when);
    if (!st.exec())
        return 0;
    const qint64 id = m_db.lastInsertId();
    const qint64 owner = photoOwner(photoId);
    const QString name = username(userId);
    notify(owner, CommentedType, userId, photoId, 0, name + QStringLiteral(" commented: ") + text.left(80), when);
    if (inReplyTo > 0) {
        Statement author(m_db.handle(), "SELECT user_id FROM comments WHERE id = ?1");
        author.bind(inReplyTo);
        if (author.next() && author.integer(0) != owner) {
            notify(author.integer(0), RepliedType, userId, photoId, 0,
                   name + QStringLiteral(" replied: ") + text.left(80), when);
        }
    }
    return id;
}

ApiResult ApiService::commentSelect(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const qint64 page = in.integer("page", 1, 1, 100000);
    const int count = static_cast<int>(qMin<qint64>(in.integer("comment_per_page", 20, 1, 1000), 100));
    const qint64 beforeId = in.integer("before_id", 0, 0, kMaxId);
    const qint64 sinceId = in.integer("since_id", 0, 0, kMaxId);
    if (!in.ok())
        return badParameter(in);
    if (!canSeePhoto(viewer, photoId))
        return error(404, NotFound, QStringLiteral("No such photo"));
    QString sql = QStringLiteral(
        "SELECT c.id, c.user_id, u.username, (SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), "
        "c.created, c.text, c.source, c.in_reply_to_id FROM comments c JOIN users u ON u.id = c.user_id "
        "WHERE c.photo_id = ?1");
    if (sinceId > 0)
        sql += QStringLiteral(" AND c.id > %1").arg(sinceId);
    if (beforeId > 0)
        sql += QStringLiteral(" AND c.id < %1").arg(beforeId);
    const qint64 offset = (sinceId > 0 || beforeId > 0) ? 0 : (page - 1) * count;
    sql += QStringLiteral(" ORDER BY c.id DESC LIMIT %1 OFFSET %2").arg(count + 1).arg(offset);
    QJsonArray rows;
    bool hasMore = false;
    Statement st(m_db.handle(), sql.toUtf8().constData());
    st.bind(photoId);
    while (st.next()) {
        if (rows.size() == count) {
            hasMore = true;
            break;
        }
        rows.append(QJsonObject{{QStringLiteral("comment_id"), st.integer(0)},
                                {QStringLiteral("user_id"), st.integer(1)},
                                {QStringLiteral("comment_user_id"), st.integer(1)},
                                {QStringLiteral("username"), st.text(2)},
                                {QStringLiteral("profile_picture_code"), codeOrNull(st.text(3))},
                                {QStringLiteral("create_time"), formatTime(st.integer(4))},
                                {QStringLiteral("text"), st.text(5)},
                                {QStringLiteral("comment_source"), st.text(6)},
                                {QStringLiteral("in_reply_to_id"), st.integer(7)}});
    }
    return success({{QStringLiteral("data"), rows},
                    {QStringLiteral("stats"), photoStats(viewer, photoId)},
                    {QStringLiteral("has_more"), hasMore}});
}

ApiResult ApiService::commentInsert(ParamReader &in, qint64 viewer)
{
    const QString text = in.requiredText("text", kMaxText).trimmed();
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const qint64 inReplyTo = in.integer("in_reply_to_id", 0, 0, kMaxId);
    if (!in.ok())
        return badParameter(in);
    if (text.isEmpty())
        return error(400, InvalidParameter, QStringLiteral("text is empty"));
    if (!canSeePhoto(viewer, photoId))
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (inReplyTo > 0) {
        Statement st(m_db.handle(), "SELECT 1 FROM comments WHERE id = ?1 AND photo_id = ?2");
        st.bind(inReplyTo).bind(photoId);
        if (!st.next())
            return error(404, NotFound, QStringLiteral("in_reply_to_id is no comment of this photo"));
    }
    const qint64 id = comment(viewer, photoId, text, inReplyTo, now());
    if (!id)
        return error(500, ServerError, QStringLiteral("The comment could not be stored"));
    return success({{QStringLiteral("comment_id"), id},
                    {QStringLiteral("picture_id"), photoId},
                    {QStringLiteral("stats"), photoStats(viewer, photoId)}});
}

ApiResult ApiService::commentDelete(ParamReader &in, qint64 viewer)
{
    const qint64 commentId = in.requiredInteger("comment_id", 1, kMaxId);
    if (!in.ok())
        return badParameter(in);
    Statement st(m_db.handle(), "SELECT c.user_id, p.user_id, p.id FROM comments c JOIN photos p ON p.id = c.photo_id "
                                "WHERE c.id = ?1");
    st.bind(commentId);
    if (!st.next())
        return error(404, NotFound, QStringLiteral("No such comment"));
    if (st.integer(0) != viewer && st.integer(1) != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the author or the photo's owner may delete a comment"));
    const qint64 photoId = st.integer(2);
    Statement remove(m_db.handle(), "DELETE FROM comments WHERE id = ?1");
    remove.bind(commentId);
    remove.exec();
    return success({{QStringLiteral("comment_id"), commentId}, {QStringLiteral("stats"), photoStats(viewer, photoId)}});
}

// ---- photos ----------------------------------------------------------------

qint64 ApiService::insertPhoto(qint64 userId, const QImage &image, const QString &name, const QString &description,
                               int accessLevel, qint64 when)
{
    const QString code = Credentials::randomCode(10);
    if (!m_photos.store(code, image))
        return 0;
    Statement st(m_db.handle(), "INSERT INTO photos(code, user_id, name, description, access_level, salt, taken, created) "
                                "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?7)");
    st.bind(code).bind(userId).bind(name).bind(description).bind(accessLevel).bind(Credentials::randomHex(4)).bind(when);
    if (!st.exec()) {
        m_photos.remove(code);
        return 0;
    }
    return m_db.lastInsertId();
}

ApiResult ApiService::uploadPicture(qint64 userId, const FormBody &fields, const QByteArray &picture)
{
    ParamReader in(fields);
    const QString name = in.text("name", 200);
    const QString description = in.text("description", kMaxText);
    const double latitude = in.real("geo_location_lat", 0);
    const double longitude = in.real("geo_location_long", 0);
    const qint64 filter = in.integer("effect_filter_type", 0, 0, 100000);
    const qint64 source = in.integer("image_source", 0, 0, 100000);
    const qint64 taken = in.integer("timestamp", now(), 0, kMaxId);
    const int accessLevel = static_cast<int>(in.integer("access_level", 0, 0, 2));
    if (!in.ok())
        return badParameter(in);
    if (latitude < -90 || latitude > 90 || longitude < -180 || longitude > 180)
        return error(400, InvalidParameter, QStringLiteral("The location is outside the globe"));
    if (picture.isEmpty())
        return error(400, InvalidParameter, QStringLiteral("picture_file is missing or empty"));
    const QString code = Credentials::randomCode(10);
    if (!m_photos.store(code, picture))
        return error(415, InvalidParameter, QStringLiteral("picture_file is not a picture that can be read"));
    Statement st(m_db.handle(),
                 "INSERT INTO photos(code, user_id, name, description, latitude, longitude, effect_filter_type, "
                 "image_source, access_level, salt, taken, created) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
    st.bind(code).bind(userId).bind(name).bind(description).bind(latitude).bind(longitude).bind(filter).bind(source);
    st.bind(accessLevel).bind(Credentials::randomHex(4)).bind(taken).bind(now());
    if (!st.exec()) {
        m_photos.remove(code);
        return error(500, ServerError, QStringLiteral("The photo could not be stored"));
    }
    QStringList shared;
    for (const char *network : kNetworks) {
        if (in.boolean((std::string("share_on_") + network).c_str(), false))
            shared << QLatin1String(network);
    }
    const qint64 photoId = m_db.lastInsertId();
    if (!shared.isEmpty()) {
        Statement share(m_db.handle(), "INSERT INTO shares(photo_id, user_id, caption, networks, created) "
                                       "VALUES(?1, ?2, ?3, ?4, ?5)");
        share.bind(photoId).bind(userId).bind(name).bind(shared.join(QLatin1Char(','))).bind(now());
        share.exec();
    }
    QJsonObject answer = photoRecord(userId, photoId);
    answer.insert(QStringLiteral("success"), true);
    answer.insert(QStringLiteral("shared_to"), QJsonArray::fromStringList(shared));
    return {200, answer};
}

ApiResult ApiService::flag(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const QString reason = in.text("reason", kMaxText);
    if (!in.ok())
        return badParameter(in);
    if (!canSeePhoto(viewer, photoId))
        return error(404, NotFound, QStringLiteral("No such photo"));
    Statement st(m_db.handle(), "INSERT INTO flags(photo_id, user_id, reason, created) VALUES(?1, ?2, ?3, ?4)");
    st.bind(photoId).bind(viewer).bind(reason).bind(now());
    st.exec();
    return success();
}

ApiResult ApiService::pictureDelete(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    if (!in.ok())
        return badParameter(in);
    Statement st(m_db.handle(), "SELECT user_id, code FROM photos WHERE id = ?1");
    st.bind(photoId);
    if (!st.next())
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (st.integer(0) != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the owner may delete a photo"));
    const QString code = st.text(1);
    Statement clear(m_db.handle(), "UPDATE users SET profile_picture_id = NULL WHERE profile_picture_id = ?1");
    clear.bind(photoId);
    clear.exec();
    Statement notes(m_db.handle(), "DELETE FROM notifications WHERE photo_id = ?1");
    notes.bind(photoId);
    notes.exec();
    Statement remove(m_db.handle(), "DELETE FROM photos WHERE id = ?1");
    remove.bind(photoId);
    remove.exec();
    m_photos.remove(code);
    return success({{QStringLiteral("picture_id"), photoId}});
}

ApiResult ApiService::pictureUpdate(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const QString name = in.requiredText("name", 200);
    if (!in.ok())
        return badParameter(in);
    const qint64 owner = photoOwner(photoId);
    if (!owner)
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (owner != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the owner may change a caption"));
    Statement st(m_db.handle(), "UPDATE photos SET name = ?2 WHERE id = ?1");
    st.bind(photoId).bind(name);
    st.exec();
    return success({{QStringLiteral("picture_id"), photoId}, {QStringLiteral("name"), name}});
}

ApiResult ApiService::pictureAccess(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const int level = static_cast<int>(in.requiredInteger("access_level", 0, 2));
    if (!in.ok())
        return badParameter(in);
    const qint64 owner = photoOwner(photoId);
    if (!owner)
        return error(404, NotFound, QStringLiteral("No such photo"));
    if (owner != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the owner may change who sees a photo"));
    // A new salt retires the addresses handed out under the old level.
    const QString salt = Credentials::randomHex(4);
    Statement st(m_db.handle(), "UPDATE photos SET access_level = ?2, salt = ?3 WHERE id = ?1");
    st.bind(photoId).bind(level).bind(salt);
    st.exec();
    return success({{QStringLiteral("picture_id"), photoId},
                    {QStringLiteral("access_level"), QString::number(level)},
                    {QStringLiteral("salt"), salt}});
}

void ApiService::setAllAccessLevels(qint64 userId, int accessLevel)
{
    Statement ids(m_db.handle(), "SELECT id FROM photos WHERE user_id = ?1 AND access_level <> ?2 AND access_level < 2");
    ids.bind(userId).bind(accessLevel);
    QList<qint64> photoIds;
    while (ids.next())
        photoIds << ids.integer(0);
    for (qint64 id : photoIds) {
        Statement st(m_db.handle(), "UPDATE photos SET access_level = ?2, salt = ?3 WHERE id = ?1");
        st.bind(id).bind(accessLevel).bind(Credentials::randomHex(4));
        st.exec();
    }
}

ApiResult ApiService::share(ParamReader &in, qint64 viewer)
{
    const qint64 photoId = in.requiredInteger("picture_id", 1, kMaxId);
    const QString caption = in.text("caption", kMaxText);
    QStringList networks;
    for (const char *network : {"twitter", "facebook", "tumblr", "vk", "weibo"}) {
        if (in.boolean(network, false))
            networks << QLatin1String(network);
    }
    if (!in.ok())
        return badParameter(in);
    if (!canSeePhoto(viewer, photoId))
        return error(404, NotFound, QStringLiteral("No such photo"));
    Statement st(m_db.handle(), "INSERT INTO shares(photo_id, user_id, caption, networks, created) VALUES(?1, ?2, ?3, ?4, ?5)");
    st.bind(photoId).bind(viewer).bind(caption).bind(networks.join(QLatin1Char(','))).bind(now());
    st.exec();
    return success({{QStringLiteral("picture_id"), photoId},
                    {QStringLiteral("shared_to"), QJsonArray::fromStringList(networks)}});
}

// ---- account ---------------------------------------------------------------

void ApiService::linkNetwork(qint64 userId, const QString &network, const QString &account, const QString &token,
                             const QString &tokenSecret)
{
    Statement st(m_db.handle(), "INSERT OR REPLACE INTO links(user_id, network, account, token, token_secret) "
                                "VALUES(?1, ?2, ?3, ?4, ?5)");
    st.bind(userId).bind(network).bind(account).bind(token).bind(tokenSecret);
    st.exec();
}

ApiResult ApiService::userUpdate(ParamReader &in, qint64 viewer)
{
    // One endpoint, several forms: the parameters tell which.
    if (in.has("old_password") || in.has("password")) {
        const QString oldPassword = in.requiredText("old_password", 128);
        const QString password = in.requiredText("password", 128);
        if (!in.ok())
            return badParameter(in);
        Statement st(m_db.handle(), "SELECT password_hash, password_salt FROM users WHERE id = ?1");
        st.bind(viewer);
        if (!st.next() || !Credentials::verifyPassword(oldPassword, st.text(1), st.text(0)))
            return error(403, WrongCredentials, QStringLiteral("The old password is wrong"));
        if (password.size() < 6)
            return error(400, InvalidParameter, QStringLiteral("The new password needs at least 6 characters"));
        const QString salt = Credentials::randomHex(16);
        Statement update(m_db.handle(), "UPDATE users SET password_hash = ?2, password_salt = ?3 WHERE id = ?1");
        update.bind(viewer).bind(Credentials::hashPassword(password, salt)).bind(salt);
        update.exec();
        return {200, profile(viewer, viewer)};
    }
    if (in.has("profile_picture_code")) {
        const QString code = in.text("profile_picture_code", 64);
        if (!in.ok())
            return badParameter(in);
        qint64 photoId = 0;
        if (!code.isEmpty()) {
            Statement st(m_db.handle(), "SELECT id FROM photos WHERE code = ?1 AND user_id = ?2");
            st.bind(code).bind(viewer);
            if (!st.next())
                return error(404, NotFound, QStringLiteral("No such photo of yours"));
            photoId = st.integer(0);
        }
        setProfilePicture(viewer, photoId);
        return {200, profile(viewer, viewer)};
    }
    bool touchedNetwork = false;
    for (const char *network : kNetworks) {
        const std::string flag = std::string(network) + "_on";
        if (!in.has(flag.c_str()))
            continue;
        touchedNetwork = true;
        const bool on = in.boolean(flag.c_str(), false);
        const QString name = QLatin1String(network);
        if (!on) {
            Statement st(m_db.handle(), "DELETE FROM links WHERE user_id = ?1 AND network = ?2");
            st.bind(viewer).bind(name);
            st.exec();
            continue;
        }
        const std::string prefix = std::string(network) + "_";
        const QString token = in.requiredText((prefix + "token").c_str(), 1000);
        const QString secret = in.text((prefix + "token_secret").c_str(), 1000);
        QString account = in.text((prefix + "username").c_str(), 200);
        if (account.isEmpty())
            account = in.text((prefix + "user_id").c_str(), 200);
        in.boolean("twitter_follow_taviro", false);
        in.integer("vk_expires_in", 0, 0, kMaxId);
        if (!in.ok())
            return badParameter(in);
        if (token.isEmpty())
            return error(400, InvalidParameter, QStringLiteral("%1 is empty").arg(name + QStringLiteral("_token")));
        linkNetwork(viewer, name, account, token, secret);
    }
    if (touchedNetwork)
        return in.ok() ? ApiResult{200, profile(viewer, viewer)} : badParameter(in);

    const QString email = in.text("email", 200).trimmed();
    const QString description = in.text("description", 500);
    const bool isProtected = in.boolean("protected", false);
    const bool changeAccessLevel = in.boolean("change_access_level", false);
    if (!in.ok())
        return badParameter(in);
    if (!in.has("email") && !in.has("description") && !in.has("protected"))
        return error(400, InvalidParameter, QStringLiteral("Nothing to update"));
    if (in.has("email") && !validEmail(email))
        return error(400, InvalidParameter, QStringLiteral("The e-mail address is not valid"));
    if (in.has("email")) {
        Statement st(m_db.handle(), "UPDATE users SET email = ?2 WHERE id = ?1");
        st.bind(viewer).bind(email);
        st.exec();
    }
    if (in.has("description")) {
        Statement st(m_db.handle(), "UPDATE users SET description = ?2 WHERE id = ?1");
        st.bind(viewer).bind(description);
        st.exec();
    }
    if (in.has("protected")) {
        Statement st(m_db.handle(), "UPDATE users SET protected = ?2 WHERE id = ?1");
        st.bind(viewer).bind(isProtected);
        st.exec();
        if (changeAccessLevel)
            setAllAccessLevels(viewer, isProtected ? 1 : 0);
    }
    return {200, profile(viewer, viewer)};
}

ApiResult ApiService::linkCall(const std::string &name, ParamReader &in, qint64 viewer)
{
    const bool unlink = name.rfind("unlink_", 0) == 0;
    const QString network = QString::fromStdString(name.substr(unlink ? 7 : 5));
    if (unlink) {
        Statement st(m_db.handle(), "DELETE FROM links WHERE user_id = ?1 AND network = ?2");
        st.bind(viewer).bind(network);
        st.exec();
        return {200, profile(viewer, viewer)};
    }
    QString account;
    if (network == QLatin1String("twitter") || network == QLatin1String("tumblr")) {
        account = in.requiredText("username", 200);
        const QString password = in.requiredText("password", 200);
        in.boolean("twitter_follow_taviro", false);
        if (!in.ok())
            return badParameter(in);
        if (account.isEmpty() || password.isEmpty())
            return error(401, WrongCredentials, QStringLiteral("The %1 name or password is wrong").arg(network));
    } else {
        const QString code = in.requiredText("code", 1000);
        if (!in.ok())
            return badParameter(in);
        if (code.isEmpty())
            return error(400, InvalidParameter, QStringLiteral("code is empty"));
        account = username(viewer);
    }
    linkNetwork(viewer, network, account, Credentials::randomHex(16), Credentials::randomHex(16));
    return {200, profile(viewer, viewer)};
}

ApiResult ApiService::answerTerms(ParamReader &in, qint64 viewer)
{
    const QString package = in.requiredText("package_code", 200);
    const bool agree = in.boolean("agree_terms", false);
    in.boolean("checked", false);
    if (!in.ok())
        return badParameter(in);
    Statement st(m_db.handle(), "UPDATE users SET terms_package = ?2 WHERE id = ?1");
    st.bind(viewer).bind(agree ? package : QString());
    st.exec();
    return success({{QStringLiteral("agree_terms"), agree}});
}

void ApiService::setProfilePicture(qint64 userId, qint64 photoId)
{
    Statement st(m_db.handle(), "UPDATE users SET profile_picture_id = ?2 WHERE id = ?1");
    st.bind(userId);
    if (photoId > 0)
        st.bind(photoId);
    else
        st.bindNull();
    st.exec();
}

qint64 ApiService::createBadge(const QString &name, const QString &description, const QString &colour)
{
    Statement st(m_db.handle(), "INSERT INTO badges(name, description, colour) VALUES(?1, ?2, ?3)");
    st.bind(name).bind(description).bind(colour);
    return st.exec() ? m_db.lastInsertId() : 0;
}

void ApiService::awardBadge(qint64 userId, qint64 badgeId, qint64 when)
{
    Statement st(m_db.handle(), "INSERT OR IGNORE INTO user_badges(user_id, badge_id, created) VALUES(?1, ?2, ?3)");
    st.bind(userId).bind(badgeId).bind(when);
    st.exec();
    if (m_db.changes() == 0)
        return;
    Statement name(m_db.handle(), "SELECT name FROM badges WHERE id = ?1");
    name.bind(badgeId);
    name.next();
    notify(userId, BadgeType, userId, 0, badgeId, QStringLiteral("You earned the %1 badge").arg(name.text(0)), when);
}

// ---- sign-in ---------------------------------------------------------------

qint64 ApiService::createUser(const QString &username, const QString &password, const QString &email,
                              const QString &description, bool isProtected, qint64 when)
{
    const QString salt = Credentials::randomHex(16);
    Statement st(m_db.handle(), "INSERT INTO users(username, email, password_hash, password_salt, description, "
                                "protected, created) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    st.bind(username).bind(email).bind(Credentials::hashPassword(password, salt)).bind(salt).bind(description);
    st.bind(isProtected).bind(when);
    return st.exec() ? m_db.lastInsertId() : 0;
}

ApiResult ApiService::signedInAnswer(qint64 userId)
{
    const QString token = Credentials::randomHex(20);
    const QString secret = Credentials::randomHex(20);
    Statement st(m_db.handle(), "INSERT INTO tokens(token, secret, user_id, created) VALUES(?1, ?2, ?3, ?4)");
    st.bind(token).bind(secret).bind(userId).bind(now());
    if (!st.exec())
        return error(500, ServerError, QStringLiteral("No token could be issued"));
    const QJsonObject account = profile(userId, userId);
    return success({{QStringLiteral("user_id"), userId},
                    {QStringLiteral("username"), account.value(QStringLiteral("username"))},
                    {QStringLiteral("oauth_token"), token},
                    {QStringLiteral("oauth_token_secret"), secret},
                    {QStringLiteral("profile_picture_code"), account.value(QStringLiteral("profile_picture_code"))},
                    {QStringLiteral("protected"), account.value(QStringLiteral("protected"))}});
}

ApiResult ApiService::signIn(const FormBody &params)
{
    ParamReader in(params);
    const QString mode = in.requiredText("x_auth_mode", 32);
    const QString name = in.requiredText("x_auth_username", 64);
    const QString password = in.requiredText("x_auth_password", 128);
    if (!in.ok())
        return badParameter(in);
    if (mode != QLatin1String("client_auth"))
        return error(400, InvalidParameter, QStringLiteral("x_auth_mode must be client_auth"));
    Statement st(m_db.handle(), "SELECT id, password_hash, password_salt FROM users WHERE username = ?1");
    st.bind(name);
    if (!st.next() || !Credentials::verifyPassword(password, st.text(2), st.text(1)))
        return error(401, WrongCredentials, QStringLiteral("Wrong username or password"));
    return signedInAnswer(st.integer(0));
}

ApiResult ApiService::registerUser(const FormBody &params)
{
    ParamReader in(params);
    const QString mode = in.requiredText("x_auth_mode", 32);
    const QString name = in.requiredText("x_auth_username", 64);
    const QString password = in.requiredText("x_auth_password", 128);
    const QString email = in.requiredText("x_auth_email", 200).trimmed();
    if (!in.ok())
        return badParameter(in);
    if (mode != QLatin1String("client_auth"))
        return error(400, InvalidParameter, QStringLiteral("x_auth_mode must be client_auth"));
    static const QRegularExpression namePattern(QStringLiteral("^[A-Za-z0-9_]{3,20}$"));
    if (!namePattern.match(name).hasMatch())
        return error(400, InvalidParameter, QStringLiteral("A username has 3 to 20 letters, digits or underscores"));
    if (password.size() < 6)
        return error(400, InvalidParameter, QStringLiteral("A password needs at least 6 characters"));
    if (!validEmail(email))
        return error(400, InvalidParameter, QStringLiteral("The e-mail address is not valid"));
    if (userIdByName(name))
        return error(409, UsernameTaken, QStringLiteral("That username is taken"));
    const qint64 userId = createUser(name, password, email, QString(), false, now());
    if (!userId)
        return error(500, ServerError, QStringLiteral("The account could not be created"));
    return signedInAnswer(userId);
}

ApiResult ApiService::remindPassword(const FormBody &params, qint64 userId)
{
    ParamReader in(params);
    in.boolean("confirm", true);
    QString email;
    if (userId == 0) {
        email = in.requiredText("email", 200).trimmed();
        if (in.ok() && !validEmail(email))
            return error(400, InvalidParameter, QStringLiteral("The e-mail address is not valid"));
    }
    if (!in.ok())
        return badParameter(in);
    Statement st(m_db.handle(), userId ? "SELECT id FROM users WHERE id = ?1"
                                       : "SELECT id FROM users WHERE email = ?1 COLLATE NOCASE");
    if (userId)
        st.bind(userId);
    else
        st.bind(email);
    // The answer does not tell whether the address belongs to an account.
    while (st.next()) {
        Statement note(m_db.handle(), "INSERT INTO password_reminders(user_id, created) VALUES(?1, ?2)");
        note.bind(st.integer(0)).bind(now());
        note.exec();
        qCInfo(lcServer) << "Password reminder recorded for user" << st.integer(0);
    }
    return success({{QStringLiteral("message"),
                     QStringLiteral("If an account uses that address, a reminder is on its way.")}});
}

bool ApiService::tokenOwner(const QString &token, qint64 *userId, QString *secret)
{
    Statement st(m_db.handle(), "SELECT user_id, secret FROM tokens WHERE token = ?1");
    st.bind(token);
    if (!st.next())
        return false;
    *userId = st.integer(0);
    *secret = st.text(1);
    return true;
}

// ---- public pictures -------------------------------------------------------

QString ApiService::pictureFile(const QString &code, const QString &sizeName, const QString &salt)
{
    Statement st(m_db.handle(), "SELECT p.access_level, p.salt, u.protected, "
                                "EXISTS(SELECT 1 FROM users x WHERE x.profile_picture_id = p.id) "
                                "FROM photos p JOIN users u ON u.id = p.user_id WHERE p.code = ?1");
    st.bind(code);
    if (!st.next())
        return {};
    const bool open = st.integer(0) == 0 && st.integer(2) == 0;
    const bool profileThumb = st.integer(3) != 0 && (sizeName == QLatin1String("thumb") || sizeName == QLatin1String("small"));
    if (!open && !profileThumb && !Credentials::constantTimeEquals(salt.toUtf8(), st.text(1).toUtf8()))
        return {};
    return m_photos.path(code, sizeName);
}

QString ApiService::badgeFile(qint64 badgeId, const QString &sizeName)
{
    Statement st(m_db.handle(), "SELECT colour FROM badges WHERE id = ?1");
    st.bind(badgeId);
    if (!st.next())
        return {};
    const int pixels = sizeName == QLatin1String("96x96") ? 96 : 48;
    return m_photos.badgePath(static_cast<int>(badgeId), st.text(0), pixels);
}

QJsonObject ApiService::publicPhoto(const QString &code)
{
    Statement st(m_db.handle(), "SELECT id FROM photos WHERE code = ?1");
    st.bind(code);
    if (!st.next())
        return {};
    const QJsonObject record = photoRecord(0, st.integer(0));
    return record;
}
