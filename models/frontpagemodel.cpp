#include "models/frontpagemodel.h"

#include "models/jsonrows.h"

namespace {

const RoleTable &frontPageRoles()
{
    static const RoleTable roles{
        {33, "picture_info", nullptr, RoleKind::Record},
        {34, "picture_id", "picture_id", RoleKind::Integer},
        {35, "name", nullptr, RoleKind::RowNumber},
        {38, "username", "username", RoleKind::Text},
        {43, "picture_code", "picture_code", RoleKind::Text},
        {45, "love_count", "love_count", RoleKind::Integer},
        {46, "comment_count", "comment_count", RoleKind::Integer},
        {48, "create_time", "create_time", RoleKind::Text},
        {51, "done_love", "done_love", RoleKind::Flag},
    };
    return roles;
}

} // namespace

FrontPageModel::FrontPageModel(QObject *parent)
    : PhotoListModel(parent, frontPageRoles())
{
}

void FrontPageModel::setIsRefreshing(bool isRefreshing)
{
    if (m_isRefreshing == isRefreshing)
        return;
    m_isRefreshing = isRefreshing;
    emit isRefreshingChanged(isRefreshing);
}

void FrontPageModel::parseJSON(QByteArray data)
{
    QVariantMap answer;
    if (JsonRows::parseObject(data, &answer) && JsonRows::succeeded(answer))
        replaceRows(JsonRows::objects(answer.value(QStringLiteral("data"))));
}

void FrontPageModel::clear()
{
    replaceRows({});
}

int FrontPageModel::getCount()
{
    return m_rows.size();
}

void FrontPageModel::setLovedData(int picture_id, int count, bool done_love)
{
    updateLovedData(picture_id, count, done_love);
}

void FrontPageModel::setCommentedData(int picture_id, int count, bool done_comment)
{
    updateCommentedData(picture_id, count, done_comment);
}

void FrontPageModel::setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count,
                                           bool done_comment)
{
    updateLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment);
}
