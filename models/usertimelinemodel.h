#pragma once

#include "models/photolistmodel.h"

/** All photos of one user, paged with load-more only. */
class UserTimelineModel : public PhotoListModel
{
    Q_OBJECT
public:
    explicit UserTimelineModel(QObject *parent = nullptr);

    Q_INVOKABLE void parseJSON(QByteArray data);
    Q_INVOKABLE int getOldestPictureId();
    Q_INVOKABLE void removePictureById(int pictureId);
    Q_INVOKABLE int getLastParsedRowCount();
    Q_INVOKABLE int getErrorCode();
    Q_INVOKABLE void setLovedData(int picture_id, int count, bool done_love);
    Q_INVOKABLE void setCommentedData(int picture_id, int count, bool done_comment);
    Q_INVOKABLE void setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment);
    Q_INVOKABLE void setPhotoName(int picture_id, QString name);
    Q_INVOKABLE void setAccessLevelSalt(int picture_id, QString access_level, QString salt);

private:
    int m_lastParsedRowCount = 0;
    int m_errorCode = 0;
};
