import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// The comments of one photo, newest first: write one, answer one, delete
// your own.
Page {
    id: page
    objectName: "commentsPage"
    property var photo: ({})
    readonly property int photoId: photo.picture_id || 0
    property int replyToId: 0
    property string replyToName: ""
    property string error: ""
    property int pageSize: 20

    background: Rectangle { color: Theme.background }
    header: PageHeader { title: qsTr("Comments") }

    UserManager { id: account }
    CommentListModel { id: comments }

    function load() {
        error = ""
        listCall.begin()
        taviroServiceController.getCommentList(photoId, 1, pageSize, 0, 0, listCall)
    }

    function loadMore() {
        if (listCall.busy || !comments.getHasMore() || comments.getOldestId() === 0)
            return
        moreCall.begin()
        taviroServiceController.getCommentList(photoId, 0, pageSize, 0, comments.getOldestId(), moreCall)
    }

    function send() {
        var text = composer.text.trim()
        if (text.length === 0 || postCall.busy)
            return
        error = ""
        postCall.begin()
        taviroServiceController.postComment(text, photoId, replyToId, postCall)
    }

    function reply(commentId, username) {
        replyToId = commentId
        replyToName = username
        if (composer.text.indexOf("@" + username) !== 0)
            composer.text = "@" + username + " " + composer.text
        composer.forceActiveFocus()
    }

    function cancelReply() {
        replyToId = 0
        replyToName = ""
    }

    // The list's counters travel on the hub so every screen with this
    // photo follows.
    function announce(doneComment) {
        globalServices.emitSetLovedCommentedData(photoId, comments.getLoveCountFromStats(),
                                                 comments.getIsLoveFromStats() ? 1 : 0,
                                                 comments.getCommentCountFromStats(), doneComment ? 1 : 0)
    }
    property bool doneComment: photo.done_comment === true

    ServiceCall {
        id: listCall
        onAnswered: {
            comments.clear()
            comments.parseJSON(data)
            page.announce(page.doneComment)
        }
        onFailed: page.error = message
    }
    ServiceCall {
        id: moreCall
        onAnswered: comments.parseJSON(data)
        onFailed: page.error = message
    }
    ServiceCall {
        id: postCall
        onAnswered: {
            composer.text = ""
            page.cancelReply()
            page.doneComment = true
            page.load()
        }
        onFailed: page.error = message
    }
    Component.onCompleted: load()

    ErrorBanner {
        id: banner
        z: 1
        text: page.error
        canRetry: comments.rowCount() === 0
        onRetry: page.load()
    }

    ListView {
        id: list
        objectName: "commentList"
        anchors.top: banner.bottom
        anchors.bottom: composerBar.top
        width: parent.width
        clip: true
        model: comments
        ScrollIndicator.vertical: ScrollIndicator { }
        onAtYEndChanged: if (atYEnd && count > 0) page.loadMore()

        delegate: ItemDelegate {
            id: row
            width: list.width
            height: Math.max(Theme.avatarSmall, textColumn.height) + Theme.spacing * 2
            readonly property bool mine: user_id === account.getUserId()
            Accessible.name: qsTr("%1 says %2").arg(username).arg(comment_text)
            onPressAndHold: if (mine) confirmDelete.ask(comment_id)

            Avatar {
                id: avatar
                x: Theme.spacing
                y: Theme.spacing
                username: model.username
                pictureCode: profile_picture_code
                ringColor: Theme.background
                onClicked: Navigator.openProfile(model.username)
            }
            Column {
                id: textColumn
                anchors.left: avatar.right
                anchors.leftMargin: Theme.spacing
                anchors.right: parent.right
                anchors.rightMargin: Theme.spacing
                y: Theme.spacing
                Label {
                    width: parent.width
                    text: "<b>" + model.username + "</b> " + comment_text.replace(/&/g, "&amp;").replace(/</g, "&lt;")
                    textFormat: Text.StyledText
                    wrapMode: Text.Wrap
                    font.pixelSize: Theme.fontBody
                    color: Theme.text
                }
                Row {
                    spacing: Theme.spacing
                    TimeLabel { timestamp: model.timestamp; anchors.verticalCenter: parent.verticalCenter }
                    Button {
                        flat: true
                        text: qsTr("Reply")
                        font.pixelSize: Theme.fontSmall
                        Accessible.name: qsTr("Reply to %1").arg(model.username)
                        onClicked: page.reply(comment_id, model.username)
                    }
                    Button {
                        flat: true
                        visible: row.mine
                        text: qsTr("Delete")
                        font.pixelSize: Theme.fontSmall
                        Accessible.name: qsTr("Delete your comment")
                        onClicked: confirmDelete.ask(comment_id)
                    }
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
                Accessible.name: qsTr("Loading older comments")
            }
        }
    }

    BusyState {
        anchors.centerIn: list
        running: listCall.busy && list.count === 0
        text: qsTr("Loading comments…")
    }
    EmptyState {
        anchors.centerIn: list
        visible: list.count === 0 && !listCall.busy && page.error.length === 0
        title: qsTr("No comments yet")
        text: qsTr("Be the first to say something about this photo.")
    }

    Rectangle {
        id: composerBar
        anchors.bottom: parent.bottom
        width: parent.width
        height: composerColumn.height + Theme.spacingSmall * 2
        color: Theme.surface
        Rectangle { width: parent.width; height: 1; color: Theme.divider }

        Column {
            id: composerColumn
            y: Theme.spacingSmall
            x: Theme.spacing
            width: parent.width - Theme.spacing * 2
            Row {
                visible: page.replyToId > 0
                spacing: Theme.spacingSmall
                Label {
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("Replying to %1").arg(page.replyToName)
                    color: Theme.textSecondary
                    font.pixelSize: Theme.fontSmall
                }
                ToolButton {
                    text: "\u2715"
                    Accessible.name: qsTr("Stop replying")
                    onClicked: page.cancelReply()
                }
            }
            Row {
                width: parent.width
                spacing: Theme.spacingSmall
                TextField {
                    id: composer
                    objectName: "composer"
                    width: parent.width - sendButton.width - parent.spacing
                    placeholderText: qsTr("Add a comment…")
                    Accessible.name: qsTr("Your comment")
                    onAccepted: page.send()
                }
                Button {
                    id: sendButton
                    objectName: "send"
                    anchors.verticalCenter: composer.verticalCenter
                    text: postCall.busy ? qsTr("Sending…") : qsTr("Send")
                    enabled: composer.text.trim().length > 0 && !postCall.busy
                    highlighted: true
                    Accessible.name: qsTr("Send the comment")
                    onClicked: page.send()
                }
            }
        }
    }

    ActionDialog {
        id: confirmDelete
        property int commentId
        function ask(id) { commentId = id; open() }
        title: qsTr("Delete your comment?")
        okText: qsTr("Delete")
        onConfirmed: taviroServiceController.deleteComment(commentId, call)
        onSucceeded: {
            comments.deleteComment(commentId)
            globalServices.emitCommentDeleted(commentId)
            page.load()
        }
        Label { width: parent.width; wrapMode: Text.WordWrap; text: qsTr("This cannot be undone.") }
    }
}
