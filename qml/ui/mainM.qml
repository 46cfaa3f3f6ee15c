import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import TAVIROLib 1.0
import "components"

// The frame: the account pages while signed out; afterwards five tabs, each
// with its own page stack, over the bottom navigation bar.
Item {
    id: root
    width: 480
    height: 854

    property bool signedIn: account.isLoggedIn()
    property int currentTab: 0
    // Tabs opened since signing in; the others have no pages yet.
    property var openedTabs: [true, false, false, false, false]

    Material.theme: Material.Light
    Material.accent: Theme.accent
    Material.primary: Theme.accent
    Material.background: Theme.background

    UserManager { id: account }

    Binding { target: Theme; property: "scale"; value: Math.max(0.75, Math.min(root.width / 480, 2.25)) }

    readonly property var tabPages: ["HomePage.qml", "PopularPage.qml", "PostPage.qml", "NotificationsPage.qml",
                                     "ProfilePage.qml"]

    function currentStack() {
        if (!signedIn)
            return accountPages.item
        var loader = tabRepeater.itemAt(currentTab)
        return loader && loader.item ? loader.item : null
    }

    function showTab(index) {
        if (index === currentTab) {
            // Tapping the open tab again goes back to its first page.
            var stack = currentStack()
            if (stack && stack.depth > 1)
                stack.pop(null)
            return
        }
        if (!openedTabs[index]) {
            var opened = openedTabs.slice()
            opened[index] = true
            openedTabs = opened
        }
        currentTab = index
    }

    function openPage(page, properties) { Navigator.push(page, properties) }

    function goBack() {
        var stack = currentStack()
        if (stack && stack.depth > 1)
            stack.pop()
        else if (signedIn && currentTab !== 0)
            currentTab = 0
    }

    function enterApp() {
        account.loadLoggedInAccount()
        currentTab = 0
        signedIn = true
        Notifications.refresh()
    }

    function leaveApp() {
        account.logout()
        signedIn = false
        timelineModel.clear()
        popularModel.clear()
        Notifications.reset()
        nami.clearCookies()
        currentTab = 0
        openedTabs = [true, false, false, false, false]
    }

    Connections {
        target: Navigator
        function onPushRequested(page, properties) {
            var stack = root.currentStack()
            if (stack)
                stack.push(Qt.resolvedUrl("pages/" + page), properties)
        }
        function onBackRequested() { root.goBack() }
        function onTabRequested(index) { root.showTab(index) }
        function onSignedIn() { root.enterApp() }
        function onSignedOut() { root.leaveApp() }
    }

    // The shared models follow every change announced on the hub.
    Connections {
        target: globalServices
        function onSetLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment) {
            timelineModel.setLovedCommentedData(picture_id, love_count, done_love !== 0, comment_count, done_comment !== 0)
            popularModel.setLovedCommentedData(picture_id, love_count, done_love !== 0, comment_count, done_comment !== 0)
            notificationModel.setLovedCommentedData(picture_id, love_count, done_love !== 0, comment_count,
                                                    done_comment !== 0)
        }
        function onPictureDeleted(picture_id) {
            timelineModel.removePictureById(picture_id)
            popularModel.removePictureById(picture_id)
        }
        function onImageCaptionChanged(picture_id, caption) {
            timelineModel.setPhotoName(picture_id, caption)
            popularModel.setPhotoName(picture_id, caption)
            notificationModel.setPhotoName(picture_id, caption)
        }
        function onAccessLevelSaltChanged(picture_id, access_level, salt) {
            timelineModel.setAccessLevelSalt(picture_id, access_level, salt)
        }
        function onSetFollowStatus(username, followed) {
            notificationModel.setFollow(username, followed)
        }
        function onGoToTimelineTab() { root.showTab(0) }
    }

    Shortcut {
        sequences: ["Esc", "Back"]
        onActivated: root.goBack()
    }

    Timer {
        interval: 120000
        repeat: true
        running: root.signedIn
        onTriggered: Notifications.refresh()
    }

    Component.onCompleted: {
        if (signedIn) {
            // Offline start: last session's notifications until the service answers.
            notificationModel.loadNotifications()
            Notifications.refresh()
        }
    }

    Rectangle { anchors.fill: parent; color: Theme.background }

    Loader {
        id: accountPages
        anchors.fill: parent
        active: !root.signedIn
        sourceComponent: StackView {
            initialItem: Qt.resolvedUrl("pages/SignInPage.qml")
        }
    }

    StackLayout {
        id: tabs
        visible: root.signedIn
        anchors.top: parent.top
        anchors.bottom: navBar.top
        width: parent.width
        currentIndex: root.currentTab

        Repeater {
            id: tabRepeater
            model: root.tabPages
            // A tab's pages are made when it is first opened, so start-up
            // only builds the home timeline.
            Loader {
                active: root.signedIn && root.openedTabs[index] === true
                sourceComponent: StackView {
                    initialItem: Qt.resolvedUrl("pages/" + modelData)
                }
            }
        }
    }

    NavBar {
        id: navBar
        visible: root.signedIn
        anchors.bottom: parent.bottom
        width: parent.width
        currentIndex: root.currentTab
        unreadCount: Notifications.unreadCount
        onTabClicked: root.showTab(index)
    }
}
