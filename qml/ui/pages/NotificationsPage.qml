import QtQuick 2.15
import QtQuick.Controls 2.15
import "../components"

// What happened to the person's photos and account, in five tabs.
Page {
    id: page
    objectName: "notificationsPage"
    property string error: ""
    property int answeringUserId: 0

    // Unread counters of the tabs, in tab order; read after every answer.
    readonly property var statsKeys: ["total_count", "love_count", "comment_count", "badge_count", "follow_count"]
    property var unread: [0, 0, 0, 0, 0]

    background: Rectangle { color: Theme.background }
    header: Column {
        width: page.width
        PageHeader {
            title: qsTr("Activity")
            canGoBack: false
            ToolButton {
                text: qsTr("Mark read")
                enabled: Notifications.unreadCount > 0
                Accessible.name: qsTr("Mark all as read")
                onClicked: Notifications.markAllAsRead()
            }
        }
        TabBar {
            id: tabs
            width: parent.width
            Repeater {
                model: [qsTr("All"), qsTr("Loves"), qsTr("Comments"), qsTr("Badges"), qsTr("Follows")]
                TabButton {
                    id: tabButton
                    leftPadding: Theme.spacingTiny
                    rightPadding: Theme.spacingTiny
                    topPadding: Theme.spacingSmall
                    bottomPadding: Theme.spacingSmall + Theme.dp(2)
                    // Room for the count, above the selection line.
                    implicitHeight: Math.max(Theme.dp(52), contentItem.implicitHeight + topPadding + bottomPadding)
                    Accessible.name: page.unread[index] > 0 ? qsTr("%1, %2 unread").arg(modelData).arg(page.unread[index])
                                                            : modelData
                    contentItem: Column {
                        Label {
                            width: parent.width
                            horizontalAlignment: Text.AlignHCenter
                            text: modelData
                            elide: Text.ElideRight
                            font.pixelSize: Theme.fontSmall
                            font.bold: tabButton.checked
                            color: tabButton.checked ? Theme.accent : Theme.text
                        }
                        Label {
                            width: parent.width
                            horizontalAlignment: Text.AlignHCenter
                            text: page.unread[index] > 99 ? "99+" : page.unread[index]
                            visible: page.unread[index] > 0
                            font.pixelSize: Theme.fontTiny
                            font.bold: true
                            color: Theme.badge
                        }
                    }
                }
            }
            onCurrentIndexChanged: {
                notificationModel.switchListIndex(currentIndex, list.contentY - list.originY)
                list.contentY = list.originY + notificationModel.getContentY(currentIndex)
            }
        }
    }

    function readUnread() {
        var counts = []
        for (var i = 0; i < statsKeys.length; ++i)
            counts.push(notificationModel.getStats(statsKeys[i]))
        unread = counts
    }

    Connections {
        target: Notifications
        function onUnreadCountChanged() { page.readUnread() }
        function onErrorChanged() { page.error = Notifications.error }
    }
    Connections {
        target: notificationModel
        function onModelReset() { page.readUnread() }
    }

    ServiceCall {
        id: answerCall
        property int userId
        property bool accept
        onAnswered: {
            Notifications.followRequestAnswered(userId, accept)
            page.answeringUserId = 0
        }
        onFailed: {
            page.answeringUserId = 0
            page.error = message
        }
    }

    function answerRequest(userId, accept) {
        answeringUserId = userId
        answerCall.userId = userId
        answerCall.accept = accept
        answerCall.begin()
        taviroServiceController.answerFriendRequest(userId, accept, answerCall)
    }

    function followBack(username) {
        taviroServiceController.followUser(username)
        globalServices.emitSetFollowStatus(username, true)
    }

    Component.onCompleted: {
        notificationModel.switchListIndex(0)
        readUnread()
        if (!Notifications.busy)
            Notifications.refresh()
    }

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: true
        onRetry: Notifications.refresh()
    }

    ListView {
        id: list
        objectName: "notificationList"
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        model: notificationModel
        ScrollIndicator.vertical: ScrollIndicator { }
        onAtYEndChanged: if (atYEnd && count > 0) Notifications.loadMore(tabs.currentIndex)

        header: PullToRefresh {
            view: list
            refreshing: notificationModel.isRefreshing && list.count > 0
            onRefreshRequested: Notifications.refresh()
        }

        delegate: NotificationRow {
            width: list.width
            type: notificationType
            message: notificationText
            username: model.username
            pictureCode: profile_picture_code
            timestamp: model.timestamp
            photo: picture_info
            badge: badge_info
            isNew: is_new
            follow: model.follow
            answering: page.answeringUserId === action_user_id
            onAnswer: page.answerRequest(action_user_id, accept)
            onFollowBack: page.followBack(model.username)
            onSummaryClicked: Navigator.push("FollowRequestsPage.qml")
        }

        footer: Item {
            width: list.width
            height: Theme.dp(56)
            BusyIndicator {
                anchors.centerIn: parent
                running: notificationModel.isLoadingMore
                visible: running
                Accessible.name: qsTr("Loading older notifications")
            }
        }
    }

    BusyState {
        anchors.centerIn: list
        running: notificationModel.isRefreshing && list.count === 0
        text: qsTr("Loading your notifications…")
    }
    EmptyState {
        anchors.centerIn: list
        visible: list.count === 0 && !notificationModel.isRefreshing
        title: qsTr("Nothing here yet")
        text: qsTr("When people love or comment on your photos, follow you or you earn a badge, you will see it here.")
    }
}
