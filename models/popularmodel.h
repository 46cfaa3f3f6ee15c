#pragma once

#include "models/photolistmodel.h"

/** The popular photos: each answer replaces the whole grid; nothing is saved. */
class PopularModel : public PhotoListModel
{
    Q_OBJECT
    Q_PROPERTY(bool isRefreshing READ isRefreshing WRITE setIsRefreshing NOTIFY isRefreshingChanged)
public:
    explicit PopularModel(QObject *parent = nullptr);
    ~PopularModel() override;

    static PopularModel *getInstance();
    static void setInstance(PopularModel *instance);

    bool isRefreshing() const { return m_isRefreshing; }
    void setIsRefreshing(bool isRefreshing);

    Q_INVOKABLE void parseJSON(QByteArray data);
    Q_INVOKABLE void clear();
    Q_INVOKABLE int getCount();
    Q_INVOKABLE void removePictureById(int pictureId);
    Q_INVOKABLE void setLovedData(int picture_id, int count, bool done_love);
    Q_INVOKABLE void setCommentedData(int picture_id, int count, bool done_comment);
    Q_INVOKABLE void setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment);
    Q_INVOKABLE void setPhotoName(int picture_id, QString name);

signals:
    void isRefreshingChanged(bool);

private:
    bool m_isRefreshing = false;
};
