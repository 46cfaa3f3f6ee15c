#pragma once

#include "models/photolistmodel.h"

/**
 * The home timeline: the photos of the people the user follows, newest
 * first. Refresh pages go on top, load-more pages below; the first 30 rows
 * are kept in "sav/timeline.sav" so they show before the first answer.
 */
class TimelineModel : public PhotoListModel
{
    Q_OBJECT
    Q_PROPERTY(bool isRefreshing READ isRefreshing WRITE setIsRefreshing NOTIFY isRefreshingChanged)
    Q_PROPERTY(bool isLoadingMore READ isLoadingMore WRITE setIsLoadingMore NOTIFY isLoadingMoreChanged)
public:
    explicit TimelineModel(QObject *parent = nullptr);
    ~TimelineModel() override;

    static TimelineModel *getInstance();
    static void setInstance(TimelineModel *instance);

    bool isRefreshing() const { return m_isRefreshing; }
    void setIsRefreshing(bool isRefreshing);
    bool isLoadingMore() const { return m_isLoadingMore; }
    void setIsLoadingMore(bool isLoadingMore);

    Q_INVOKABLE bool parseJSON(QByteArray data, bool loadMore);
    Q_INVOKABLE bool parseJSON(QByteArray data);
    Q_INVOKABLE bool parsePhotoSummaryJSON(QByteArray data);
    Q_INVOKABLE void saveJSON();
    Q_INVOKABLE void loadJSON();
    Q_INVOKABLE void clear();
    Q_INVOKABLE int getNewestId();
    Q_INVOKABLE int getOldestId();
    Q_INVOKABLE int getCount();
    Q_INVOKABLE int getLastParsedRowCount();
    Q_INVOKABLE QString getPictureIds();
    Q_INVOKABLE void removePictureById(int pictureId);
    Q_INVOKABLE void setLovedData(int picture_id, int count, bool done_love);
    Q_INVOKABLE void setCommentedData(int picture_id, int count, bool done_comment);
    Q_INVOKABLE void setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment);
    Q_INVOKABLE void setPhotoName(int picture_id, QString name);
    Q_INVOKABLE void setAccessLevelSalt(int picture_id, QString access_level, QString salt);

    static constexpr int kSavedRows = 30;

signals:
    void isRefreshingChanged(bool);
    void isLoadingMoreChanged(bool);

private:
    bool m_isRefreshing = false;
    bool m_isLoadingMore = false;
    int m_lastParsedRowCount = 0;
};
