import QtQuick 2.15
import QtQuick.Controls 2.15

// One notification: who, what, when, and the photo or badge it is about.
// A follow request waiting for an answer carries its two buttons.
ItemDelegate {
    id: row
    property int type
    property string message
    property string username
    property string pictureCode
    property string timestamp
    property var photo
    property var badge
    property bool isNew
    property bool follow
    property bool answering: false
    signal answer(bool accept)
    signal followBack()
    signal summaryClicked()

    readonly property bool isRequest: type === 7
    readonly property bool isSummary: type === 9
    readonly property bool hasPhoto: photo !== undefined && photo !== null && photo.picture_id !== undefined
    readonly property bool hasBadge: badge !== undefined && badge !== null && badge.path !== undefined

    width: parent ? parent.width : implicitWidth
    height: Math.max(Theme.avatarSmall, column.height) + Theme.spacing * 2
    Accessible.name: message
    background: Rectangle { color: row.isNew ? "#fff3ee" : (row.pressed ? Theme.surfaceAlt : Theme.background) }

    onClicked: {
        if (isSummary)
            summaryClicked()
        else if (hasPhoto)
            Navigator.openPhoto(photo)
        else if (username.length)
            Navigator.openProfile(username)
    }

    Avatar {
        id: avatar
        x: Theme.spacing
        y: Theme.spacing
        visible: !row.isSummary
        username: row.username
        pictureCode: row.pictureCode
        ringColor: row.isNew ? "#fff3ee" : Theme.background
        onClicked: if (row.username.length) Navigator.openProfile(row.username)
    }
    Label {
        x: Theme.spacing
        y: Theme.spacing
        visible: row.isSummary
        width: Theme.avatarSmall
        horizontalAlignment: Text.AlignHCenter
        text: "\u263A"
        font.pixelSize: Theme.fontTitle
        color: Theme.accent
    }

    Column {
        id: column
        anchors.left: avatar.right
        anchors.leftMargin: Theme.spacing
        anchors.right: thumb.visible ? thumb.left : parent.right
        anchors.rightMargin: Theme.spacing
        y: Theme.spacing
        spacing: Theme.spacingTiny
        Label {
            width: parent.width
            text: row.message
            wrapMode: Text.Wrap
            font.pixelSize: Theme.fontBody
            font.bold: row.isSummary
            color: Theme.text
        }
        TimeLabel { timestamp: row.timestamp; visible: !row.isSummary && row.timestamp.length > 0 }
        Row {
            visible: row.isRequest
            spacing: Theme.spacingSmall
            Button {
                text: qsTr("Accept")
                highlighted: true
                enabled: !row.answering
                Accessible.name: qsTr("Accept the request of %1").arg(row.username)
                onClicked: row.answer(true)
            }
            Button {
                text: qsTr("Decline")
                enabled: !row.answering
                Accessible.name: qsTr("Decline the request of %1").arg(row.username)
                onClicked: row.answer(false)
            }
        }
        Button {
            visible: row.type === 4 && !row.follow
            text: qsTr("Follow back")
            Accessible.name: qsTr("Follow %1 back").arg(row.username)
            onClicked: row.followBack()
        }
    }

    RemoteImage {
        id: thumb
        anchors.right: parent.right
        anchors.rightMargin: Theme.spacing
        y: Theme.spacing
        width: Theme.dp(48)
        height: width
        visible: row.hasPhoto || row.hasBadge
        kind: row.hasPhoto ? "thumbnail" : "badge"
        fillMode: row.hasPhoto ? Image.PreserveAspectCrop : Image.PreserveAspectFit
        source: row.hasPhoto ? Photos.address(row.photo, "thumb") : (row.hasBadge ? row.badge.path : "")
    }
}
