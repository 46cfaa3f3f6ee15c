#include "models/usertimelinemodel.h"

#include "models/jsonrows.h"

UserTimelineModel::UserTimelineModel(QObject *parent)
    : PhotoListModel(parent)
{
}

void UserTimelineModel::parseJSON(QByteArray data)
{
    QVariantMap answer;
    if (!JsonRows::parseObject(data, &answer))
        return;
    if (!JsonRows::succeeded(answer)) {
        m_errorCode = answer.value(QStringLiteral("error_code")).toInt();
        return;
    }
    m_errorCode = 0;
    const QVariantList page = JsonRows::objects(answer.value(QStringLiteral("data")));
    m_lastParsedRowCount = page.size();
    appendRows(page);
}

int UserTimelineModel::getOldestPictureId()
{
    return m_rows.isEmpty() ? 0 : int(pictureIdAt(m_rows.size() - 1));
}

void UserTimelineModel::removePictureById(int pictureId)
{
    removePicture(pictureId);
}

int UserTimelineModel::getLastParsedRowCount()
{
    return m_lastParsedRowCount;
}

int UserTimelineModel::getErrorCode()
{
    return m_errorCode;
}

void UserTimelineModel::setLovedData(int picture_id, int count, bool done_love)
{
    updateLovedData(picture_id, count, done_love);
}

void UserTimelineModel::setCommentedData(int picture_id, int count, bool done_comment)
{
    updateCommentedData(picture_id, count, done_comment);
}

void UserTimelineModel::setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count,
                                              bool done_comment)
{
    updateLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment);
}

void UserTimelineModel::setPhotoName(int picture_id, QString name)
{
    updatePhotoName(picture_id, name);
}

void UserTimelineModel::setAccessLevelSalt(int picture_id, QString access_level, QString salt)
{
    updateAccessLevelSalt(picture_id, access_level, salt);
}
