import QtQuick 2.15
import QtTest 1.15
import TAVIROLib 1.0
import "../../qml/ui/components"

// The frame: tabs made on first visit, each with its own page stack, back
// through the stack and then to the home tab, and signing out.
TestCase {
    id: test
    name: "Frame"
    when: windowShown
    width: 480
    height: 854

    UserManager { id: account }
    readonly property Component frame: Qt.createComponent("../../qml/ui/mainM.qml")

    function init() {
        taviroServiceController.reset()
        account.setLoggedUserInformation(5, "demo", "tok", "sec")
        timelineModel.clear()
    }

    function cleanup() {
        compare(taviroServiceController.unexpected, [])
    }

    function start() {
        taviroServiceController.expect("getNotifications", { success: true, stats: { total_count: 3 }, data: [] })
        taviroServiceController.expect("getHomeTimeline", { success: true, data: [] })
        var root = createTemporaryObject(frame, test)
        verify(root.signedIn)
        tryCompare(taviroServiceController, "pending", [])
        return root
    }

    function test_tabsAreMadeOnFirstVisit() {
        var root = start()
        compare(root.openedTabs, [true, false, false, false, false])
        compare(Notifications.unreadCount, 3)
        root.showTab(2)
        compare(root.currentTab, 2)
        compare(root.openedTabs, [true, false, true, false, false])
        verify(root.currentStack() !== null)
    }

    function test_backWalksTheStackThenGoesHome() {
        var root = start()
        root.showTab(2)
        var stack = root.currentStack()
        Navigator.push("TermsPage.qml")
        Navigator.push("AboutPage.qml")
        compare(stack.depth, 3)
        root.goBack()
        compare(stack.depth, 2)
        // Tapping the open tab again goes back to its first page.
        root.showTab(2)
        compare(stack.depth, 1)
        root.goBack()
        compare(root.currentTab, 0)
        root.goBack()
        compare(root.currentTab, 0)
    }

    function test_signOutForgetsTheAccount() {
        var root = start()
        // The notifications tab asks again when it is opened.
        taviroServiceController.expect("getNotifications", { success: true, stats: { total_count: 3 }, data: [] })
        root.showTab(3)
        tryCompare(taviroServiceController, "pending", [])
        Navigator.signedOut()
        verify(!root.signedIn)
        compare(root.currentTab, 0)
        compare(root.openedTabs, [true, false, false, false, false])
        compare(Notifications.unreadCount, 0)
        account.loadLoggedInAccount()
        verify(!account.isLoggedIn())
        // The next person starts without the last one's notifications.
        verify(notificationModel.loadNotifications())
        verify(notificationModel.isBlank())
        verify(root.currentStack() !== null)
        compare(root.currentStack().depth, 1)
    }
}
