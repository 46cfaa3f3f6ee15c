import QtQuick 2.15
import QtTest 1.15
import TAVIROLib 1.0
import "../../qml/ui/components"
import "Find.js" as Find

// The home timeline and the notifications: which ids each request carries
// and how the answers land in the shared models.
TestCase {
    id: test
    name: "Feeds"
    when: windowShown
    width: 480
    height: 854

    UserManager { id: account }
    SignalSpy { id: loves; target: globalServices; signalName: "setLovedCommentedData" }

    Component { id: homePage; Loader { source: "../../qml/ui/pages/HomePage.qml"; anchors.fill: parent } }

    function photo(id) {
        return { picture_id: id, picture_code: "c" + id, username: "anna_k", love_count: 1, done_love: false,
                 comment_count: 0, create_time: "2026-12-9 14:05:00", access_level: "0", salt: "s" + id }
    }
    function page(ids) {
        var rows = []
        for (var i = 0; i < ids.length; ++i)
            rows.push(photo(ids[i]))
        return { success: true, data: rows }
    }
    function rowIds() {
        var ids = []
        for (var i = 0; i < timelineModel.getCount(); ++i)
            ids.push(timelineModel.data(timelineModel.index(i, 0), 34))
        return ids
    }

    function init() {
        taviroServiceController.reset()
        account.setLoggedUserInformation(5, "demo", "tok", "sec")
        account.loadLoggedInAccount()
        timelineModel.clear()
        notificationModel.clear()
        notificationModel.lastReadNotificationId = 0
        loves.clear()
    }

    function cleanup() {
        compare(taviroServiceController.unexpected, [])
    }

    function test_firstStartAsksForTheNewestPage() {
        taviroServiceController.expect("getHomeTimeline", page([9, 8]))
        var home = createTemporaryObject(homePage, test).item
        compare(taviroServiceController.lastCall("getHomeTimeline"), [5, 1, 20, 0, 0])
        tryCompare(timelineModel, "isRefreshing", false)
        compare(rowIds(), [9, 8])
        // Nothing was on screen before: no summaries to refresh.
        compare(taviroServiceController.callCount("getPhotoSummary"), 0)
    }

    function test_refreshAboveSavedRowsThenSummaries() {
        timelineModel.parseJSON(taviroServiceController.bytes(JSON.stringify(page([7, 6]))), false)
        taviroServiceController.expect("getHomeTimeline", page([9, 8]))
        taviroServiceController.expect("getPhotoSummary", { success: true, data: [
            { picture_id: 6, love_count: 4, comment_count: 2, done_love: true, access_level: "0", salt: "s6" }] })
        createTemporaryObject(homePage, test)
        compare(taviroServiceController.lastCall("getHomeTimeline"), [5, 1, 20, 7, 0])
        tryCompare(taviroServiceController, "expectations", [])
        tryVerify(function() { return taviroServiceController.pending.length === 0 })
        compare(taviroServiceController.lastCall("getPhotoSummary"), ["c9,c8,c7,c6"])
        compare(rowIds(), [9, 8, 7, 6])
        tryCompare(timelineModel.data(timelineModel.index(3, 0), 33), "love_count", 4)
    }

    function test_loadMoreAsksForOlderThanTheLastRow() {
        taviroServiceController.expect("getHomeTimeline", page([9, 8]))
        var home = createTemporaryObject(homePage, test).item
        tryCompare(timelineModel, "isRefreshing", false)
        taviroServiceController.expect("getHomeTimeline", page([4]))
        home.loadMore()
        compare(taviroServiceController.lastCall("getHomeTimeline"), [5, 1, 20, 0, 8])
        tryCompare(timelineModel, "isLoadingMore", false)
        compare(rowIds(), [9, 8, 4])
        // An empty page means the end: no more requests.
        taviroServiceController.expect("getHomeTimeline", page([]))
        home.loadMore()
        tryCompare(home, "hasMore", false)
        home.loadMore()
        compare(taviroServiceController.callCount("getHomeTimeline"), 3)
    }

    function test_failedRefreshIsShown() {
        taviroServiceController.expectError("getHomeTimeline", 0, "Host unreachable")
        var home = createTemporaryObject(homePage, test).item
        tryCompare(home, "error",
                   "TAVIRO cannot reach the service. Check your connection and try again. (Host unreachable)")
        verify(!timelineModel.isRefreshing)
        var banner = Find.all(home, function(item) { return item.dismissedText !== undefined })[0]
        compare(banner.text, home.error)
        compare(banner.dismissedText, "")
    }

    function test_loveGoesOutAndOnTheHub() {
        Photos.toggleLove(12, 3, false, 1, true)
        Photos.toggleLove(13, 1, true, 0, false)
        compare(taviroServiceController.calls, [{ method: "lovePicture", args: [12] },
                                                { method: "unlovePicture", args: [13] }])
        compare(loves.count, 2)
        compare(Array.prototype.slice.call(loves.signalArguments[0]), [12, 4, 1, 1, 1])
        compare(Array.prototype.slice.call(loves.signalArguments[1]), [13, 0, 0, 0, 0])
        taviroServiceController.reset()
    }

    // Notifications --------------------------------------------------------

    function notifications(extra) {
        var rows = [
            { id: 0, notification_type: 9, pinned: true, text: "1 Pending Friend Requests" },
            { id: 31, notification_type: 7, pinned: false, text: "jonas wants to follow you", username: "jonas",
              action_user_id: 11, user_id: 11 },
            { id: 30, notification_type: 1, pinned: false, text: "kalani loved your photo", username: "kalani" }
        ]
        return { success: true, stats: { total_count: extra || 2, love_count: 1, follow_request_count: 1,
                                          last_read_notification_id: 12 },
                 data: [{ type: "all", result: rows }, { type: "loved", result: [rows[2]] },
                        { type: "followed", result: [rows[0], rows[1]] }] }
    }

    function test_refreshReplacesInsteadOfStacking() {
        taviroServiceController.expect("getNotifications", notifications(2))
        taviroServiceController.expect("getNotifications", notifications(5))
        Notifications.refresh()
        compare(taviroServiceController.lastCall("getNotifications"), [30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0])
        tryCompare(Notifications, "unreadCount", 2)
        Notifications.refresh()
        tryCompare(Notifications, "unreadCount", 5)
        notificationModel.switchListIndex(0)
        compare(notificationModel.rowCount(), 3)
        compare(notificationModel.lastReadNotificationId, 12)
        // The next request tells the service what was read.
        taviroServiceController.expect("getNotifications", notifications(0))
        Notifications.markAllAsRead()
        compare(Notifications.unreadCount, 0)
        compare(taviroServiceController.lastCall("getNotifications")[11], 31)
        tryCompare(taviroServiceController, "pending", [])
    }

    function test_loadMoreNamesOnlyItsTab_data() {
        return [
            { tag: "all", list: 0, position: 2, oldest: 30 },
            { tag: "loved", list: 1, position: 4, oldest: 30 },
            { tag: "followed, pinned summary skipped", list: 4, position: 10, oldest: 31 }
        ]
    }

    function test_loadMoreNamesOnlyItsTab(data) {
        taviroServiceController.expect("getNotifications", notifications(2))
        Notifications.refresh()
        tryCompare(Notifications.refreshCall, "busy", false)
        taviroServiceController.expect("getNotifications", { success: true, stats: {}, data: [] })
        Notifications.loadMore(data.list)
        var args = taviroServiceController.lastCall("getNotifications")
        for (var i = 1; i <= 10; ++i)
            compare(args[i], i === data.position ? data.oldest : 0, "argument " + i)
        tryCompare(Notifications.moreCall, "busy", false)
    }

    function test_followRequestAnsweredInPlace() {
        taviroServiceController.expect("getNotifications", notifications(2))
        Notifications.refresh()
        tryCompare(Notifications.refreshCall, "busy", false)
        Notifications.followRequestAnswered(11, true)
        notificationModel.switchListIndex(4)
        compare(notificationModel.rowCount(), 1)
        compare(notificationModel.data(notificationModel.index(0, 0), 66), 4)
        compare(notificationModel.data(notificationModel.index(0, 0), 64), "jonas is now following you")
        // The next start finds the answered request in the saved file.
        notificationModel.clear()
        verify(notificationModel.loadNotifications())
        notificationModel.switchListIndex(4)
        compare(notificationModel.data(notificationModel.index(0, 0), 66), 4)
    }
}
