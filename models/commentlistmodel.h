#pragma once

#include "models/recordlistmodel.h"

/** The comments of one photo, with the photo's love and comment counters. */
class CommentListModel : public RecordListModel
{
    Q_OBJECT
public:
    explicit CommentListModel(QObject *parent = nullptr);

    Q_INVOKABLE bool parseJSON(QByteArray data);
    Q_INVOKABLE int getLastParsedRowCount();
    Q_INVOKABLE void clear();
    Q_INVOKABLE int getOldestId();
    Q_INVOKABLE void deleteComment(int comment_id);
    Q_INVOKABLE int getLoveCountFromStats();
    Q_INVOKABLE int getCommentCountFromStats();
    Q_INVOKABLE bool getIsLoveFromStats();
    Q_INVOKABLE int getErrorCode();
    Q_INVOKABLE bool getHasMore();

protected:
    QVariant modelData(int row, int role) const override;

private:
    int m_lastParsedRowCount = 0;
    int m_loveCount = 0;
    int m_commentCount = 0;
    bool m_isLove = false;
    int m_errorCode = 0;
    bool m_hasMore = true;
    const bool m_cannotAccessProfile = true;
};
