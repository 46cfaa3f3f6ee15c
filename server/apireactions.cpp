#include "server/apiservice.h"

#include "server/apicommon.h"
#include "server/database.h"
#include "server/paramreader.h"
#include "server/sqlquery.h"

using namespace apicommon;

// Loves and comments.

bool ApiService::love(qint64 userId, qint64 photoId, qint64 when)
{
    Statement st(m_db, "INSERT OR IGNORE INTO loves(photo_id, user_id, created) VALUES(?1, ?2, ?3)");
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
        Statement st(m_db, "DELETE FROM loves WHERE photo_id = ?1 AND user_id = ?2");
        st.bind(photoId).bind(viewer);
        st.exec();
        Statement note(m_db, "DELETE FROM notifications WHERE photo_id = ?1 AND action_user_id = ?2 AND type = 1");
        note.bind(photoId).bind(viewer);
        note.exec();
    }
    return success({{QStringLiteral("picture_id"), photoId}, {QStringLiteral("stats"), photoStats(viewer, photoId)}});
}

qint64 ApiService::comment(qint64 userId, qint64 photoId, const QString &text, qint64 inReplyTo, qint64 when)
{
    Statement st(m_db, "INSERT INTO comments(photo_id, user_id, text, in_reply_to_id, created) "
                                "VALUES(?1, ?2, ?3, ?4, ?5)");
    st.bind(photoId).bind(userId).bind(text).bind(inReplyTo).bind(when);
    if (!st.exec())
        return 0;
    const qint64 id = m_db.lastInsertId();
    const qint64 owner = photoOwner(photoId);
    const QString name = username(userId);
    notify(owner, CommentedType, userId, photoId, 0, name + QStringLiteral(" commented: ") + text.left(80), when);
    if (inReplyTo > 0) {
        Statement author(m_db, "SELECT user_id FROM comments WHERE id = ?1");
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
    SqlQuery query(QStringLiteral(
        "SELECT c.id, c.user_id, u.username, (SELECT pp.code FROM photos pp WHERE pp.id = u.profile_picture_id), "
        "c.created, c.text, c.source, c.in_reply_to_id FROM comments c JOIN users u ON u.id = c.user_id "
        "WHERE c.photo_id = ?1"));
    query.addRange(QStringLiteral("c.id"), sinceId, beforeId);
    const qint64 offset = (sinceId > 0 || beforeId > 0) ? 0 : (page - 1) * count;
    query.add(QStringLiteral(" ORDER BY c.id DESC LIMIT ?"), qint64(count) + 1).add(QStringLiteral(" OFFSET ?"), offset);
    QJsonArray rows;
    Statement st(m_db, query.sql().constData());
    st.bind(photoId);
    query.bindValues(st);
    const bool hasMore = readPage(st, count, [&](Statement &st) {
        rows.append(QJsonObject{{QStringLiteral("comment_id"), st.integer(0)},
                                {QStringLiteral("user_id"), st.integer(1)},
                                {QStringLiteral("comment_user_id"), st.integer(1)},
                                {QStringLiteral("username"), st.text(2)},
                                {QStringLiteral("profile_picture_code"), codeOrNull(st.text(3))},
                                {QStringLiteral("create_time"), formatTime(st.integer(4))},
                                {QStringLiteral("text"), st.text(5)},
                                {QStringLiteral("comment_source"), st.text(6)},
                                {QStringLiteral("in_reply_to_id"), st.integer(7)}});
    });
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
        Statement st(m_db, "SELECT 1 FROM comments WHERE id = ?1 AND photo_id = ?2");
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
    Statement st(m_db, "SELECT c.user_id, p.user_id, p.id FROM comments c JOIN photos p ON p.id = c.photo_id "
                                "WHERE c.id = ?1");
    st.bind(commentId);
    if (!st.next())
        return error(404, NotFound, QStringLiteral("No such comment"));
    if (st.integer(0) != viewer && st.integer(1) != viewer)
        return error(403, NotPermitted, QStringLiteral("Only the author or the photo's owner may delete a comment"));
    const qint64 photoId = st.integer(2);
    Statement remove(m_db, "DELETE FROM comments WHERE id = ?1");
    remove.bind(commentId);
    remove.exec();
    return success({{QStringLiteral("comment_id"), commentId}, {QStringLiteral("stats"), photoStats(viewer, photoId)}});
}
