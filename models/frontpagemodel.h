#pragma once

#include "models/photolistmodel.h"

/**
 * The front-page photos: each answer replaces the whole grid. Its roles are
 * those of a photo list without the access data.
 */
class FrontPageModel : public PhotoListModel
{
    Q_OBJECT
    Q_PROPERTY(bool isRefreshing READ isRefreshing WRITE setIsRefreshing NOTIFY isRefreshingChanged)
public:
    explicit FrontPageModel(QObject *parent = nullptr);

    bool isRefreshing() const { return m_isRefreshing; }
    void setIsRefreshing(bool isRefreshing);

    Q_INVOKABLE void parseJSON(QByteArray data);
    Q_INVOKABLE void clear();
    Q_INVOKABLE int getCount();
    Q_INVOKABLE void setLovedData(int picture_id, int count, bool done_love);
    Q_INVOKABLE void setCommentedData(int picture_id, int count, bool done_comment);
    Q_INVOKABLE void setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment);

signals:
    void isRefreshingChanged(bool);

private:
    bool m_isRefreshing = false;
};
