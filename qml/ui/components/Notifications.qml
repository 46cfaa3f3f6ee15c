pragma Singleton
import QtQuick 2.15

// Keeps the shared notifications model current for the tab and the unread
// badge of the navigation bar, whichever screen is showing.
QtObject {
    id: feed

    readonly property var listNames: ["all", "loved", "commented", "badged", "followed"]
    property int unreadCount: 0
    property bool busy: refreshCall.busy || moreCall.busy
    property string error: ""
    property int pageSize: 30

    property ServiceCall refreshCall: ServiceCall {
        onAnswered: {
            notificationModel.isRefreshing = false
            // A refresh brings the newest page of every list: it replaces
            // what is shown instead of being stacked on top of it.
            notificationModel.clear()
            feed.merge(data, false, answer)
        }
        onFailed: {
            notificationModel.isRefreshing = false
            feed.error = message
        }
    }

    property ServiceCall moreCall: ServiceCall {
        onAnswered: {
            notificationModel.isLoadingMore = false
            feed.merge(data, true, answer)
        }
        onFailed: {
            notificationModel.isLoadingMore = false
            feed.error = message
        }
    }

    function merge(data, loadMore, answer) {
        notificationModel.parseJSON(data, loadMore)
        var lastRead = answer.stats ? answer.stats.last_read_notification_id || 0 : 0
        if (lastRead > notificationModel.lastReadNotificationId)
            notificationModel.lastReadNotificationId = lastRead
        notificationModel.saveNotifications()
        updateUnread()
    }

    function updateUnread() {
        unreadCount = notificationModel.getStats("total_count")
    }

    function refresh() {
        if (refreshCall.busy)
            return
        error = ""
        notificationModel.isRefreshing = true
        refreshCall.begin()
        taviroServiceController.getNotifications(pageSize, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                 notificationModel.lastReadNotificationId, refreshCall)
    }

    // Older rows of one tab only: the service answers just the list named.
    function loadMore(listIndex) {
        var oldest = notificationModel.getOldestId(listNames[listIndex])
        if (moreCall.busy || refreshCall.busy || oldest <= 0)
            return
        var ids = [0, 0, 0, 0, 0, 0, 0, 0, 0, 0]
        ids[listIndex * 2 + 1] = oldest
        error = ""
        notificationModel.isLoadingMore = true
        moreCall.begin()
        taviroServiceController.getNotifications(pageSize, ids[0], ids[1], ids[2], ids[3], ids[4], ids[5], ids[6],
                                                 ids[7], ids[8], ids[9], notificationModel.lastReadNotificationId,
                                                 moreCall)
    }

    function markAllAsRead() {
        notificationModel.markAllAsRead()
        unreadCount = 0
        refresh()
    }

    // After a follow request was answered in place.
    function followRequestAnswered(userId, accepted) {
        notificationModel.answerFollowRequest(userId, accepted)
        notificationModel.decreaseFollowRequestCount()
        notificationModel.saveNotifications()
    }

    function reset() {
        unreadCount = 0
        error = ""
        notificationModel.clear()
        notificationModel.lastReadNotificationId = 0
        notificationModel.saveNotifications()
    }
}
