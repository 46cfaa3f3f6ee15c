#pragma once

#include <QAbstractListModel>
#include <QVariantList>
#include <QVariantMap>

#include <array>
#include <functional>

/**
 * The notifications screen: five lists side by side ("all", "loved",
 * "commented", "badged", "followed"), one shown at a time, each with its
 * remembered scroll offset. Pinned rows stay on top of their list; rows
 * newer than lastReadNotificationId are new.
 */
class NotificationsModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(bool isRefreshing READ isRefreshing WRITE setIsRefreshing NOTIFY isRefreshingChanged)
    Q_PROPERTY(bool isLoadingMore READ isLoadingMore WRITE setIsLoadingMore NOTIFY isLoadingMoreChanged)
    Q_PROPERTY(int lastReadNotificationId READ lastReadNotificationId WRITE setLastReadNotificationId NOTIFY lastReadNotificationIdChanged)
public:
    static constexpr int kListCount = 5;
    static constexpr int kSavedRows = 20;

    explicit NotificationsModel(QObject *parent = nullptr);
    ~NotificationsModel() override;

    static NotificationsModel *getInstance();
    static void setInstance(NotificationsModel *instance);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    bool isRefreshing() const { return m_isRefreshing; }
    void setIsRefreshing(bool isRefreshing);
    bool isLoadingMore() const { return m_isLoadingMore; }
    void setIsLoadingMore(bool isLoadingMore);
    int lastReadNotificationId() const { return m_lastReadNotificationId; }
    void setLastReadNotificationId(int lastReadNotificationId);

    // The rows of one list, by index.
    const QVariantList &list(int listIndex) const;

    Q_INVOKABLE bool parseJSON(QByteArray data, bool loadMore);
    Q_INVOKABLE bool parseJSON(QByteArray data);
    Q_INVOKABLE void saveJSON();
    Q_INVOKABLE void loadJSON();
    Q_INVOKABLE void clear();
    Q_INVOKABLE int getNewestId(QString listName);
    Q_INVOKABLE int getOldestId(QString listName);
    Q_INVOKABLE int getStats(QString listName);
    Q_INVOKABLE void switchListIndex(int listIndex);
    Q_INVOKABLE void switchListIndex(int listIndex, int contentY);
    Q_INVOKABLE bool isBlank();
    Q_INVOKABLE int getContentY(int listIndex);
    Q_INVOKABLE void markAllAsRead();
    Q_INVOKABLE void saveNotifications();
    Q_INVOKABLE bool isLoading();
    Q_INVOKABLE int getOldestId();
    Q_INVOKABLE int decreaseFollowRequestCount();
    Q_INVOKABLE void removeFollowRequestItem();
    Q_INVOKABLE void answerFollowRequest(int user_id, bool accepted);
    Q_INVOKABLE void setFollow(QString username, bool followed);
    Q_INVOKABLE void setLovedData(int picture_id, int count, bool done_love);
    Q_INVOKABLE void setCommentedData(int picture_id, int count, bool done_comment);
    Q_INVOKABLE void setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment);
    Q_INVOKABLE void setPhotoName(int picture_id, QString name);
    // Puts back the lists last written by saveNotifications(), so an offline
    // start shows the last session's notifications. False, with nothing
    // changed, when there is no readable file.
    Q_INVOKABLE bool loadNotifications();

signals:
    void isRefreshingChanged(bool);
    void isLoadingMoreChanged(bool);
    void lastReadNotificationIdChanged(int);

private:
    using RowEdit = std::function<bool(QVariantMap &row)>;

    bool currentListValid() const;
    // Applies the edit to every row of the given lists; an edit that returns
    // true has changed its row.
    void editRows(std::initializer_list<int> lists, const RowEdit &edit);
    void editAllRows(const RowEdit &edit);
    void updatePhoto(int picture_id, const QVariantMap &fields);
    void removeRowsWhere(const std::function<bool(const QVariantMap &row)> &match);
    void announceLayoutChange();

    std::array<QVariantList, kListCount> m_lists;
    std::array<int, kListCount> m_contentY{};
    int m_listIndex = 0;
    QVariantMap m_stats;
    int m_followRequestCount = 0;
    bool m_isRefreshing = false;
    bool m_isLoadingMore = false;
    int m_lastReadNotificationId = 0;
};
