#include "models/friendlistmodel.h"

#include "models/jsonrows.h"

namespace {

const RoleTable &friendRoles()
{
    static const RoleTable roles{
        {37, "user_id", "user_id", RoleKind::Integer},
        {38, "username", "username", RoleKind::Text},
        {39, "blocked", "blocked", RoleKind::Flag},
        {40, "profile_picture_code", "profile_picture_code", RoleKind::Text},
        {55, "error_code", "error_code", RoleKind::Integer},
        {67, "is_follow", "follow", RoleKind::Flag},
        {68, "is_follow_requested", "follow_requested", RoleKind::Flag},
        {76, "photo_cnt", "photo_cnt", RoleKind::Integer},
        {77, "follower_cnt", "follower_cnt", RoleKind::Integer},
        {78, "following_cnt", "following_cnt", RoleKind::Integer},
        {79, "follow_id", "follow_id", RoleKind::Integer},
        {80, "is_protected", "protected", RoleKind::Integer},
    };
    return roles;
}

} // namespace

FriendListModel::FriendListModel(QObject *parent)
    : RecordListModel(friendRoles(), OtherRoles::Zero, parent)
{
}

bool FriendListModel::parseJSON(QByteArray data)
{
    QVariantMap answer;
    if (!JsonRows::parseObject(data, &answer) || !JsonRows::succeeded(answer))
        return false;
    m_errorCode = answer.value(QStringLiteral("error_code")).toInt();
    const QVariantList page = JsonRows::objects(answer.value(QStringLiteral("data")));
    m_lastParsedRowCount = page.size();
    appendRows(page);
    return true;
}

void FriendListModel::clear()
{
    replaceRows({});
}

int FriendListModel::getCount()
{
    return m_rows.size();
}

int FriendListModel::getLastParsedRowCount()
{
    return m_lastParsedRowCount;
}

void FriendListModel::setFollowStatus(QString username, bool followed)
{
    const auto isUser = [&username](const QVariantMap &row) {
        return row.value(QStringLiteral("username")).toString() == username;
    };
    int written = 0;
    if (followed) {
        // A protected user has to accept first: the follow stays a request.
        written += updateRows([&isUser](const QVariantMap &row) {
            return isUser(row) && row.value(QStringLiteral("protected")).toInt() != 0;
        }, {{QStringLiteral("follow_requested"), true}});
        written += updateRows([&isUser](const QVariantMap &row) {
            return isUser(row) && row.value(QStringLiteral("protected")).toInt() == 0;
        }, {{QStringLiteral("follow"), true}});
    } else {
        written += updateRows(isUser, {{QStringLiteral("follow"), false}, {QStringLiteral("follow_requested"), false}});
    }
    if (written > 0)
        announceLayoutChange();
}

void FriendListModel::setBlockedStatus(int user_id, bool blocked)
{
    const int written = updateRows(
        [user_id](const QVariantMap &row) { return row.value(QStringLiteral("user_id")).toLongLong() == user_id; },
        {{QStringLiteral("blocked"), blocked}});
    if (written > 0)
        announceLayoutChange();
}

int FriendListModel::getOldestId()
{
    return m_rows.isEmpty() ? 0 : int(JsonRows::idOf(m_rows.last(), QStringLiteral("id")));
}

int FriendListModel::getErrorCode()
{
    return m_errorCode;
}
