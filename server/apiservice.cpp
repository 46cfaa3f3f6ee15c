#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/credentials.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/photostore.h"
#include "server/sqlquery.h"

#include <QDateTime>

using namespace apicommon;

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

// Every "/v1" call: its name, whether it answers without a signed-in user,
// and what answers it. picture_insert is the frontend's (a multipart body).
const std::vector<ApiService::Call> &ApiService::calls()
{
    using In = ParamReader;
    static const std::vector<Call> table{
        {"home_timeline", false, [](ApiService &s, In &in, qint64 u) { return s.homeTimeline(in, u); }},
        {"popular_timeline", true, [](ApiService &s, In &in, qint64 u) { return s.publicTimeline(in, u, true); }},
        {"frontpage_timeline", true, [](ApiService &s, In &in, qint64 u) { return s.publicTimeline(in, u, false); }},
        {"picture_select", false, [](ApiService &s, In &in, qint64 u) { return s.userTimeline(in, u); }},
        {"photo_summary", false, [](ApiService &s, In &in, qint64 u) { return s.photoSummary(in, u); }},
        {"notifications_all", false, [](ApiService &s, In &in, qint64 u) { return s.notifications(in, u); }},
        {"follow_insert", false, [](ApiService &s, In &in, qint64 u) { return s.followInsert(in, u); }},
        {"follow_delete", false, [](ApiService &s, In &in, qint64 u) { return s.followDelete(in, u); }},
        {"user_select", false, [](ApiService &s, In &in, qint64 u) { return s.userSelect(in, u); }},
        {"friend_suggestion", false, [](ApiService &s, In &in, qint64 u) { return s.userList("friend_suggestion", in, u); }},
        {"friend_facebook", false, [](ApiService &s, In &in, qint64 u) { return s.userList("friend_facebook", in, u); }},
        {"friend_twitter", false, [](ApiService &s, In &in, qint64 u) { return s.userList("friend_twitter", in, u); }},
        {"follower_list", false, [](ApiService &s, In &in, qint64 u) { return s.userList("follower_list", in, u); }},
        {"following_list", false, [](ApiService &s, In &in, qint64 u) { return s.userList("following_list", in, u); }},
        {"blocked_user_list", false, [](ApiService &s, In &in, qint64 u) { return s.userList("blocked_user_list", in, u); }},
        {"user_search", false, [](ApiService &s, In &in, qint64 u) { return s.userList("user_search", in, u); }},
        {"get_follow_request", false, [](ApiService &s, In &in, qint64 u) { return s.followRequests(in, u); }},
        {"answer_friend_request", false, [](ApiService &s, In &in, qint64 u) { return s.answerRequest(in, u); }},
        {"block_user", false, [](ApiService &s, In &in, qint64 u) { return s.block(in, u, true); }},
        {"unblock_user", false, [](ApiService &s, In &in, qint64 u) { return s.block(in, u, false); }},
        {"love_insert", false, [](ApiService &s, In &in, qint64 u) { return s.loveCall(in, u, true); }},
        {"love_delete", false, [](ApiService &s, In &in, qint64 u) { return s.loveCall(in, u, false); }},
        {"comment_select", false, [](ApiService &s, In &in, qint64 u) { return s.commentSelect(in, u); }},
        {"comment_insert", false, [](ApiService &s, In &in, qint64 u) { return s.commentInsert(in, u); }},
        {"comment_delete", false, [](ApiService &s, In &in, qint64 u) { return s.commentDelete(in, u); }},
        {"flags", false, [](ApiService &s, In &in, qint64 u) { return s.flag(in, u); }},
        {"picture_insert", false, nullptr},
        {"picture_delete", false, [](ApiService &s, In &in, qint64 u) { return s.pictureDelete(in, u); }},
        {"picture_update", false, [](ApiService &s, In &in, qint64 u) { return s.pictureUpdate(in, u); }},
        {"set_picture_privacy", false, [](ApiService &s, In &in, qint64 u) { return s.pictureAccess(in, u); }},
        {"share", false, [](ApiService &s, In &in, qint64 u) { return s.share(in, u); }},
        {"user_update", false, [](ApiService &s, In &in, qint64 u) { return s.userUpdate(in, u); }},
        {"answer_terms_condition", false, [](ApiService &s, In &in, qint64 u) { return s.answerTerms(in, u); }},
        {"link_twitter", false, [](ApiService &s, In &in, qint64 u) { return s.linkCall("link_twitter", in, u); }},
        {"link_tumblr", false, [](ApiService &s, In &in, qint64 u) { return s.linkCall("link_tumblr", in, u); }},
        {"link_gdrive", false, [](ApiService &s, In &in, qint64 u) { return s.linkCall("link_gdrive", in, u); }},
        {"unlink_gdrive", false, [](ApiService &s, In &in, qint64 u) { return s.linkCall("unlink_gdrive", in, u); }},
        {"link_picasa", false, [](ApiService &s, In &in, qint64 u) { return s.linkCall("link_picasa", in, u); }},
        {"unlink_picasa", false, [](ApiService &s, In &in, qint64 u) { return s.linkCall("unlink_picasa", in, u); }},
    };
    return table;
}

