#include "models/popularmodel.h"

#include "models/jsonrows.h"

namespace {

PopularModel *s_instance = nullptr;

} // namespace

PopularModel::PopularModel(QObject *parent)
    : PhotoListModel(parent)
{
}

PopularModel::~PopularModel()
{
    if (s_instance == this)
        s_instance = nullptr;
}

PopularModel *PopularModel::getInstance()
{
    return s_instance;
}

void PopularModel::setInstance(PopularModel *instance)
{
    s_instance = instance;
}

void PopularModel::setIsRefreshing(bool isRefreshing)
{
    if (m_isRefreshing == isRefreshing)
        return;
    m_isRefreshing = isRefreshing;
    emit isRefreshingChanged(isRefreshing);
}

void PopularModel::parseJSON(QByteArray data)
{
    QVariantMap answer;
    if (JsonRows::parseObject(data, &answer) && JsonRows::succeeded(answer))
        replaceRows(JsonRows::objects(answer.value(QStringLiteral("data"))));
}

void PopularModel::clear()
{
    replaceRows({});
}

int PopularModel::getCount()
{
    return m_rows.size();
}

void PopularModel::removePictureById(int pictureId)
{
    removePicture(pictureId);
}

void PopularModel::setLovedData(int picture_id, int count, bool done_love)
{
    updateLovedData(picture_id, count, done_love);
}

void PopularModel::setCommentedData(int picture_id, int count, bool done_comment)
{
    updateCommentedData(picture_id, count, done_comment);
}

void PopularModel::setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count,
                                         bool done_comment)
{
    updateLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment);
}

void PopularModel::setPhotoName(int picture_id, QString name)
{
    updatePhotoName(picture_id, name);
}
