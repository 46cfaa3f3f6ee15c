#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/sqlquery.h"

using namespace apicommon;

// Timelines: home, popular and front page, a user's photos, photo summaries.

ApiResult ApiService::homeTimeline(ParamReader &in, qint64 viewer)
{
    Paging paging;
    const qint64 userId = in.integer("user_id", viewer, 0, kMaxId);
    if (!readPaging(in, &paging, "picture_per_page"))
        return badParameter(in);
    if (userId != viewer)
        return error(403, NotPermitted, QStringLiteral("The home timeline is the signed-in user's own"));
    // ?1 is the viewer.
    const SqlQuery condition(QStringLiteral("p.user_id = ?1 OR EXISTS(SELECT 1 FROM follows h WHERE "
                                            "h.follower_id = ?1 AND h.following_id = p.user_id)"));
    return success({{QStringLiteral("data"), photos(viewer, condition, paging, QStringLiteral("p.id DESC"))}});
}

ApiResult ApiService::publicTimeline(ParamReader &in, qint64 viewer, bool popular)
{
    Paging paging;
    if (!readPaging(in, &paging, "picture_per_page"))
        return badParameter(in);
    // Both show what everybody may see, whoever asks.
    const SqlQuery condition(QStringLiteral("p.access_level = 0 AND u.protected = 0"));
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
                     photos(viewer, SqlQuery().add(QStringLiteral("p.user_id = ?"), userId), paging, QStringLiteral("p.id DESC"))}});
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
        Statement st(m_db, "SELECT id FROM photos WHERE code = ?1");
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
