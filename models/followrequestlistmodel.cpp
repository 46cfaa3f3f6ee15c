#include "models/followrequestlistmodel.h"

#include "models/jsonrows.h"

namespace {

const RoleTable &followRequestRoles()
{
    static const RoleTable roles{
        {37, "user_id", "user_id", RoleKind::Integer},
        {38, "username", "username", RoleKind::Text},
        {40, "profile_picture_code", "profile_picture_code", RoleKind::Text},
        {67, "follow", "follow", RoleKind::Flag},
        {75, "has_more", nullptr, RoleKind::Model},
    };
    return roles;
}

} // namespace

FollowRequestListModel::FollowRequestListModel(QObject *parent)
    : RecordListModel(followRequestRoles(), OtherRoles::Zero, parent)
{
}

QVariant FollowRequestListModel::modelData(int, int) const
{
    return m_hasMore;
}

bool FollowRequestListModel::parseJSON(QByteArray data)
{
    QVariantMap answer;
    if (!JsonRows::parseObject(data, &answer) || !JsonRows::succeeded(answer))
        return false;
    const QVariantList page = JsonRows::objects(answer.value(QStringLiteral("data")));
    m_lastParsedRowCount = page.size();
    const auto hasMore = answer.constFind(QStringLiteral("has_more"));
    if (hasMore != answer.cend())
        m_hasMore = hasMore->toBool();
    appendRows(page);
    return true;
}

void FollowRequestListModel::clear()
{
    replaceRows({});
}

int FollowRequestListModel::getCount()
{
    return m_rows.size();
}

int FollowRequestListModel::getLastParsedRowCount()
{
    return m_lastParsedRowCount;
}

int FollowRequestListModel::getOldestId()
{
    return m_rows.isEmpty() ? 0 : int(JsonRows::idOf(m_rows.last(), QStringLiteral("follow_request_id")));
}

bool FollowRequestListModel::getHasMore()
{
    return m_hasMore;
}
