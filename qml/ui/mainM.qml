import QtQuick 2.15
import TAVIROLib 1.0

Rectangle {
    id: root
    width: 480
    height: 854
    color: "#10141f"

    UserManager { id: account }

    function signedIn() {
        account.loadLoggedInAccount()
        pages.source = "pages/TimelinePage.qml"
    }

    function signedOut() {
        account.logout()
        timelineModel.clear()
        pages.source = "pages/SignInPage.qml"
    }

    Loader {
        id: pages
        anchors.fill: parent
        source: account.isLoggedIn() ? "pages/TimelinePage.qml" : "pages/SignInPage.qml"
    }

    Connections {
        target: pages.item
        ignoreUnknownSignals: true
        function onSignedIn() { root.signedIn() }
        function onSignedOut() { root.signedOut() }
    }
}
