#pragma once

#include "models/recordlistmodel.h"

/** A list of users: followers, followings, search results, blocked users. */
class FriendListModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit FriendListModel(QObject *parent = nullptr);

    Q_INVOKABLE bool parseJSON(QByteArray data);
    Q_INVOKABLE void clear();
    Q_INVOKABLE int getCount();
    Q_INVOKABLE int getLastParsedRowCount();
    Q_INVOKABLE void setFollowStatus(QString username, bool followed);
    Q_INVOKABLE void setBlockedStatus(int user_id, bool blocked);
    Q_INVOKABLE int getOldestId();
    Q_INVOKABLE int getErrorCode();

private:
    int m_lastParsedRowCount = 0;
    int m_errorCode = 0;
};
