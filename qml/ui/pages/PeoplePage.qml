import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// Lists of people: a member's followers or followings, the people the
// person blocked, suggestions, and the user search.
Page {
    id: page
    objectName: "peoplePage"
    // "followers", "following", "blocked", "suggestions" or "search".
    property string kind: "followers"
    property string username: ""
    property string error: ""
    property int pageSize: 30
    property bool hasMore: kind === "followers" || kind === "following" || kind === "blocked"

    background: Rectangle { color: Theme.background }
    header: Column {
        width: page.width
        PageHeader {
            title: page.kind === "followers" ? qsTr("Followers of %1").arg(page.username)
                 : page.kind === "following" ? qsTr("%1 follows").arg(page.username)
                 : page.kind === "blocked" ? qsTr("Blocked people")
                 : page.kind === "suggestions" ? qsTr("People to follow")
                 : qsTr("Search for people")
        }
        TextField {
            id: query
            objectName: "searchField"
            visible: page.kind === "search"
            x: Theme.spacing
            width: parent.width - Theme.spacing * 2
            placeholderText: qsTr("User name")
            inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
            Accessible.name: qsTr("User name to search for")
            onAccepted: page.search()
            onTextChanged: searchDelay.restart()
        }
    }

    UserManager { id: account }
    FriendListModel { id: people }

    Timer { id: searchDelay; interval: 400; onTriggered: if (query.text.trim().length >= 2) page.search() }

    function request(beforeId, handler) {
        switch (kind) {
        case "followers": return taviroServiceController.getFollowers(username, pageSize, 0, beforeId, handler)
        case "following": return taviroServiceController.getFollowing(username, pageSize, 0, beforeId, handler)
        case "blocked": return taviroServiceController.getBlockedUser(pageSize, 0, beforeId, handler)
        case "suggestions": return taviroServiceController.getSuggestFriend(handler)
        }
        return taviroServiceController.getSearchUser(query.text.trim(), pageSize, handler)
    }

    function load() {
        error = ""
        listCall.begin()
        request(0, listCall)
    }

    function search() {
        searchDelay.stop()
        if (query.text.trim().length === 0)
            return
        load()
    }

    function loadMore() {
        if (!hasMore || listCall.busy || moreCall.busy || people.getOldestId() === 0)
            return
        moreCall.begin()
        request(people.getOldestId(), moreCall)
    }

    ServiceCall {
        id: listCall
        onAnswered: {
            people.clear()
            people.parseJSON(data)
            page.hasMore = page.hasMore && people.getLastParsedRowCount() >= page.pageSize
        }
        onFailed: page.error = message
    }
    ServiceCall {
        id: moreCall
        onAnswered: {
            people.parseJSON(data)
            page.hasMore = people.getLastParsedRowCount() >= page.pageSize
        }
        onFailed: page.error = message
    }
    ServiceCall {
        id: unblockCall
        property int userId
        onAnswered: {
            people.setBlockedStatus(userId, false)
            globalServices.emitBlockedStatusChanged(userId, false)
        }
        onFailed: page.error = message
    }

    Connections {
        target: globalServices
        function onSetFollowStatus(username, followed) { people.setFollowStatus(username, followed) }
        function onBlockedStatusChanged(user_id, blocked) { people.setBlockedStatus(user_id, blocked) }
    }

    function toggleFollow(name, following) {
        if (following)
            taviroServiceController.unfollowUser(name)
        else
            taviroServiceController.followUser(name)
        globalServices.emitSetFollowStatus(name, !following)
    }

    Component.onCompleted: {
        if (kind === "search")
            query.forceActiveFocus()
        else
            load()
    }

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: true
        onRetry: page.load()
    }

    ListView {
        id: list
        objectName: "peopleList"
        anchors.top: banner.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        model: people
        ScrollIndicator.vertical: ScrollIndicator { }
        onAtYEndChanged: if (atYEnd && count > 0) page.loadMore()

        delegate: UserRow {
            width: list.width
            readonly property bool me: user_id === account.getUserId()
            username: model.username
            pictureCode: profile_picture_code
            detail: qsTr("%1 photos · %2 followers").arg(photo_cnt).arg(follower_cnt)
            actionText: me ? "" : page.kind === "blocked" || blocked ? qsTr("Unblock")
                      : is_follow ? qsTr("Following") : is_follow_requested ? qsTr("Requested")
                      : qsTr("Follow")
            actionHighlighted: !is_follow && !is_follow_requested && !blocked && page.kind !== "blocked"
            onActionTriggered: {
                if (page.kind === "blocked" || blocked) {
                    unblockCall.userId = user_id
                    unblockCall.begin()
                    taviroServiceController.unblockUser(user_id, unblockCall)
                } else {
                    page.toggleFollow(model.username, is_follow || is_follow_requested)
                }
            }
        }

        footer: Item {
            width: list.width
            height: Theme.dp(56)
            BusyIndicator {
                anchors.centerIn: parent
                running: moreCall.busy
                visible: running
                Accessible.name: qsTr("Loading more people")
            }
        }
    }

    BusyState {
        anchors.centerIn: list
        running: listCall.busy && list.count === 0
        text: qsTr("Looking…")
    }
    EmptyState {
        anchors.centerIn: list
        visible: list.count === 0 && !listCall.busy && page.error.length === 0
        title: page.kind === "search" ? (query.text.length ? qsTr("Nobody found") : qsTr("Find people"))
             : page.kind === "blocked" ? qsTr("You have not blocked anyone")
             : page.kind === "suggestions" ? qsTr("No suggestions right now")
             : qsTr("Nobody here yet")
        text: page.kind === "search" ? qsTr("Type a user name, or a part of one.") : ""
    }
}
