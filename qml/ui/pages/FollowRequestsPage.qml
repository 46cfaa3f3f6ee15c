import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// The people who asked to follow the person's private account.
Page {
    id: page
    objectName: "followRequestsPage"
    property string error: ""
    property int pageSize: 20
    // Answers given on this page, by user id: true accepted, false declined.
    property var answers: ({})
    property int answeringUserId: 0

    background: Rectangle { color: Theme.background }
    header: PageHeader { title: qsTr("Follow requests") }

    UserManager { id: account }
    FollowRequestListModel { id: requests }

    function load() {
        error = ""
        listCall.begin()
        taviroServiceController.getFriendRequest(account.getUserId(), pageSize, 0, listCall)
    }

    function loadMore() {
        if (listCall.busy || moreCall.busy || !requests.getHasMore())
            return
        moreCall.begin()
        taviroServiceController.getFriendRequest(account.getUserId(), pageSize, requests.getOldestId(), moreCall)
    }

    function answer(userId, accept) {
        answeringUserId = userId
        answerCall.userId = userId
        answerCall.accept = accept
        answerCall.begin()
        taviroServiceController.answerFriendRequest(userId, accept, answerCall)
    }

    ServiceCall {
        id: listCall
        onAnswered: { requests.clear(); requests.parseJSON(data) }
        onFailed: page.error = message
    }
    ServiceCall {
        id: moreCall
        onAnswered: requests.parseJSON(data)
        onFailed: page.error = message
    }
    ServiceCall {
        id: answerCall
        property int userId
        property bool accept
        onAnswered: {
            var given = page.answers
            given[userId] = accept
            page.answers = given
            page.answeringUserId = 0
            Notifications.followRequestAnswered(userId, accept)
        }
        onFailed: { page.answeringUserId = 0; page.error = message }
    }

    Component.onCompleted: load()

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: true
        onRetry: page.load()
    }

    ListView {
        id: list
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        model: requests
        onAtYEndChanged: if (atYEnd && count > 0) page.loadMore()

        delegate: Column {
            width: list.width
            readonly property var given: page.answers[user_id]
            UserRow {
                username: model.username
                pictureCode: profile_picture_code
                detail: given === undefined ? qsTr("wants to follow you")
                                            : (given ? qsTr("now follows you") : qsTr("request declined"))
            }
            Row {
                visible: given === undefined
                x: Theme.spacing + Theme.avatarSmall + Theme.spacing
                spacing: Theme.spacingSmall
                Button {
                    text: qsTr("Accept")
                    highlighted: true
                    enabled: page.answeringUserId === 0
                    Accessible.name: qsTr("Accept the request of %1").arg(model.username)
                    onClicked: page.answer(user_id, true)
                }
                Button {
                    text: qsTr("Decline")
                    enabled: page.answeringUserId === 0
                    Accessible.name: qsTr("Decline the request of %1").arg(model.username)
                    onClicked: page.answer(user_id, false)
                }
            }
        }
    }

    BusyState {
        anchors.centerIn: list
        running: listCall.busy && list.count === 0
        text: qsTr("Loading follow requests…")
    }
    EmptyState {
        anchors.centerIn: list
        visible: list.count === 0 && !listCall.busy && page.error.length === 0
        title: qsTr("No follow requests")
        text: qsTr("When someone asks to follow your private account, you can answer here.")
    }
}
