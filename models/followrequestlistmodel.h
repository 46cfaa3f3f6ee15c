#pragma once

#include "models/recordlistmodel.h"

/** The follow requests waiting for the user's answer. */
class FollowRequestListModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit FollowRequestListModel(QObject *parent = nullptr);

    Q_INVOKABLE bool parseJSON(QByteArray data);
    Q_INVOKABLE void clear();
    Q_INVOKABLE int getCount();
    Q_INVOKABLE int getLastParsedRowCount();
    Q_INVOKABLE int getOldestId();
    Q_INVOKABLE bool getHasMore();

protected:
    QVariant modelData(int row, int role) const override;

private:
    int m_lastParsedRowCount = 0;
    bool m_hasMore = false;
};