const ApiService::Call *ApiService::findCall(const std::string &name)
{
    for (const Call &entry : calls()) {
        if (name == entry.name)
            return &entry;
    }
    return nullptr;
}

bool ApiService::isKnownCall(const std::string &name)
{
    return findCall(name) != nullptr;
}

bool ApiService::allowsAnonymous(const std::string &name)
{
    const Call *entry = findCall(name);
    return entry && entry->anonymous;
}

ApiResult ApiService::call(const std::string &name, const FormBody &params, qint64 userId)
{
    const Call *entry = findCall(name);
    if (!entry || !entry->answer)
        return error(404, UnknownCall, QStringLiteral("Unknown call"));
    ParamReader in(params);
    return inTransaction([&] { return entry->answer(*this, in, userId); });
}

ApiResult ApiService::inTransaction(const std::function<ApiResult()> &work)
{
    const ApiResult failed = error(500, ServerError, QStringLiteral("The server could not store the change"));
    const int failuresBefore = m_db.storeFailures();
    if (!m_db.exec("BEGIN IMMEDIATE"))
        return failed;
    const ApiResult result = work();
    const bool storeFailed = m_db.storeFailures() != failuresBefore;
    // A refusal or a failure keeps nothing of what the work had written.
    if (storeFailed || result.status >= 400) {
        m_db.exec("ROLLBACK");
        return storeFailed && result.status < 500 ? failed : result;
    }
    if (!m_db.exec("COMMIT")) {
        m_db.exec("ROLLBACK");
        return failed;
    }
    return result;
}

// ---- shared look-ups ---------------------------------------------------------

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
    Statement st(m_db, "SELECT id FROM users WHERE username = ?1");
    st.bind(name);
    return st.next() ? st.integer(0) : 0;
}

bool ApiService::userExists(qint64 userId)
{
    Statement st(m_db, "SELECT 1 FROM users WHERE id = ?1");
    st.bind(userId);
    return st.next();
}

QString ApiService::username(qint64 userId)
{
    Statement st(m_db, "SELECT username FROM users WHERE id = ?1");
    st.bind(userId);
    return st.next() ? st.text(0) : QString();
}

bool ApiService::isFollowing(qint64 follower, qint64 target)
{
    Statement st(m_db, "SELECT 1 FROM follows WHERE follower_id = ?1 AND following_id = ?2");
    st.bind(follower).bind(target);
    return st.next();
}

bool ApiService::isBlockedEitherWay(qint64 a, qint64 b)
{
    Statement st(m_db, "SELECT 1 FROM blocks WHERE (user_id = ?1 AND blocked_id = ?2) "
                                "OR (user_id = ?2 AND blocked_id = ?1)");
    st.bind(a).bind(b);
    return st.next();
}

bool ApiService::canSeeUserPhotos(qint64 viewer, qint64 userId)
{
    if (viewer == userId)
        return true;
    Statement st(m_db, "SELECT protected FROM users WHERE id = ?1");
    st.bind(userId);
    if (!st.next())
        return false;
    return st.integer(0) == 0 || isFollowing(viewer, userId);
}

bool ApiService::canSeePhoto(qint64 viewer, qint64 photoId)
{
    const QString sql = QString::fromLatin1("SELECT 1 FROM photos p JOIN users u ON u.id = p.user_id WHERE p.id = ?2 AND ")
        + QLatin1String(kPhotoVisible);
    Statement st(m_db, sql.toUtf8().constData());
    st.bind(viewer).bind(photoId);
    return st.next();
}

qint64 ApiService::photoOwner(qint64 photoId)
{
    Statement st(m_db, "SELECT user_id FROM photos WHERE id = ?1");
    st.bind(photoId);
    return st.next() ? st.integer(0) : 0;
}

// ---- public pictures -------------------------------------------------------

QString ApiService::pictureFile(const QString &code, const QString &sizeName, const QString &salt)
{
    Statement st(m_db, "SELECT p.access_level, p.salt, u.protected, "
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
    Statement st(m_db, "SELECT colour FROM badges WHERE id = ?1");
    st.bind(badgeId);
    if (!st.next())
        return {};
    const int pixels = sizeName == QLatin1String("96x96") ? 96 : 48;
    return m_photos.badgePath(static_cast<int>(badgeId), st.text(0), pixels);
}

QJsonObject ApiService::publicPhoto(const QString &code)
{
    Statement st(m_db, "SELECT id FROM photos WHERE code = ?1");
    st.bind(code);
    if (!st.next())
        return {};
    const QJsonObject record = photoRecord(0, st.integer(0));
    return record;
}
