#include "models/commentlistmodel.h"

#include "models/jsonrows.h"

#include <algorithm>

namespace {

const QString kCommentId = QStringLiteral("comment_id");

const RoleTable &commentRoles()
{
    static const RoleTable roles{
        {37, "user_id", "user_id", RoleKind::Integer},
        {38, "username", "username", RoleKind::Text},
        {40, "profile_picture_code", "profile_picture_code", RoleKind::Text},
        {62, "timestamp", "create_time", RoleKind::Text},
        {81, "comment_text", "text", RoleKind::Text},
        {82, "comment_id", "comment_id", RoleKind::Integer},
        {83, "comment_source", "comment_source", RoleKind::Text},
        {84, "comment_user_id", "comment_user_id", RoleKind::Integer},
        {85, "cannot_access_profile", nullptr, RoleKind::Model},
    };
    return roles;
}

} // namespace

CommentListModel::CommentListModel(QObject *parent)
    : RecordListModel(commentRoles(), OtherRoles::Zero, parent)
{
}

QVariant CommentListModel::modelData(int, int) const
{
    return m_cannotAccessProfile;
}

bool CommentListModel::parseJSON(QByteArray data)
{
    QVariantMap answer;
    if (!JsonRows::parseObject(data, &answer) || !JsonRows::succeeded(answer)) {
        m_errorCode = answer.value(QStringLiteral("error_code")).toInt();
        return false;
    }
    const QVariantList page = JsonRows::objects(answer.value(QStringLiteral("data")));
    m_lastParsedRowCount = page.size();
    const QVariantMap stats = answer.value(QStringLiteral("stats")).toMap();
    m_loveCount = stats.value(QStringLiteral("love_count")).toInt();
    m_commentCount = stats.value(QStringLiteral("comment_count")).toInt();
    m_isLove = stats.value(QStringLiteral("done_love")).toBool();
    m_hasMore = answer.value(QStringLiteral("has_more")).toBool();
    if (!page.isEmpty()) {
        beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size() + page.size() - 1);
        m_rows.append(page);
        endInsertRows();
    }
    return true;
}

int CommentListModel::getLastParsedRowCount()
{
    return m_lastParsedRowCount;
}

void CommentListModel::clear()
{
    replaceRows({});
}

int CommentListModel::getOldestId()
{
    return m_rows.isEmpty() ? 0 : int(JsonRows::idOf(m_rows.last(), kCommentId));
}

void CommentListModel::deleteComment(int comment_id)
{
    const auto isComment = [comment_id](const QVariant &row) { return JsonRows::idOf(row, kCommentId) == comment_id; };
    if (std::none_of(m_rows.cbegin(), m_rows.cend(), isComment))
        return;
    beginResetModel();
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), isComment), m_rows.end());
    endResetModel();
}

int CommentListModel::getLoveCountFromStats()
{
    return m_loveCount;
}

int CommentListModel::getCommentCountFromStats()
{
    return m_commentCount;
}

bool CommentListModel::getIsLoveFromStats()
{
    return m_isLove;
}

int CommentListModel::getErrorCode()
{
    return m_errorCode;
}

bool CommentListModel::getHasMore()
{
    return m_hasMore;
}
