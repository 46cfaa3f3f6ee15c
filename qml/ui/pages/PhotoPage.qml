import QtQuick 2.15
import QtQuick.Controls 2.15
import TAVIROLib 1.0
import "../components"

// One photo large: its owner, loves, comments and caption; the owner edits
// the caption and privacy or deletes it, others flag it; anyone re-shares.
Page {
    id: page
    objectName: "photoPage"
    property var photo: ({})

    readonly property int photoId: photo.picture_id || 0
    property int loveCount: photo.love_count || 0
    property bool doneLove: photo.done_love === true
    property int commentCount: photo.comment_count || 0
    property bool doneComment: photo.done_comment === true
    property string caption: photo.name || ""
    property string accessLevel: String(photo.access_level === undefined ? "0" : photo.access_level)
    property string salt: photo.salt || ""
    readonly property bool mine: photo.user_id === account.getUserId()
    readonly property string largeAddress: Photos.address({ image_url_large: photo.image_url_large,
                                                            image_url_medium: photo.image_url_medium,
                                                            access_level: accessLevel, salt: salt }, "large")
    property real downloadProgress: picture.progress

    background: Rectangle { color: Theme.background }
    header: PageHeader {
        title: qsTr("Photo")
        ToolButton {
            text: "\u22EE"
            font.pixelSize: Theme.fontTitle
            Accessible.name: qsTr("More actions")
            onClicked: menu.open()
            Menu {
                id: menu
                MenuItem { text: qsTr("Edit caption"); visible: page.mine; height: visible ? implicitHeight : 0
                           Accessible.name: text; onTriggered: captionDialog.open() }
                MenuItem { text: qsTr("Who can see it"); visible: page.mine; height: visible ? implicitHeight : 0
                           Accessible.name: text; onTriggered: privacyDialog.open() }
                MenuItem { text: qsTr("Share to other networks"); Accessible.name: text; onTriggered: reshareDialog.open() }
                MenuItem { text: qsTr("Use as profile picture"); visible: page.mine; height: visible ? implicitHeight : 0
                           Accessible.name: text; onTriggered: profilePictureDialog.open() }
                MenuItem { text: qsTr("Report"); visible: !page.mine; height: visible ? implicitHeight : 0
                           Accessible.name: text; onTriggered: flagDialog.open() }
                MenuItem { text: qsTr("Delete"); visible: page.mine; height: visible ? implicitHeight : 0
                           Accessible.name: text; onTriggered: deleteDialog.open() }
            }
        }
    }

    UserManager { id: account }

    Connections {
        target: globalServices
        function onSetLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment) {
            if (picture_id !== page.photoId)
                return
            page.loveCount = love_count
            page.doneLove = done_love !== 0
            page.commentCount = comment_count
            page.doneComment = done_comment !== 0
        }
        function onImageCaptionChanged(picture_id, caption) {
            if (picture_id === page.photoId)
                page.caption = caption
        }
        function onAccessLevelSaltChanged(picture_id, access_level, salt) {
            if (picture_id !== page.photoId)
                return
            page.accessLevel = access_level
            page.salt = salt
        }
        // A large picture fetched through the service reports its progress here.
        function onLargePictureDownloadProgressUpdated(url, bytesReceived, bytesTotal) {
            if (url === page.largeAddress && bytesTotal > 0)
                page.downloadProgress = bytesReceived / bytesTotal
        }
    }

    Toast { id: toast }

    Flickable {
        anchors.fill: parent
        contentHeight: content.height + Theme.spacingLarge
        clip: true
        ScrollIndicator.vertical: ScrollIndicator { }

        Column {
            id: content
            width: parent.width
            spacing: Theme.spacingSmall

            UserRow {
                username: page.photo.username || ""
                pictureCode: page.photo.profile_picture_code || ""
                detail: Photos.accessLevelName(page.accessLevel)
            }

            RemoteImage {
                id: picture
                objectName: "largePicture"
                width: parent.width
                height: width
                kind: "large"
                fillMode: Image.PreserveAspectFit
                source: page.largeAddress
                Accessible.name: qsTr("Photo by %1").arg(page.photo.username || "")
                ProgressBar {
                    anchors.centerIn: parent
                    width: parent.width * 0.6
                    value: page.downloadProgress
                    visible: !picture.ready && !picture.failed
                    Accessible.name: qsTr("Downloading the photo")
                }
                Label {
                    anchors.centerIn: parent
                    visible: picture.failed
                    text: qsTr("The photo could not be loaded.")
                    color: Theme.textSecondary
                }
                MouseArea {
                    anchors.fill: parent
                    onDoubleClicked: if (!page.doneLove)
                                         Photos.toggleLove(page.photoId, page.loveCount, false, page.commentCount,
                                                           page.doneComment)
                }
            }

            Row {
                x: Theme.spacingTiny
                LoveButton {
                    objectName: "love"
                    photoId: page.photoId
                    loveCount: page.loveCount
                    doneLove: page.doneLove
                    commentCount: page.commentCount
                    doneComment: page.doneComment
                }
                ToolButton {
                    objectName: "comments"
                    text: "\u270E " + page.commentCount
                    font.pixelSize: Theme.fontLarge
                    Accessible.name: qsTr("Comments, %1").arg(page.commentCount)
                    onClicked: Navigator.openComments(page.photo)
                }
            }

            Label {
                x: Theme.spacing
                width: parent.width - Theme.spacing * 2
                text: page.caption
                visible: text.length > 0
                wrapMode: Text.Wrap
                font.pixelSize: Theme.fontBody
                color: Theme.text
            }
            TimeLabel {
                x: Theme.spacing
                timestamp: page.photo.create_time || ""
            }
            Button {
                x: Theme.spacing
                flat: true
                text: page.commentCount > 0 ? qsTr("View all %1 comments").arg(page.commentCount)
                                            : qsTr("Write the first comment")
                Accessible.name: text
                onClicked: Navigator.openComments(page.photo)
            }
        }
    }

    ActionDialog {
        id: captionDialog
        title: qsTr("Edit caption")
        okText: qsTr("Save")
        onOpened: captionField.text = page.caption
        onConfirmed: taviroServiceController.editCaption(page.photoId, captionField.text, call)
        onSucceeded: {
            globalServices.emitImageCaptionChanged(page.photoId, captionField.text)
            toast.show(qsTr("Caption saved"))
        }
        TextArea {
            id: captionField
            width: parent.width
            wrapMode: TextEdit.Wrap
            placeholderText: qsTr("Say something about the photo")
            Accessible.name: qsTr("Caption")
        }
    }

    ActionDialog {
        id: privacyDialog
        title: qsTr("Who can see this photo")
        okText: qsTr("Save")
        property string chosen: page.accessLevel
        onOpened: chosen = page.accessLevel
        onConfirmed: taviroServiceController.changePhotoAccessLevel(page.photoId, Number(chosen), call)
        onSucceeded: {
            globalServices.emitAccessLevelSaltChanged(page.photoId, String(answer.access_level), answer.salt || "")
            toast.show(qsTr("Now visible to: %1").arg(Photos.accessLevelName(answer.access_level)))
        }
        Repeater {
            model: ["0", "1", "2"]
            RadioButton {
                text: Photos.accessLevelName(modelData)
                checked: privacyDialog.chosen === modelData
                Accessible.name: text
                onClicked: privacyDialog.chosen = modelData
            }
        }
    }

    ActionDialog {
        id: flagDialog
        title: qsTr("Report this photo")
        okText: qsTr("Report")
        property string reason: ""
        okEnabled: reason.length > 0
        onOpened: reason = ""
        onConfirmed: taviroServiceController.flagPicture(page.photoId, reason, call)
        onSucceeded: toast.show(qsTr("Thank you. We will look at this photo."))
        Repeater {
            model: [qsTr("Nudity or sexual content"), qsTr("Violence or hate"), qsTr("Spam"),
                    qsTr("It is my photo, posted without my consent")]
            RadioButton {
                width: parent.width
                text: modelData
                checked: flagDialog.reason === modelData
                Accessible.name: text
                onClicked: flagDialog.reason = modelData
            }
        }
    }

    ActionDialog {
        id: deleteDialog
        title: qsTr("Delete this photo?")
        okText: qsTr("Delete")
        onConfirmed: taviroServiceController.deletePicture(page.photoId, call)
        onSucceeded: {
            globalServices.emitPictureDeleted(page.photoId)
            Navigator.back()
        }
        Label {
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("The photo, its loves and its comments are removed for everyone. This cannot be undone.")
        }
    }

    ActionDialog {
        id: profilePictureDialog
        title: qsTr("Use as profile picture?")
        okText: qsTr("Use it")
        onConfirmed: taviroServiceController.makeProfilePicture(page.photo.picture_code, call)
        onSucceeded: {
            globalServices.emitProfileRefreshRequested()
            toast.show(qsTr("Profile picture changed"))
        }
        Label {
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("People see this photo next to your name.")
        }
    }

    ReshareDialog {
        id: reshareDialog
        photoId: page.photoId
        caption: page.caption
        onShared: toast.show(qsTr("Shared"))
    }
}
